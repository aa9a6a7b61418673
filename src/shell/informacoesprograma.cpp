#include "shell/informacoesprograma.h"

#include <QFileInfo>

namespace pluvexa {

InformacoesPrograma lePrograma(const QString& arquivo)
{
    const QFileInfo info(arquivo);
    InformacoesPrograma r;
    r.existe = info.exists();
    if (r.existe) {
        r.tamanho = info.size();
        r.modificacao = info.lastModified();
    }
    return r;
}

QString formataTamanho(qint64 bytes)
{
    QString digitos = QString::number(bytes < 0 ? -bytes : bytes);
    for (qsizetype i = digitos.size() - 3; i > 0; i -= 3)
        digitos.insert(i, QLatin1Char('.'));
    if (bytes < 0)
        digitos.prepend(QLatin1Char('-'));
    return digitos + QStringLiteral(" Bytes");
}

}  // namespace pluvexa
