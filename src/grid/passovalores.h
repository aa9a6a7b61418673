#pragma once

// One undoable step of the values: which holders' group values an action
// changed, from what to what. Taken as a picture of every value before the
// action compared with the model after it, so any action (typed value,
// default value, repetition, import) is recorded the same way and undoing
// it touches only what it changed.

#include "grid/indicelinhas.h"
#include "grid/selecaogrid.h"
#include "recharge/modelo.h"

#include <array>
#include <vector>

namespace pluvexa {

using ValoresModelo = std::vector<std::array<double, kGrupos>>;

// Every loaded holder's four group values.
ValoresModelo fotografaValores(const ModeloRecarga& m);

struct MudancaValor {
    int titular;
    int grupo;
    double antes;
    double depois;
};

// The values of `m` that differ from `antes`; empty when the action changed
// nothing (or the holders are no longer those of the picture).
std::vector<MudancaValor> diferencas(const ValoresModelo& antes, const ModeloRecarga& m);

// Puts the values back as they were before (desfazer) or after the step.
void aplicaMudancas(ModeloRecarga& m, const std::vector<MudancaValor>& mudancas, bool desfazer);

class TabelaGrid;

// Rewrites the value cells of the grid rows that show a changed value (the
// holder listed per `indice`, by the group the grid shows), from the model
// in FormatoValor. Only those cells: the rows keep their order (a sort
// stays) and their other cells. Returns the first such row, or -1 when no
// change is on screen.
int mostraMudancas(TabelaGrid& grid, const ModeloRecarga& m, const SelecaoGrid& sel, const IndiceLinhas& indice,
                   const std::vector<MudancaValor>& mudancas);

}  // namespace pluvexa
