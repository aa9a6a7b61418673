#pragma once

// The platform's file steps under the file layer, shared by its parts. Each
// step answers false with `motivo` set to the system's reason. Not for
// callers outside the layer: they go through arquivoseguro.h, whose gate
// counts and fails these steps in tests.

#include <QString>
#include <string>

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

namespace pluvexa::sistema {

// A path as the system takes it (bytes), and back.
std::string nativo(const QString& path);
QString deNativo(const std::string& path);

// Copies the content of the regular file `origem` into the temporary
// `destino` just created (open in `descritor` when >= 0, which is closed):
// false, with `motivo`, when the source cannot be read, is no regular file,
// or the copy does not end with the size the source had.
bool copiaConteudo(const QString& origem, const QString& destino, int descritor, QString& motivo);

}  // namespace pluvexa::sistema
