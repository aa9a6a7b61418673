#pragma once

// What stands under a path, as the readers and writers of the program need
// to know it, without Qt. Every command and window reads only regular files
// (links followed: a link to a received file is that file) and writes only
// a new name or over an existing regular file: a folder, a device, a FIFO
// or a socket would block a reader, feed it without end or, replaced by a
// rename, be lost; a link among the outputs would be replaced by a file.

#include "files/core/falha.h"

#include <string>

namespace pluvexa::natureza {

enum class Estado {
    Aceito,       // a regular file (inputs), or a new name or a regular file (outputs)
    Ausente,      // nothing under the name (inputs only: an output may be new)
    NaoComum,     // a folder, device, FIFO, socket (or a link, for outputs)
    Inacessivel,  // the system refused to look or to open; `motivo` says why (its error number kept)
};

// An input: follows links, then opens the file for reading without
// waiting (so that a FIFO never blocks) and looks again at what was opened.
Estado entrada(const std::string& caminho, Motivo& motivo);

// An output: a new name or an existing regular file, the name itself
// looked at (a link is refused, not followed).
Estado saida(const std::string& caminho, Motivo& motivo);

// The command line's words for a refused input or output, naming the path
// as messages show it: "\"<path>\" is not a regular file", "\"<path>\" does
// not exist", "Cannot read file \"<path>\". <reason>" (for an output:
// "Cannot write file ...").
std::string mensagem(Estado estado, const std::string& caminho, const Motivo& motivo, bool deSaida);

// The same refusal as data: `caminho` could not be read (Ler) or written
// (Gravar), the reason in both languages; the command line's sentence is
// mensagem()'s. Nothing (an empty mensagem) when accepted.
FalhaArquivo falha(Estado estado, const std::string& caminho, const Motivo& motivo, bool deSaida);

// The same checks answering only the message: empty when accepted.
std::string confereEntrada(const std::string& caminho);
std::string confereSaida(const std::string& caminho);

}  // namespace pluvexa::natureza
