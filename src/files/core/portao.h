#pragma once

// The file layer's gate, without Qt: the command line's coder and envelope
// commands run without loading Qt and still pass the same gate as every
// other file operation. Tests reach it through FalhasArquivo
// (arquivoseguro.h).

#include "files/core/falha.h"

#include <string>
#include <vector>

namespace pluvexa::portao {

struct Contagem {
    int falhaNa = 0;  // the operation (from 1) that fails; 0: none
    int codigo = 0;   // the system error it fails with; 0: "Simulated failure."
    int operacoes = 0;
    bool falhou = false;
    std::vector<std::string> registro;  // "<step> <path>", UTF-8, in order
};

// Makes `contagem` the one that counts (nullptr: none counts, every
// operation runs).
void instala(Contagem* contagem);
Contagem* instalada();

// Counts the operation and answers whether it may run.
bool permite(const char* passo, const std::string& caminho);

// Why the operation the gate refused failed: the system error it was
// told to fail with, else "Simulated failure." ("falha simulada").
Motivo motivo();

}  // namespace pluvexa::portao
