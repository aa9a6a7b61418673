#pragma once

// What every command of the full command line agrees on: where the working
// root is (PLUVEXA_ROOT, else the program's own), how a path is named in a
// message, "-" as standard output, and the nearest option to a mistyped one.

#include <QString>
#include <QStringList>

namespace pluvexa::cli {

// The environment variable that moves the working root, so that a support
// engineer can point every command at a copy of an operator's folders.
inline constexpr char kVariavelRaiz[] = "PLUVEXA_ROOT";

// PLUVEXA_ROOT when set and not empty, else the program's working root.
QString raizCli();
// raizCli()'s Recebidos and Log folders.
QString recebidosCli();
QString logCli();

// A path as every message names it: in double quotes, with the system's
// separators ("\"/home/ana/folha.rrm\"").
QString citado(const QString& path);

// True when `saida` names standard output ("-").
bool ehSaidaPadrao(const QString& saida);

// The name among `conhecidas` (without dashes) nearest to `digitada` by
// edit distance, when it is near enough to be a slip of the keyboard;
// empty otherwise.
QString maisProxima(const QString& digitada, const QStringList& conhecidas);

}  // namespace pluvexa::cli
