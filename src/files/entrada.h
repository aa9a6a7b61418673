#pragma once

// Every command and window reads only regular files and writes only a new
// name or over a regular file (files/core/natureza.h says why). The checks
// are made here once, and every reader and writer of the program calls
// them: the file layer's writers themselves, the readers before they open.

#include "files/core/natureza.h"
#include "files/core/falha.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace pluvexa {

// What stands under an input (links followed; a regular file is opened to
// see that it can be read). `erro` (when given) receives the command line's
// words: "\"<path>\" is not a regular file", "\"<path>\" does not exist",
// "Cannot read file \"<path>\". <reason>". `falha` the same as data.
natureza::Estado confereEntrada(const QString& caminho, QString* erro = nullptr, FalhaArquivo* falha = nullptr);

// What stands under an output's name (not followed): a new name or a
// regular file is accepted.
natureza::Estado confereSaida(const QString& caminho, QString* erro = nullptr, FalhaArquivo* falha = nullptr);

// The windows' words for an input or output refused: "<nome> não é um
// arquivo comum", "O arquivo <nome> não existe", "Não foi possível ler o
// arquivo <nome>: <motivo>." ("gravar" for an output). Empty when accepted.
// <nome> is the path as the operator reads it. With AusenteAceito::Sim a
// missing input is left to the caller (an empty answer).
enum class AusenteAceito { Nao, Sim };
QString recusaEntrada(const QString& caminho, AusenteAceito ausente = AusenteAceito::Nao);
QString recusaSaida(const QString& caminho);

// How a file is read. Inputs the user names (an import file, a command
// line input) are followed through links, as a link to a received file is
// that file. The program's own files in the folders the user can touch
// (the lock, the history's summary and kept batches, drafts, the settings)
// are taken as they stand: a link put in their place is refused, never
// followed, and so is anything but a regular file (a FIFO never holds the
// program, a link to /dev/zero never feeds it). `limite` refuses (never
// truncates) a file larger than the program ever writes under that name.
struct Leitura {
    bool segueLigacao = true;
    std::int64_t limite = -1;  // bytes; none when negative

    static Leitura propria(std::int64_t limite) { return {false, limite}; }
};

// Reads the whole of the regular file `caminho` (links followed), never
// waiting on a FIFO and never taking a device for a file. False, with
// `erro` in the command line's words above (`falha` as data), when it is
// none or cannot be opened or read; `dados` is then empty.
bool leArquivo(const QString& caminho, QByteArray& dados, QString* erro = nullptr);
bool leArquivo(const QString& caminho, QByteArray& dados, FalhaArquivo* falha);
// The same as `leitura` says. A file past its limit fails as unreadable,
// its reason "It is larger than <n>." ("tem mais de <n>"), whether its size
// said so or it grew while read.
bool leArquivo(const QString& caminho, const Leitura& leitura, QByteArray& dados, FalhaArquivo* falha = nullptr);

// The program's own file `caminho` looked at as leArquivo(propria(limite))
// would take it, without reading it: for a file that something else opens
// itself (Qt's lock and settings files), checked before it is touched.
// Aceito, Ausente, NaoComum (a link, folder, FIFO, device or socket), or
// Inacessivel (refused by the system, or larger than `limite`: its reason
// then the layer's own, motivo.codigo 0), with `falha` saying why.
natureza::Estado conferePropria(const QString& caminho, std::int64_t limite, FalhaArquivo* falha = nullptr);

}  // namespace pluvexa
