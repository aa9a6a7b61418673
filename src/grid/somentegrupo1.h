#pragma once

// A money card type recharges through group 1 only: the answer file
// carries 0 in groups 2 to 4 of a money holder. The grid still lists such a
// holder by group 2, 3 or 4 when that group has the selected tariff (its CMM
// and history are worth seeing), but that row takes no value.

#include "grid/selecaogrid.h"
#include "recharge/modelo.h"

#include <QString>
#include <vector>

namespace pluvexa {

class TabelaGrid;

// For every grid row (index = row): the group-1 tariff of the holder the
// row shows when that holder is of a money card type and listed by group
// 2, 3 or 4, so the row takes no value; -1 for every other row. Rows are
// matched with holders as the write-back matches them (Usuario, Cartao,
// Matricula); a row matching several holders takes no value if any of
// them is listed so.
std::vector<int> linhasSemValor(const TabelaGrid& grid, const ModeloRecarga& m, const SelecaoGrid& sel);

// "Tipo de Cartão em valor: a recarga vai somente no grupo 1 (Tarifa NN) -
// Verifique!", NN the holder's group-1 tariff.
QString mensagemSomenteGrupo1(int tarifaGrupo1);

// "N linha(s) não receberam o valor: cartões em valor recebem somente no
// grupo 1."
QString avisoLinhasPuladas(int linhas);

}  // namespace pluvexa
