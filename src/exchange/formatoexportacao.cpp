#include "exchange/formatoexportacao.h"

#include "files/arquivoseguro.h"

namespace pluvexa {

bool exporta(const FormatoExportacao& formato, const ModeloRecarga& modelo, const QString& destino, QString* erro)
{
    const std::string bytes = formato.gera(modelo);
    // The model stays in memory: a lost export is made again, no flush.
    return gravaArquivo(destino, QByteArrayView(bytes.data(), qsizetype(bytes.size())), Durabilidade::Comum, erro);
}

}  // namespace pluvexa
