#pragma once

// What the recharge grid shows: the card type and tariff picked in the two
// lists, and the number format of the value column that follows from the
// card type.

#include <QString>

namespace pluvexa {

inline const QString kFormatoDinheiro = QStringLiteral("##0.00");
inline const QString kFormatoCreditos = QStringLiteral("##0");

struct SelecaoGrid {
    int TipoCartaoSel = 0;
    int TarifaSel = 0;
    QString FormatoValor = kFormatoDinheiro;
};

}  // namespace pluvexa
