#pragma once

// The file layer's folder steps: listing a folder by masks and renaming a
// file over another. They pass the same gate as the other operations
// (FalhasArquivo: "list", "replace", "flush folder"), so tests can fail them.

#include "files/arquivoseguro.h"

#include <QString>
#include <QStringList>

namespace pluvexa {

// The names (without folder) of the files in `pasta` that match any of
// `mascaras`, letter case ignored ("*_1.rec" also finds "_1.REC"), sorted by
// name ignoring case. False, with `erro`, when the folder is missing or
// cannot be read; `nomes` is then empty.
bool listaArquivosPasta(const QString& pasta, const QStringList& mascaras, QStringList& nomes,
                        QString* erro = nullptr);
bool listaArquivosPasta(const QString& pasta, const QStringList& mascaras, QStringList& nomes, FalhaArquivo* falha);

// The names in `pasta` ending in `sufixo` (letter case ignored) whose bytes
// are not valid in the system's encoding (UTF-8): Qt's listings leave them
// out, so the windows name them instead. Each shown as the system gives it,
// other bytes as \xNN. Empty on Windows, whose names are always text.
QStringList nomesForaDaCodificacao(const QString& pasta, const QString& sufixo);

// Renames `origem` to `destino` in one step, replacing a file already named
// `destino` (rename on POSIX, MoveFileEx with replace-existing on Windows):
// at every moment one of the two files stands under `destino`. Durable: the
// folder is flushed afterwards. A failure names `origem` (Renomear).
bool renomeiaSobre(const QString& origem, const QString& destino, Durabilidade durabilidade,
                   QString* erro = nullptr);
bool renomeiaSobre(const QString& origem, const QString& destino, Durabilidade durabilidade, FalhaArquivo* falha);

}  // namespace pluvexa
