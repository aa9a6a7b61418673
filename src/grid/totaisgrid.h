#pragma once

// The four totals under the recharge grid: money and credits of the rows on
// screen (CalculaGrid) and of the whole file (CalculaRecargasGeral).

#include "grid/selecaogrid.h"
#include "recharge/modelo.h"

#include <QString>

namespace pluvexa {

class TabelaGrid;

struct TotaisGrid {
    double dinheiro = 0;
    long long creditos = 0;
    QString lblvlrrecdig;   // "###,##0.00"
    QString lblqtdrecdig;   // "###,##0"
};

struct TotaisGerais {
    double dinheiro = 0;
    long long creditos = 0;
    QString lblgervlrdig;   // "###,##0.00"
    QString lblgerqtddig;   // "###,##0"
    bool btnimpressao = true;
    bool btnimportararq = true;
    bool btnexportarplanilha = true;
};

// Price of one credit of card type `tipo` on tariff `tarifa`, rounded by
// the file's rounding mode; 0 when either code lies outside its table.
double precoCredito(const ModeloRecarga& m, int tipo, int tarifa);

// Totals of the value column, rows 1 to the last. A cell that cannot be
// read adds nothing.
TotaisGrid CalculaGrid(const TabelaGrid& grid, const ModeloRecarga& m, const SelecaoGrid& sel);

// Totals of every loaded holder, all four groups, whatever the selection.
// A holder whose card type or a group's tariff lies outside the tables, or
// whose credits cannot be made whole numbers, adds nothing. Printing,
// importing and exporting are offered exactly when no import runs.
TotaisGerais CalculaRecargasGeral(const ModeloRecarga& m, bool importando);

}  // namespace pluvexa
