#pragma once

// Writing the value column of the grid back into the model
// (AtualizaArrayRecargas), which every action that needs the model up to
// date runs first.

#include "grid/avisosjanela.h"
#include "grid/selecaogrid.h"
#include "grid/totaisgrid.h"
#include "recharge/modelo.h"

#include <QString>
#include <optional>

namespace pluvexa {

class TabelaGrid;

struct ResultadoAtualizacao {
    // Set when a matching row's value is refused (no amount, negative, above
    // the card type's maximum, money in a later group): the text the window
    // shows. Nothing was stored, the totals were not recomputed and the
    // action that asked for the write-back must not go on.
    std::optional<QString> erro;
    int linhaErro = -1;          // the row that stopped it, when erro is set
    TotaisGerais totaisGerais;   // valid when erro is empty
    TotaisGrid totaisGrid;       // valid when erro is empty
};

// Every data row is matched with every loaded holder of TipoCartaoSel: same
// Usuario and Cartao (columns 0 and 1 read as whole numbers, -1 when they
// are none) and Matricula exactly as column 2. A matching holder's first
// group with Tarifa == TarifaSel gets the currency reading of column 5.
// When several rows match one holder the last in grid order wins; a row
// matching several holders gives its value to each. Matching goes through
// a hash of the rows, so the cost is one pass over rows and holders.
// A money holder listed by group 2, 3 or 4 takes only 0: any other value
// stops the write-back with mensagemSomenteGrupo1 (see somentegrupo1.h).
// Every row is checked before any value is stored.
// Progress goes to `avisos` a few times per run, not per holder.
ResultadoAtualizacao AtualizaArrayRecargas(const TabelaGrid& grid, ModeloRecarga& m,
                                           const SelecaoGrid& sel, const AvisosJanela& avisos);

}  // namespace pluvexa
