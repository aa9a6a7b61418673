#include "shell/formatodata.h"

namespace pluvexa {

QString horaLonga(const QTime& hora)
{
    return hora.toString(QStringLiteral("HH:mm:ss"));
}

}  // namespace pluvexa
