#pragma once

// Shared pieces of pluvexa-cli's commands. Exit status: 0 success, 1 failure
// (one line on standard error saying why), 2 wrong usage.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "core/saida.h"
#include "recharge/modelo.h"
#include "recharge/camposregistro.h"
#include "recharge/processamento.h"

namespace pluvexa::cli {


// The command's description for --help, ending with its exit status:
// "Exit status: <saidas>, 2 wrong usage." (`saidas` says what 0 and 1
// mean for it). The manual page takes both from there.
void descreve(QCommandLineParser& parser, const QString& descricao, const QString& saidas);

// Parses `args` (the command name first). Returns -1 when the command should
// run, otherwise the exit status (help printed: 0; a usage error: 2).
// `posicionais` is the exact number of positional arguments required (any
// number when negative: the command counts them itself). The help names the
// command as it is typed: "Usage: pluvexa-cli <command> [options] ...".
int analisa(QCommandLineParser& parser, const QStringList& args, int posicionais);

// Prints "pluvexa-cli: <message>" on standard error and returns Falha.
int falha(const QString& message);

// For a command about to work in the default working root (or one of its
// folders, ambiente.h): when PLUVEXA_ROOT names no folder, or, without it,
// the home folder's name cannot be used ("pluvexa-cli: the home folder's
// name is not valid UTF-8"), prints why and answers Falha; nothing
// otherwise.
std::optional<int> confereRaizPadrao();

// Prints a line on standard output (UTF-8).
void escreve(const QString& line);

// Loads the plain recharge text of `path` as the window would: a received
// file is opened and expanded, a draft expanded (`rascunho`), plain text
// (`plano`) read as it is, with the processing log's lines for these steps
// appended to `log`. The temporary files go to a private folder, never
// beside the file. On failure, the reason; a draft or plain text that is
// not whole (completude.h) is a failure ("\"<path>\" is incomplete: ..."),
// a received file that is not only adds the log line. A received file
// that does not open gets a second line saying what it is
// (diagnosticoenvelope.h); a sealed file given as plain text or a draft is
// refused as such.
std::optional<QString> carrega(const QString& path, bool rascunho, bool plano, std::vector<Texto>& linhas,
                               QStringList& log);

// Loads `path` as the window would (a received file opened and expanded, a
// draft expanded, plain text as it is) and processes it into `modelo`. The
// processing log goes to `log`; false, with `erro` saying why, when the file
// could not be loaded or a numeric field is no number.
// `diagnosticos`, when given, receives the lines that point at what went
// wrong (diagnosticolinhas.h) when the file is not processed or not
// consistent.
bool processaArquivo(const QString& path, bool rascunho, bool plano, ModeloRecarga& modelo,
                     ResultadoProcessamento& resultado, QStringList& log, QString& erro,
                     QStringList* diagnosticos = nullptr);

// The lines that point at what went wrong in `linhas` (loaded from `path`
// as plain text when `plano`), the conversion error `erro` included.
QStringList diagnostico(const QString& path, bool plano, const std::vector<Texto>& linhas, const ErroConversao* erro);
// Prints them on standard error, after what standard output holds.
void imprimeDiagnostico(const QStringList& diagnostico);
// The reason a processing stopped at a field that is not a number (which
// the diagnostic lines name).
QString naoProcessa(const QString& path);

// For the commands that work on FILE's model after processing it: does
// processaArquivo with the processing log on standard error. Answers
// nothing when FILE is processed and consistent, otherwise the exit status
// (Falha, the reason printed; `nada` says what is then not done, e.g.
// "nothing imported").
std::optional<int> processaConsistente(const QString& path, bool rascunho, bool plano, ModeloRecarga& modelo,
                                       ResultadoProcessamento& resultado, const QString& nada);

// Runs the command named first in `args` and answers the exit status.
int executa(QStringList args);

using Executor = int (*)(const QStringList& args);

int compress(const QStringList& args);
int expand(const QStringList& args);
int keygen(const QStringList& args);
int seal(const QStringList& args);
int open(const QStringList& args);
int check(const QStringList& args);
int rewrite(const QStringList& args);
int central(const QStringList& args);
int demo(const QStringList& args);
int listing(const QStringList& args);
int importa(const QStringList& args);
int exporta(const QStringList& args);
int review(const QStringList& args);
int history(const QStringList& args);

}  // namespace pluvexa::cli
