#pragma once

// Where the bytes of a written text file go: gathered in memory and put in
// place through the file layer when closed, flushed to the device (a log
// whose loss costs the operator the record of what was imported). A failure
// at any step leaves an earlier file of that name as it was.

#include "files/core/falha.h"

#include <QString>
#include <string>

namespace pluvexa {

class SaidaArquivo {
public:
    // False when the file's folder is missing or cannot be written.
    bool abre(const QString& nome);
    bool grava(const std::string& bytes);
    // Puts the file under its name; false when that failed, falha() saying why.
    bool conclui();
    const FalhaArquivo& falha() const { return m_falha; }

private:
    QString m_nome;
    FalhaArquivo m_falha;
    std::string m_dados;
    bool m_aberto = false;
};

}  // namespace pluvexa
