#pragma once

// The totals under the recharge grid of the rows on screen (CalculaGrid);
// those of the whole file are in recharge/totaisgerais.h.

#include "grid/selecaogrid.h"
#include "recharge/modelo.h"
#include "recharge/totaisgerais.h"

#include <QString>

namespace pluvexa {

class TabelaGrid;

struct TotaisGrid {
    double dinheiro = 0;
    long long creditos = 0;
    QString lblvlrrecdig;   // "###,##0.00"
    QString lblqtdrecdig;   // "###,##0"
};

// Totals of the value column, rows 1 to the last. A cell that cannot be
// read adds nothing.
TotaisGrid CalculaGrid(const TabelaGrid& grid, const ModeloRecarga& m, const SelecaoGrid& sel);

}  // namespace pluvexa
