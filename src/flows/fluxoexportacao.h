#pragma once

// The "Exportar Planilha" click once the grid is written back: asks where,
// with the spreadsheet chooser proposing the processed file's name in the
// folder given, and writes the holders and their values there as the
// operator chose: an Excel or Calc workbook, or CSV (the filter the chooser
// opens on, as always). A file that cannot be written is reported with the
// reason.

#include "exchange/escrita/planilhasaida.h"
#include "recharge/modelo.h"

#include <QString>
#include <functional>

namespace pluvexa {

class Interaction;

// The spreadsheet chooser: the filters of the three formats, the CSV one
// chosen unless the operator picks another, `sugestao` proposed (its name
// with the CSV extension, which Qt's chooser changes with the filter). The
// name to write and its format, or an empty name when cancelled.
QString escolhePlanilha(Interaction& ui, const QString& titulo, const QString& sugestao, FormatoPlanilha& formato);

// `arquivo`: the processed file, whose name the chooser proposes in `pasta`
// (the Documents folder when empty). True when
// the spreadsheet was written; false when cancelled or refused.
// `aoGravar`, when given, is told the path written.
bool salvaPlanilha(const ModeloRecarga& m, const QString& arquivo, const QString& pasta, Interaction& ui,
                   const std::function<void(const QString&)>& aoGravar = {});

// The same for any table (a comparison of two batches): asks where, writes,
// says a failure. `sugestao` is the proposed path without its extension.
bool salvaTabela(const TabelaSaida& tabela, const QString& titulo, const QString& sugestao, Interaction& ui,
                 const std::function<void(const QString&)>& aoGravar = {});

}  // namespace pluvexa
