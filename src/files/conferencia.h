#pragma once

// Every command and window reads only regular files and writes only a new
// name or over a regular file (files/core/natureza.h says why). The checks
// are made here once, and every reader and writer of the program calls
// them: the file layer's writers themselves, the readers before they open.

#include "files/core/natureza.h"
#include "files/core/falha.h"

#include <QByteArray>
#include <QString>

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

// Reads the whole of the regular file `caminho` (links followed), never
// waiting on a FIFO and never taking a device for a file. False, with
// `erro` in the command line's words above (`falha` as data), when it is
// none or cannot be opened or read; `dados` is then empty.
bool leArquivo(const QString& caminho, QByteArray& dados, QString* erro = nullptr);
bool leArquivo(const QString& caminho, QByteArray& dados, FalhaArquivo* falha);

}  // namespace pluvexa
