#pragma once

// An OpenDocument spreadsheet (.ods, Calc's own), read from its bytes: the
// sheets (table:table) of content.xml in order, streamed. A float,
// currency or percentage cell is a number (its office:value); any other
// cell with content is its text as shown, paragraphs joined by a line
// break. Repeated rows and columns count as what they expand to, but only
// those holding something are kept: the empty rows Calc writes to the
// sheet's end neither trip a bound nor take memory. A merged title is the
// text of its first cell (the covered ones are empty). A workbook saved
// with a password is refused as such.

#include "exchange/livros/leituralivro.h"

#include <QByteArray>

namespace pluvexa::livros {

inline constexpr char kTipoOds[] = "application/vnd.oasis.opendocument.spreadsheet";

// `nome`: the file as the operator reads it, for the messages.
Livro leOds(const QByteArray& bytes, const QString& nome);

}  // namespace pluvexa::livros
