#pragma once

// What each column of the recharge grid holds, for the tooltip of its
// header: the caption first (a column narrower than it still shows it
// whole), then a line for the operator who does not know the term.

#include <QString>

namespace pluvexa {

QString dicaColuna(const QString& titulo);

}  // namespace pluvexa
