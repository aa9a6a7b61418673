#pragma once

// The working folders. The root is C:\Drovanti\Pluvexa on Windows and
// $HOME/Drovanti/Pluvexa elsewhere; raizTrabalho() is the one place that
// knows it, so tests point HOME at a temporary folder.

#include <QString>

namespace pluvexa {

QString raizTrabalho();

// The home folder's name when the program cannot use it: on a system whose
// names are bytes, one not valid in the system's encoding (UTF-8) would
// become, in Qt's text, another folder with its bad bytes replaced, and the
// working folders would be made there. Shown as the system gives it, other
// bytes as \xNN. Empty when it can be used (always on Windows, whose root
// is fixed). Every start that works in the root asks first.
QString pastaPessoalInutilizavel();

QString pastaRecebidos();    // received files waiting ("*_1.rec")
QString pastaGerados();      // answer files ("*_2.rec") and their ".LOG"
QString pastaRascunho();     // the current draft
QString pastaProcessados();  // received files already answered
QString pastaLog();          // import logs
QString pastaHistorico();    // what was sent: each answer's plain text, compressed
QString pastaRejeitados();   // received files set aside by the operator: never processed, never deleted

// Creates the folders above, but for the log's, with missing parents; true
// when all exist.
bool criaPastasTrabalho();

// A path as the operator should read it (native separators).
QString caminhoVisivel(const QString& path);

}  // namespace pluvexa
