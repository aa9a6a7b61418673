#pragma once

// A spreadsheet as its readers hand it over, whatever it was saved as
// (a workbook of Excel or Calc, or CSV text): sheets of rows of cells. The
// readers only read; finding the header, the columns and the values is the
// business of the one interpretation that serves every format, so a clerk's
// sheet means the same whether it came as .xlsx, .ods, .xls or .csv.

#include <QString>
#include <vector>

namespace pluvexa {

struct CelulaPlanilha {
    enum class Tipo { Vazia, Texto, Numero };
    Tipo tipo = Tipo::Vazia;
    // Texto: the cell's text as the spreadsheet shows it (a CSV field
    // decoded from its encoding). A formula cell holds its cached result.
    QString texto;
    // Numero: the cell's value as stored, before any display format.
    double numero = 0;
};

struct LinhaTabela {
    // The sheet's own row number, from 1 (for CSV, the row's first line in
    // the file), so messages point where the clerk looks.
    int linha = 0;
    // Column A first; a trailing run of empty cells may be left out.
    std::vector<CelulaPlanilha> celulas;
};

struct AbaPlanilha {
    QString nome;  // the sheet's name; empty for CSV
    // Only rows holding at least one non-empty cell, in row order.
    std::vector<LinhaTabela> linhas;
};

}  // namespace pluvexa
