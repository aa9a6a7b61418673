#pragma once

// Temporary files of the file layer, without Qt. A temporary is named
// ".<final name>.<6 random characters>.tmp" in the folder of the file it
// becomes (or accompanies), so that it matches none of the program's masks,
// and it is created exclusively without following a link: it never existed
// before, and no file of the operator or of another program is ever taken
// for one. Two programs writing the same output get two temporaries.
//
// The layer keeps the temporaries it created in this run; its clean-up
// removes only those, and only while they are still the file it created.

#include "files/core/falha.h"

#include <cstdint>
#include <string>

namespace pluvexa::temporario {

// A name for a temporary beside `vizinho` (a path, UTF-8 as the system
// takes it): ".<name>.<6 random characters>.tmp" in the same folder. When
// that would exceed the folder's longest name, the part taken from `vizinho`
// is shortened (never the final name itself).
std::string nome(const std::string& vizinho);

// The longest name (in bytes) a file of `pasta` may have.
std::size_t nomeMaximo(const std::string& pasta);

// Creates a new, empty temporary beside `vizinho` (O_CREAT | O_EXCL |
// O_NOFOLLOW; CREATE_NEW on Windows), trying other random names while the
// chosen one exists. Answers its path, or an empty string with `motivo` set
// to the system's reason (and `tentado`, when given, to the name last
// tried). With `descritor`, the file stays open for writing and the caller
// closes it (POSIX; -1 on Windows, where the caller opens the path itself).
std::string cria(const std::string& vizinho, Motivo& motivo, int* descritor = nullptr,
                 std::string* tentado = nullptr);

// Gives `existente` a second name (a hard link) as a temporary beside it:
// the old file of a group kept aside. Empty with `motivo` when the file
// system has no hard links or the link fails.
std::string ligacao(const std::string& existente, Motivo& motivo);

// True while `caminho` is a temporary this run created and it is still the
// same regular file (not replaced by a link or another file).
bool intacto(const std::string& caminho);

// Removes a temporary this run created, if it is still the file created;
// anything else under that name is left alone. Either way the name is no
// longer counted as the layer's.
void remove(const std::string& caminho);

// After a temporary was renamed to its final name: it is no longer one.
void esquece(const std::string& caminho);

// How many temporaries of this run still stand (for tests).
std::size_t pendentes();

}  // namespace pluvexa::temporario
