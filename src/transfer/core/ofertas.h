#pragma once

// What the transfer window offers before the operator chooses: the disk
// the answers go on, and the answer that was just generated. Both are only
// a starting point: the drive list and the file list stay free to change.

#include "transfer/core/unidades.h"

#include <QString>
#include <QStringList>

namespace pluvexa {

// The folder the answers' half opens on: `atual` when it is already on a
// removable drive, else the root of the first removable drive mounted (the
// company's disk is the one thing plugged in for the month), else `atual`.
QString pastaInicialDestino(const QString& atual, const FonteVolumes& fonte = volumesDoSistema());

// Of the answer files `nomes` ("PX_<empresa>_<remessa>_<yyMMddHHmm>_2.REC"),
// the position of the one generated last, by the time in its name (the
// letter case of the name ignored; the last listed wins a tie); -1 when none
// is named so.
int respostaMaisNova(const QStringList& nomes);

}  // namespace pluvexa
