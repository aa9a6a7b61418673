#pragma once

// The listing's part of the "Imprimir" click once the grid is written back:
// a new listing report with the click's captions, the listing-line table
// filled and sorted, and the print preview, from which the operator prints
// or saves the same pages as PDF. Returns when the preview is closed.

#include "recharge/modelo.h"

#include <QString>
#include <functional>

namespace pluvexa {

class Interaction;

// The company is that of the model's header, as the window shows it;
// `arquivo` the path, as the operator reads it, of the file that was
// processed; `pasta` the folder the PDF chooser opens in (the Documents
// folder when empty). `aoGravar`, when given, is told the path of every
// PDF saved.
void mostraListagem(ModeloRecarga& m, const QString& arquivo, const QString& pasta, Interaction& ui,
                    const std::function<void(const QString&)>& aoGravar = {});

}  // namespace pluvexa
