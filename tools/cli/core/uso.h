#pragma once

// The help and usage checks of compress, expand, seal and open, without Qt:
// both programs answer "--help" and wrong usage (exit 2) here, so neither
// needs the other for them. The arguments are taken as the other commands'
// are (Qt's command-line parser, one dash or two, "--name=value" or
// "--name value", options before or after the positionals, "--" ending
// them, the last of a repeated option counting), and the words are the same.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pluvexa::cli {

// The command line once analysed: the last value of each option given and
// the positionals.
struct Analise {
    std::map<std::string, std::string> opcoes;
    std::vector<std::string> posicionais;
    bool ajuda = false;
    bool silencioso = false;  // --quiet: the coder's progress left out
};

// Analyses `args` (the command's name first) taking `opcoes` (each with a
// value), -h/--help and --quiet. Nothing, with `erro` set to the parser's words
// ("unknown option '--lmit'; did you mean '--limit'?", as the other commands
// say it, or Qt's "Missing value after '--key'."), on wrong usage.
std::optional<Analise> analisa(const std::vector<std::string>& args, const std::vector<std::string_view>& opcoes,
                               std::string& erro);

// A whole decimal number as the other commands read one (blanks around it
// and a '+' allowed), within [minimo, maximo]; nothing otherwise.
std::optional<long long> inteiro(const std::string& texto, long long minimo, long long maximo);

}  // namespace pluvexa::cli
