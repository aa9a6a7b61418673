#pragma once

// One output file written through its part, without Qt: for the command
// line's coder and envelope commands, whose input remains (so nothing is
// flushed to the device). The same steps, gate and messages as a Gravacao
// of one file with Durabilidade::Comum (arquivoseguro.h): the writer fills
// "<destino>.part", which is renamed over `destino` in one step only when
// the writer succeeded; otherwise the part is deleted and `destino` is as it
// was. Paths are UTF-8, as typed.

#include <filesystem>
#include <functional>
#include <string>

namespace pluvexa::parte {

enum class Resultado {
    Colocado,        // the new file stands under its name
    EscritorFalhou,  // the writer answered false; `erro` names the part
    PassoFalhou,     // creating or renaming the part failed; `erro` says why
};

// "<destino>.part".
std::string nome(const std::string& destino);

Resultado produz(const std::string& destino, const std::function<bool(const std::filesystem::path& parte)>& escritor,
                 std::string& erro);

// A UTF-8 path as the file system takes it.
std::filesystem::path caminho(const std::string& utf8);

// The platform's steps, shared with the Qt side of the layer.
// A path as messages show it: quoted, with the system's separators.
std::string visivel(const std::string& utf8);
// The system's reason for the last failed call, e.g. "No such file or directory.".
std::string motivoSistema();
// What an injected failure says.
extern const char* const kSimulada;
// Renames `de` over `para` (replacing it) in one step.
bool trocaNome(const std::filesystem::path& de, const std::filesystem::path& para, std::string& motivo);

}  // namespace pluvexa::parte
