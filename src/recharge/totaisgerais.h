#pragma once

// The totals of the whole file (CalculaRecargasGeral): money and credits of
// every loaded holder, whatever the grid shows, and the price of one credit
// they are counted with. The grid's totals of the rows on screen use the
// same price and formats.

#include "recharge/modelo.h"

#include <QString>

namespace pluvexa {

// How the totals under the grid show money and credits.
inline const QString kFormatoTotalDinheiro = QStringLiteral("###,##0.00");
inline const QString kFormatoTotalCreditos = QStringLiteral("###,##0");

struct TotaisGerais {
    double dinheiro = 0;
    long long creditos = 0;
    QString lblgervlrdig;   // "###,##0.00"
    QString lblgerqtddig;   // "###,##0"
};

// Price of one credit of card type `tipo` on tariff `tarifa`, rounded by
// the file's rounding mode; 0 when either code lies outside its table.
double precoCredito(const ModeloRecarga& m, int tipo, int tarifa);

// Totals of every loaded holder, all four groups, whatever the selection.
// A holder whose card type or a group's tariff lies outside the tables, or
// whose credits cannot be made whole numbers, adds nothing.
TotaisGerais CalculaRecargasGeral(const ModeloRecarga& m);

}  // namespace pluvexa
