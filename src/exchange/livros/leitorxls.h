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
// (damaged, saved with a password, a sheet too large by its dimension);
// empty when it may be read.
QString recusaXls(const QString& caminho, const QString& nome);

// Whether FreeXL reports the workbook `caminho` as saved with a password.
bool xlsComSenha(const QString& caminho);

}  // namespace pluvexa::livros
