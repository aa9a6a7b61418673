#pragma once

// What makes a file the same file: the device it lies on and its number
// there (POSIX: st_dev and st_ino; Windows: the volume's serial number and
// the file index), with its kind, size and time of last write. A window that
// acts on a file some time after it read it (moves the received file it
// processed) compares these first: a file replaced under the same name, or
// rewritten in place, is another file. Two paths naming one folder (a link
// from one to the other) have the same device and number.

#include <QString>
#include <cstdint>

namespace pluvexa {

struct IdentidadeArquivo {
    enum class Tipo {
        Nenhum,   // nothing under the name, or it could not be looked at
        Comum,    // a regular file
        Pasta,
        Ligacao,  // a symbolic link (Windows: a reparse point); only when links are not followed
        Outro,    // a device, FIFO or socket
    };
    Tipo tipo = Tipo::Nenhum;
    std::uint64_t dispositivo = 0;
    std::uint64_t numero = 0;
    std::int64_t tamanho = 0;
    // The time of last write in the system's own unit (nanoseconds on
    // POSIX, 100-nanosecond ticks on Windows): compared, never shown.
    std::int64_t modificacao = 0;

    bool existe() const { return tipo != Tipo::Nenhum; }
    // The same object on its device, whatever its content now.
    bool mesmoObjeto(const IdentidadeArquivo& outra) const
    {
        return existe() && outra.existe() && dispositivo == outra.dispositivo && numero == outra.numero;
    }
    // The same object with the same kind, size and time of last write.
    bool operator==(const IdentidadeArquivo&) const = default;
};

enum class Ligacoes { Segue, NaoSegue };

// The identity of what `caminho` names; with Ligacoes::NaoSegue a link is
// looked at itself (Tipo::Ligacao), not the file it leads to.
IdentidadeArquivo identidadeArquivo(const QString& caminho, Ligacoes ligacoes = Ligacoes::Segue);

}  // namespace pluvexa
