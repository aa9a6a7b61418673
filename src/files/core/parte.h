#pragma once

// One output file written through a temporary, without Qt: for the command
// line's coder and envelope commands, whose input remains (so nothing is
// flushed to the device). The same steps, gate and messages as a Gravacao
// of one file with Durabilidade::Comum (arquivoseguro.h): the writer fills a
// new temporary (temporario.h) beside `destino`, which is renamed over
// `destino` in one step only when the writer succeeded; otherwise the
// temporary is deleted and `destino` is as it was. `destino` must be a new
// name or an existing regular file (natureza.h). Paths are bytes as the
// system takes them (UTF-8 when typed so).

#include "files/core/falha.h"

#include <filesystem>
#include <functional>
#include <string>

namespace pluvexa::parte {

enum class Resultado {
    Colocado,        // the new file stands under its name
    EscritorFalhou,  // the writer answered false; `falha` names the temporary
    PassoFalhou,     // `destino` refused, or creating or renaming the temporary failed; `falha` says why
};

// A writer that fails is taken to have met the device's error when the
// system reports one a write meets (falhaDeGravacao), else to have failed
// for its own reasons.
Resultado produz(const std::string& destino, const std::function<bool(const std::filesystem::path& parte)>& escritor,
                 FalhaArquivo& falha);

// A UTF-8 path as the file system takes it: every file the layer and the
// command line's commands open passes here. On POSIX the bytes as they are
// (a name need not be valid UTF-8). On Windows UTF-16, made absolute and
// given the "\\?\" prefix ("\\?\UNC\" for a share), so that names
// beyond the ANSI code page and paths over 260 characters open alike.
std::filesystem::path caminho(const std::string& utf8);

// The platform's steps, shared with the Qt side of the layer.
// A path as messages show it: quoted, with the system's separators.
std::string visivel(const std::string& utf8);
// A name as the system gives it, bytes outside printable ASCII as \xNN:
// how a name that is not valid UTF-8 is shown.
std::string escapado(const std::string& bytes);
// Renames `de` over `para` (replacing it) in one step.
bool trocaNome(const std::filesystem::path& de, const std::filesystem::path& para, Motivo& motivo);
// Why a writer given a path failed: the device's error it met, read from
// the system right after it (see falhaDeGravacao), or a reason of its own.
Motivo motivoDoEscritor();

}  // namespace pluvexa::parte
