#pragma once

// pluvexa-cli's direct path: compress, expand, seal and open, well formed,
// run here without Qt, so that a script compressing or sealing many small
// files does not pay for loading it each time. Everything else (help,
// usage errors, the other commands) goes to the full command line, which
// says the same for these four.

#include <optional>
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

// The exit status when the command line is one this path runs; nothing
// when the full command line must take it.
std::optional<int> executaDireto(int argc, char** argv);

// Runs the full command line ("pluvexa-cli-full", beside this program)
// with the same arguments and answers its exit status.
int executaCompleto(int argc, char** argv);

}  // namespace pluvexa::cli
