#pragma once

// The working folders. The root is C:\Drovanti\Pluvexa on Windows and
// $HOME/Drovanti/Pluvexa elsewhere; raizTrabalho() is the one place that
// knows it, so tests point HOME at a temporary folder.

#include <QString>

namespace pluvexa {

QString raizTrabalho();

QString pastaRecebidos();    // received files waiting ("*_1.rec")
QString pastaGerados();      // answer files ("*_2.rec") and their ".LOG"
QString pastaRascunho();     // the current draft
QString pastaProcessados();  // received files already answered
QString pastaLog();          // import logs
QString pastaHistorico();    // what was sent: each answer's plain text, compressed

// Creates the folders above, but for the log's, with missing parents; true
// when all exist.
bool criaPastasTrabalho();

// A path as the operator should read it (native separators).
QString caminhoVisivel(const QString& path);

}  // namespace pluvexa
