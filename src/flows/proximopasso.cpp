#include "flows/proximopasso.h"

namespace pluvexa {

QString textoProximoPasso(const QString& resposta, const QString& pasta)
{
    return QStringLiteral("Resposta %1 gravada em %2. Próximo passo: Carga Arquivos, para copiar para o disco.")
        .arg(resposta, pasta);
}

}  // namespace pluvexa
