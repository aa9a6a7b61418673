#pragma once

// Times of the program file as the information panels show them. Dates go
// through dataCurta (recharge/numberformat.h), the process-wide short format.

#include "recharge/formatonumero.h"

#include <QTime>

namespace pluvexa {

// A time in the long time format ("hh:mm:ss").
QString horaLonga(const QTime& hora);

}  // namespace pluvexa
