#pragma once

// Each working folder must be a folder of its own. Were one a link to
// another (the draft folder to the generated one), clearing the drafts would
// delete the answer just written, and a received file moved to the processed
// folder would stay where it was. A work window that reads and writes them
// is not opened then.

#include <QString>
#include <QStringList>

namespace pluvexa {

// The first two of `pastas`, in their order, that are one folder (the same
// device and number, links followed), in the windows' words: "As pastas <A>
// e <B> são a mesma pasta. Nada foi lido ou gravado."; empty when each is a
// folder of its own. A name under which no folder stands is no one's.
QString recusaPastasRepetidas(const QStringList& pastas);

// The same over the working folders (pastastrabalho.h).
QString recusaPastasTrabalhoRepetidas();

}  // namespace pluvexa
