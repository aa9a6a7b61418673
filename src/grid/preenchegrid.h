#pragma once

// Building the recharge grid from the model for the selected card type and
// tariff (the work of cbtipocartaoChange), and the grid's header layout
// shared with the sort.

#include "grid/avisosjanela.h"
#include "grid/indicelinhas.h"
#include "grid/selecaogrid.h"
#include "grid/totaisgrid.h"
#include "recharge/modelo.h"

#include <QString>

namespace pluvexa {

class FiltroPortadores;
class TabelaGrid;

struct ResultadoPreenchimento {
    QString lbltipo;
    QString lbltarifa;
    QString lblqtdrec;
    TotaisGrid totaisGrid;
    TotaisGerais totaisGerais;
};

// The code at the start of a list entry ("03 - ..."); -1 when there is none
// (no entry selected), which lists nobody.
int codigoDaEntrada(const QString& entrada);

// The group shown for holder h on the grid of tariff `tarifaSel` (0 to 3),
// or -1 when the holder is not listed. Group 1 is tried first; tariff 0
// lists, for a money card type only, the holders whose group 1 has none.
int grupoMostrado(const Recarga& h, int tarifaSel, int modalidade);

// Fills the grid: headers and widths for the card type's Modalidade (the
// grid grows to 18 columns for a credit type and never shrinks back), one
// row per listed holder of TipoCartaoSel in model order, one blank row when
// nobody is listed. Sets `sel` from the two entries, reports status and
// control changes through `avisos`, and returns the labels and both totals.
// `indice`, when given, receives which holder each row shows. A `filtro`
// that is on leaves out the holders it does not accept; the write-back goes
// by holder, so the rows left out keep their values in the model.
ResultadoPreenchimento PreencheGrid(TabelaGrid& grid, const ModeloRecarga& m, SelecaoGrid& sel,
                                    const QString& entradaTipo, const QString& entradaTarifa,
                                    const AvisosJanela& avisos,
                                    IndiceLinhas* indice = nullptr,
                                    const FiltroPortadores* filtro = nullptr);

// The width a column of the money layout was designed with (columns 0 to 8).
int larguraProjetada(int coluna);

// Headers of columns 0 to 4 and widths of columns 0 to `ultimaLargura`.
void escreveCabecalhoFixo(TabelaGrid& grid, int ultimaLargura);
// Header of the value column, FormatoValor and the default-value edit's
// decimals, all by the Modalidade of TipoCartaoSel.
void aplicaModalidade(TabelaGrid& grid, const ModeloRecarga& m, SelecaoGrid& sel,
                      const AvisosJanela& avisos);

// Moving onto a cell: only the value cell of a data row can be edited.
void SelecionaCelula(TabelaGrid& grid, int coluna, int linha);

}  // namespace pluvexa
