#pragma once

// The bytes of the layer's files, without Qt: a temporary just created is
// filled, a regular file read or copied. Every failed call keeps the
// system's error number (falha.h), so that a full disk is told as one in
// the windows' words and in the command line's alike. Not for callers
// outside the layer.

#include "files/core/natureza.h"
#include "files/core/falha.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace pluvexa::conteudo {

// A file open for writing: a temporary just created, by its descriptor
// (POSIX), or an existing file opened by name (a descriptor < 0; always on
// Windows, whose temporaries are created closed). Closed when it goes.
class Saida {
public:
    Saida() = default;
    ~Saida();
    Saida(const Saida&) = delete;
    Saida& operator=(const Saida&) = delete;

    bool abre(const std::string& caminho, int descritor, Motivo& motivo);
    // Writes all `n` bytes.
    bool grava(const void* dados, std::size_t n, Motivo& motivo);
    // Closes it: false when the system reports a failure at closing (some
    // file systems report a full disk only then).
    bool fecha(Motivo& motivo);

private:
#ifdef _WIN32
    void* m_arquivo = nullptr;  // a HANDLE; none when closed
#else
    int m_descritor = -1;
#endif
};

// A regular file open for reading, opened without waiting, so that a FIFO
// never blocks, and looked at through what was opened. Links are followed
// unless the caller says otherwise: the program's own files are taken as
// they stand, a link put in their place being no regular file. Closed when
// it goes.
class Entrada {
public:
    Entrada() = default;
    ~Entrada();
    Entrada(const Entrada&) = delete;
    Entrada& operator=(const Entrada&) = delete;

    // Aceito once open; Ausente, NaoComum or Inacessivel (with `motivo`:
    // the system's error, or ENOENT for Ausente) otherwise. With
    // `segueLigacao` false a last link is refused (NaoComum), never opened,
    // and nothing but a regular file is opened at all (a device is not
    // touched).
    natureza::Estado abre(const std::string& caminho, Motivo& motivo, bool segueLigacao = true);
    // The size the system reports for it once open.
    std::int64_t tamanho() const { return m_tamanho; }
    // Up to `n` bytes: their count, 0 at the end, -1 with `motivo` on a failure.
    std::int64_t le(void* destino, std::size_t n, Motivo& motivo);

private:
#ifdef _WIN32
    void* m_arquivo = nullptr;
#else
    int m_descritor = -1;
#endif
    std::int64_t m_tamanho = 0;
};

// Copies the content of the regular file `origem` into `saida`; the copy
// must end with the size the source had. False with `motivo`; `naOrigem`
// then tells a source that is missing, no regular file or unreadable from
// a copy that could not be written.
bool copia(const std::string& origem, Saida& saida, Motivo& motivo, bool& naOrigem);

}  // namespace pluvexa::conteudo
