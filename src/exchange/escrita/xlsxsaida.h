#pragma once

// A table as an Excel workbook (.xlsx), through libxlsxwriter: one sheet,
// a bold header row frozen in place, codes as text cells (a text format, so
// an edit keeps them text), numbers as numbers shown as #,##0.00 (money) or
// #,##0 (credits), columns as wide as their content. The library writes
// only to a file name: it writes in a private scratch folder of its own,
// and the bytes are then put in place through the file layer like every
// file the program writes.

#include "exchange/escrita/tabelasaida.h"
#include "files/core/falha.h"

#include <QString>

namespace pluvexa {

// A failure of the making of a workbook, before the file layer's steps
// (the scratch folder, the library): named by the final file, which the
// operator knows, as "Cannot write file ...".
FalhaArquivo falhaDaPlanilha(const QString& destino, const Motivo& motivo);

bool gravaXlsx(const TabelaSaida& tabela, const QString& destino, FalhaArquivo& falha);

}  // namespace pluvexa
