#pragma once

// The platform's file steps under the file layer, shared by its parts. Each
// step answers false with `motivo` set to the system's reason. Not for
// callers outside the layer: they go through arquivoseguro.h, whose gate
// counts and fails these steps in tests.

#include <QString>

namespace pluvexa::sistema {

// A path as messages show it: quoted, with the system's separators.
QString visivel(const QString& path);
// The system's reason for the last failed call.
QString motivoSistema();
// What an injected failure says.
extern const QString kSimulada;

// Renames over an existing file in one step.
bool trocaNome(const QString& de, const QString& para, QString& motivo);
// Flushes a file's content to the device.
bool descarregaArquivo(const QString& path, QString& motivo);
// Makes the names in a folder durable.
bool descarregaPasta(const QString& pasta, QString& motivo);

}  // namespace pluvexa::sistema
