#pragma once

// Line-oriented text file of the external import: reads the payroll
// system's ".rrm" files line by line and writes the import log. Lines are
// Windows-1252 bytes, never converted here.
//
// Reading follows the rules the payroll files were always read by: a line
// ends at a line feed, a carriage return right before it is not part of
// the line, and a last line without a line feed is no line at all (the
// payroll system ends every record; a cut last line is an unfinished
// write). Writing never leaves a half-written file under the final name:
// the bytes go to a temporary file as they are written, and it takes the
// name when closed.

#include "files/core/falha.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <string>

namespace pluvexa {

class SaidaArquivo;

class Arquivo {
public:
    Arquivo();
    ~Arquivo();  // closes the file if open (a file being written is kept)
    Arquivo(const Arquivo&) = delete;
    Arquivo& operator=(const Arquivo&) = delete;

    static constexpr const char* ModoLeitura = "rt";
    // A new file whose bytes go to disk as they are written (through the
    // file layer's temporary); it appears under its name at Fecha.
    static constexpr const char* ModoGravacao = "wt+";

    // Opens `nome` with exactly ModoLeitura or ModoGravacao; any other mode
    // opens nothing and answers false. On success NumLinhas := 0. A file
    // already open is closed first.
    bool Abre(const QString& nome, const std::string& modo);
    // The next line into Texto; false (and Texto empty) at the end of the
    // file, also when bytes without a closing line feed were read.
    bool LeLinha();
    // Whether a further complete line exists, without consuming it.
    bool ExisteLinha();
    const std::string& Linha() const { return Texto; }
    // Writes the bytes as they are (no line break added); an empty text,
    // a file not open for writing or a failed write answers false.
    bool Grava(const std::string& texto);
    // True also when no file is open; false when the file could not be
    // closed (for a written file: a write failed or it could not take its
    // name; falha() says why).
    bool Fecha();
    const FalhaArquivo& falha() const { return m_falha; }
    // Counts the complete lines from the current position to the end,
    // rewinds to the start of the file and leaves the count in NumLinhas.
    int ContaLinhas();

    std::string Texto;
    int NumLinhas = 0;

    // A line longer than this keeps its first kMaxLinha bytes; the rest is
    // read past. A record uses 71 bytes; the limit only keeps a file chosen
    // by mistake (a video, a disk image) from filling the memory.
    static constexpr std::size_t kMaxLinha = std::size_t(1) << 20;

private:
    class Entrada;
    std::unique_ptr<Entrada> m_entrada;
    std::unique_ptr<SaidaArquivo> m_saida;
    FalhaArquivo m_falha;
};

}  // namespace pluvexa
