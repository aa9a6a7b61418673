#pragma once

// The review as the operator reads it, on the review page and on its printed
// form alike: values with the thousands point and the decimal comma, the
// usual value rounded as the file would carry it, the variation with one
// decimal.

#include "review/conferencia.h"

#include <QString>
#include <optional>

namespace pluvexa {

// Whole units shown as the grid's totals show them: "1.234,50" for money,
// "1.234" for credits.
QString unidadesNaTela(long long unidades, bool creditos);

// The usual value rounded half up to whole units (cents or credits); none
// without history.
std::optional<long long> habitualArredondado(const TitularConferido& t);
// unidadesNaTela of the rounded usual value; empty without history.
QString habitualNaTela(const TitularConferido& t);

// "+120,0" or "-35,5"; "-" when there is nothing to compare with.
QString variacaoNaTela(std::optional<double> variacao);

// The holder's name without the padding of the file.
QString nomeNaTela(const Recarga& r);

}  // namespace pluvexa
