#pragma once

// An Office Open XML workbook (.xlsx, Excel's and Calc's), read from its
// bytes: the sheets in the workbook's order, with their names, each
// streamed from its part. Shared and inline strings are texts, numbers
// numbers, a formula cell its cached result, booleans "VERDADEIRO" or
// "FALSO" as Excel shows them in Portuguese, error values their text
// ("#DIV/0!"). A merged title is the text of its first cell.

#include "exchange/livros/leituralivro.h"

#include <QByteArray>

namespace pluvexa::livros {

// `nome`: the file as the operator reads it, for the messages.
Livro leXlsx(const QByteArray& bytes, const QString& nome);

}  // namespace pluvexa::livros
