#pragma once

// The names and paths of the disk transfer: where a file goes, what a
// transferred file is called, what the disk prompt says, and which folders
// the program keeps for itself.

#include <QString>

namespace pluvexa {

// The masks of the two file lists and of the deletion on the company's disk,
// matched ignoring letter case.
inline const QString kMascaraRecebidos = QStringLiteral("*_1.rec");
inline const QString kMascaraGerados = QStringLiteral("*_2.rec");
inline const QString kMascaraRecarga = QStringLiteral("*.REC");

// `nome` in `pasta`, with one separator between them also when the folder
// is a drive's root ("E:\", "/").
QString caminhoNaPasta(const QString& pasta, const QString& nome);

// The name that marks a file as transferred: the path without its last five
// characters, then "4.REC" ("..._1.rec" and "..._2.REC" both end in "_4.REC").
// It stays in its folder.
QString nomeTransferido(const QString& caminho);

// "       Coloque o Disco da Empresa \n" + characters 4 to 8 of `nome` (the
// company code of an answer file) + " \n      no Drive " + `unidade` + "!".
QString perguntaDisco(const QString& nome, const QString& unidade);

// True when `pasta` is the working root or lies below it: deleting "*.REC"
// there would throw away the operator's files.
bool pastaDeTrabalho(const QString& pasta);

// True when both paths name the same existing file (links and letter case
// as the file system sees them).
bool mesmoArquivo(const QString& a, const QString& b);

}  // namespace pluvexa
