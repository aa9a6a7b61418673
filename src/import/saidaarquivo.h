#pragma once

// Where the bytes of a written text file go: a temporary file beside the
// target that takes the target's name, in one step, only when closed. A
// failure at any step leaves an earlier file of that name as it was.

#include <QString>
#include <memory>
#include <string>

class QSaveFile;

namespace pluvexa {

class SaidaArquivo {
public:
    SaidaArquivo();
    ~SaidaArquivo();  // discards what was not concluded

    bool abre(const QString& nome);
    bool grava(const std::string& bytes);
    // Flushes and puts the file under its name; false when that failed.
    bool conclui();

private:
    std::unique_ptr<QSaveFile> m_arquivo;
};

}  // namespace pluvexa
