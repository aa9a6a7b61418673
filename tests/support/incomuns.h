#pragma once

// Files that are not regular files, made where a test needs them: what an
// operator, another program or an attacker may put under a name the
// program reads or writes.

#include <QString>
#include <ostream>

namespace pluvexa::test {

enum class Incomum {
    Pasta,        // a folder
    Dispositivo,  // a character device (mknod c 1 3, like /dev/null); needs root
    Fifo,         // a named pipe, which blocks a reader until someone writes
    LigacaoZero,  // a symbolic link to /dev/zero, which never ends
    Ligacao,      // a symbolic link to a regular file beside it ("<name>.alvo")
};

void PrintTo(Incomum e, std::ostream* os);

// Makes `e` at `caminho`. False, with `porque` set, when this system or
// user cannot (a device needs root): the caller skips.
bool criaIncomum(Incomum e, const QString& caminho, QString* porque = nullptr);

// Whether `caminho` still is what criaIncomum made (a link still a link
// to the same target, a device still a device, the link's target intact).
bool aindaIncomum(Incomum e, const QString& caminho);

}  // namespace pluvexa::test
