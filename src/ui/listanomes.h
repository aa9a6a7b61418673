#pragma once

// A list of file names read again while the operator works with it: the
// entries change, what the operator chose stays chosen by name.

#include <QStringList>

class QListWidget;

namespace pluvexa {

// Shows `nomes` in `lista`, keeping its current entry and its selected
// ones where the same names are still listed. True when the current entry
// was kept (false also when there was none).
bool trocaNomes(QListWidget* lista, const QStringList& nomes);

}  // namespace pluvexa
