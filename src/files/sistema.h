#pragma once

// The platform's file steps under the file layer, shared by its parts. Each
// step answers false with `motivo` set to the system's reason, its error
// number kept. Not for callers outside the layer: they go through
// arquivoseguro.h, whose gate counts and fails these steps in tests.

#include "files/core/falha.h"

#include <QString>
#include <string>

namespace pluvexa::sistema {

// A path as messages show it: quoted, with the system's separators.
QString visivel(const QString& path);

// Renames over an existing file in one step.
bool trocaNome(const QString& de, const QString& para, Motivo& motivo);
// Renames `de` to `para` only while nothing stands under `para`: an
// existing file there is never replaced.
bool mudaNome(const QString& de, const QString& para, Motivo& motivo);
// Flushes a file's content to the device.
bool descarregaArquivo(const QString& path, Motivo& motivo);
// Makes the names in a folder durable.
bool descarregaPasta(const QString& pasta, Motivo& motivo);
// Deletes a file; one that is not there is no failure.
bool apaga(const QString& path, Motivo& motivo);

}  // namespace pluvexa::sistema

namespace pluvexa::sistema {

// A path as the layer's core takes it (the system's bytes; UTF-8 on
// Windows, whose wide calls convert it: parte::caminho), and back.
// caminhoSistema (arquivoseguro.h) is the two steps in one.
std::string nativo(const QString& path);
QString deNativo(const std::string& path);

// The failure of a step on `arquivo`, for both readers: the command line's
// `mensagem` (its reason appended) and the windows' operation and reason.
FalhaArquivo falhaDe(Operacao operacao, const QString& arquivo, const Motivo& motivo, const QString& mensagem);

}  // namespace pluvexa::sistema
