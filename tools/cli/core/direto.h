#pragma once

// pluvexa-cli's direct path: compress, expand, seal and open, with their
// help and usage checks, run here without Qt, so that a script compressing
// or sealing many small files does not pay for loading it each time. The
// full command line runs these four through the same path; every other
// command goes to it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pluvexa::cli {

// A command this path runs and the options it takes, each with a value,
// named as the full command line names them.
struct ComandoDireto {
    std::string_view nome;
    std::vector<std::string_view> opcoes;
};
const std::vector<ComandoDireto>& comandosDiretos();

// The exit status when the command (`args`, its name first, UTF-8) is one
// of the four: run, its help printed or its wrong usage told (exit 2).
// Nothing for any other command.
std::optional<int> executaComando(const std::vector<std::string>& args);

// The same for the program's arguments (argv[1] the command).
std::optional<int> executaDireto(int argc, char** argv);

// Runs the full command line ("pluvexa-cli-full", beside this program)
// with the same arguments and answers its exit status.
int executaCompleto(int argc, char** argv);

}  // namespace pluvexa::cli
