#pragma once

// An Excel 97-2003 workbook (.xls), read with FreeXL: the sheets in order
// with their names, numbers as numbers (FreeXL's whole and decimal cells),
// texts as texts, dates and times as the text FreeXL gives
// ("2026-03-09"), a formula cell its cached result. Each sheet's dimension
// record is checked before any cell is read (2,000,000 cells at most); a
// workbook saved with a password is refused as such.

#include "exchange/livros/leituralivro.h"

namespace pluvexa::livros {

// FreeXL reads from a file name. `nome`: the file as the operator reads
// it, for the messages.
Livro leXls(const QString& caminho, const QString& nome);

// The reason the workbook `caminho` is refused before any cell is read
// (a sheet too large by its dimension, damaged, saved with a password);
// empty when it may be read.
QString recusaXls(const QString& caminho, const QString& nome);

// The most cells a sheet of the .xls `bytes` declares, by its dimension
// records (id 0x0200, 14 bytes: first row, last row + 1, first column,
// last column + 1, reserved). FreeXL makes room for every declared cell as
// soon as it opens a file, even to answer a question about it, so a sheet
// of 65,536 rows of 256 columns would cost some 270 MB before one could
// say no: the records are looked for in the file's bytes first. Only the
// records' own shape is trusted (rows up to 65,536, columns up to 256,
// the reserved field 0); the cells themselves are FreeXL's to read.
std::int64_t celulasDeclaradas(const QByteArray& bytes);

// Whether FreeXL reports the workbook `caminho` as saved with a password
// (call it only on a workbook within celulasDeclaradas' bound).
bool xlsComSenha(const QString& caminho);

}  // namespace pluvexa::livros
