#pragma once

// Ordering the rows of the recharge grid (ClassificaGrid) by user code, by
// name or by registration number. Only the rows on screen move; the model
// keeps its order.

#include "grid/atualizacaogrid.h"
#include "grid/avisosjanela.h"
#include "grid/indicelinhas.h"
#include "grid/selecaogrid.h"
#include "recharge/modelo.h"

#include <QString>
#include <optional>
#include <string>

namespace pluvexa {

class TabelaGrid;

// ItemIndex of the sort choice.
enum class Classificacao : int { Codigo = 0, Alfabetica = 1, Matricula = 2 };

// The key of one entry, compared as unsigned bytes: card type and tariff
// ("00"), then Usuario ("00000000000"), Nome or Matricula (Windows-1252
// bytes as held), then Cartao ("00000000000").
std::string chaveClassificacao(const ORecarga& e, Classificacao ordem);

struct ResultadoClassificacao {
    // Set when the sort did not take place: the write-back's conversion
    // error, or a cell that is no number ("'%s' is not a valid integer
    // value" for columns 0, 1 and 4, the floating point one for column 5).
    // The grid is then as it was.
    std::optional<QString> erro;
    // The write-back the sort runs first (its totals are for the labels).
    ResultadoAtualizacao atualizacao;
};

// Runs the full write-back itself first, so no typed value is lost, then
// sorts the rows stably by the key of `ordem`: the history texts of columns
// 6 to 8 move with their rows, the value column is reformatted, headers of
// columns 0 to 5 and their widths are rewritten and FormatoValor and the
// default-value edit follow the card type. `indice`, when given, moves with
// the rows.
ResultadoClassificacao ClassificaGrid(TabelaGrid& grid, ModeloRecarga& m, SelecaoGrid& sel,
                                      Classificacao ordem, const AvisosJanela& avisos, IndiceLinhas* indice = nullptr);

}  // namespace pluvexa
