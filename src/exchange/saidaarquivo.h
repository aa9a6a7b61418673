#pragma once

// Where the bytes of a written text file go: straight into the file layer's
// temporary of the final name as they come, put in place when closed and
// flushed to the device (a log whose loss costs the operator the record of
// what was imported). The content is never held in memory: a log grows with
// its input, one line per record. A failure at any step leaves an earlier
// file of that name as it was.

#include "files/arquivoseguro.h"

#include "files/core/falha.h"

#include <QString>
#include <memory>
#include <string>

namespace pluvexa {

class SaidaArquivo {
public:
    // Creates the temporary; false (with erro()) when the name is refused
    // or the temporary cannot be made there.
    bool abre(const QString& nome);
    bool grava(const std::string& bytes);
    // Puts the file under its name; false when that failed or any write
    // did, falha() saying why.
    bool conclui();
    const FalhaArquivo& falha() const { return m_falha; }

private:
    std::unique_ptr<GravacaoContinua> m_gravacao;
    FalhaArquivo m_falha;
};

}  // namespace pluvexa
