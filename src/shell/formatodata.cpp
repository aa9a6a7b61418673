#include "shell/formatodata.h"

namespace pluvexa {

namespace {

QString& formatoCurto()
{
    static QString formato = QStringLiteral("dd/MM/yyyy");
    return formato;
}

}  // namespace

void defineFormatoDataCurta(const QString& formato)
{
    formatoCurto() = formato;
}

QString formatoDataCurta()
{
    return formatoCurto();
}

QString dataCurta(const QDate& data)
{
    return data.toString(formatoCurto());
}

QString horaLonga(const QTime& hora)
{
    return hora.toString(QStringLiteral("HH:mm:ss"));
}

}  // namespace pluvexa
