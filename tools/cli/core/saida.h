#pragma once

// Exit status and failure line of pluvexa-cli's commands, without Qt: the
// coder and envelope commands run without loading it.

#include <string>

namespace pluvexa::cli {

// 0 success, 1 failure (one line on standard error saying why), 2 wrong usage.
enum Saida { Sucesso = 0, Falha = 1, UsoErrado = 2 };

// Prints "pluvexa-cli: <message>" (UTF-8) on standard error and returns Falha.
int falha(const std::string& message);

}  // namespace pluvexa::cli
