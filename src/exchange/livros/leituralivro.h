#pragma once

// A workbook chosen for import (.xlsx, .ods or .xls, told by its first
// bytes; see tipoarquivo.h), read into the sheets every spreadsheet reader
// hands over (exchange/tabelaplanilha.h): each sheet with its name, its
// rows numbered as the sheet numbers them. Reading only: what the cells
// mean is the interpretation's business.
//
// Bounded as every import file (limiteslivro.h): a workbook past a bound
// gives no sheet and the reason, in the operator's words.

#include "exchange/tabelaplanilha.h"

#include <QString>
#include <vector>

namespace pluvexa {

struct Livro {
    std::vector<AbaPlanilha> abas;  // in the workbook's order, empty ones too
    QString erro;                   // not empty: nothing read, and why

    bool ok() const { return erro.isEmpty(); }
};

// Reads the workbook `caminho`. A file that is no workbook (a CSV, an .rrm,
// a PDF) gives the refusal recusaArquivo() gives, or the text that it is
// no spreadsheet.
Livro leLivro(const QString& caminho);

}  // namespace pluvexa
