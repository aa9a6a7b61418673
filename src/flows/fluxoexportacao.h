#pragma once

// The "Exportar Planilha" click once the grid is written back: asks where,
// with the spreadsheet chooser proposing the processed file's name in the
// folder given, and writes the holders and their values there as CSV. A
// file that cannot be written is reported with the reason.

#include "recharge/modelo.h"

#include <QString>
#include <functional>

namespace pluvexa {

class Interaction;

// `arquivo`: the processed file, whose name the chooser proposes in `pasta`
// (the Documents folder when empty). True when
// the spreadsheet was written; false when cancelled or refused.
// `aoGravar`, when given, is told the path written.
bool salvaPlanilha(const ModeloRecarga& m, const QString& arquivo, const QString& pasta, Interaction& ui,
                   const std::function<void(const QString&)>& aoGravar = {});

}  // namespace pluvexa
