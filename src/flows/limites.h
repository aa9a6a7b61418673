#pragma once

// The central accepts no recharge above a card type's maximum. The grid
// refuses such a value on Enter, but a refused value stays in its cell as
// typed and the full write-back takes it as it stands; this check stops it
// before an answer file carries it.

#include "recharge/modelo.h"

#include <QStringList>

namespace pluvexa {

// One line per holder and group whose value is negative or above the
// maximum of the holder's card type: "Usuário 100084 - NOME - Grupo 1 -
// Valor 700,00 (máximo 600,00)". Empty when every value may be sent.
QStringList valoresForaDoLimite(const ModeloRecarga& m);

}  // namespace pluvexa
