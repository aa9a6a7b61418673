#pragma once

// "Repetir Última Recarga": each holder's value becomes its last recharge
// as the central recorded it (the first history value of the group shown,
// credits for a credit type), for the rows on screen or for every holder
// of the file. The values go through the checks a typed value goes
// through: above the card type's maximum, or on a row that takes no value
// (a money holder listed by group 2, 3 or 4), they are left unchanged and
// counted.

#include "grid/selecaogrid.h"
#include "recharge/modelo.h"

#include <QString>

namespace pluvexa {

class TabelaGrid;

struct ResultadoRepeticao {
    int alterados = 0;   // values that changed
    int mantidos = 0;    // holders (or rows) left unchanged by the checks
    // "N titular(es) mantidos sem alteração: ..." when any was kept.
    QString aviso;
};

// The question, with "Os valores já digitados serão substituídos." on a
// line of its own when `substitui`.
QString perguntaRepeticao(bool substitui);

// Whether repeating over the whole file would replace a value other than 0
// by another; the rows on screen being part of the file, asked once the
// grid is written back it answers for both choices.
bool substituiNoArquivo(const ModeloRecarga& m);

// The rows on screen: column 5 takes column 6's amount; the caller then
// runs the full write-back (AtualizaArrayRecargas) and the totals.
ResultadoRepeticao repeteNaTela(TabelaGrid& grid, const ModeloRecarga& m, const SelecaoGrid& sel);
// Every holder of the file, every group that lists it: straight into the
// model; the caller then fills the grid again.
ResultadoRepeticao repeteNoArquivo(ModeloRecarga& m);

}  // namespace pluvexa
