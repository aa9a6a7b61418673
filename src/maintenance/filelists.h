#pragma once

#include <QString>
#include <QStringList>

namespace pluvexa {

// The names (without folder) of the files in `folder` whose names match
// `mask` regardless of case, sorted by name, so the last one is the highest.
QStringList listaArquivos(const QString& folder, const QString& mask);

// Deletes a file if it is there; a missing or undeletable file is no error.
void apagaSeExiste(const QString& path);

}  // namespace pluvexa
