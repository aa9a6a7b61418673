#pragma once

// Two kept batches compared, as CSV: the header
//
//   Usuário;Tipo;Nome;Valor A;Valor B;Diferença;Situação
//
// and one row per holder, with ';' between fields, the name without its
// padding (quoted when it holds ';', '"' or a line break), money with two
// decimals and a decimal comma, no thousands separator, credits whole, an
// empty value where the holder is not in that batch. The command line
// prints these rows; the history window saves them as a spreadsheet.

#include "exchange/escrita/tabelasaida.h"
#include "history/core/historico.h"

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace pluvexa {

QString cabecalhoComparacaoCsv();
QStringList camposComparacao(const LinhaComparacao& linha);

// The comparison as a table to write as a spreadsheet (CSV, .xlsx, .ods):
// the same columns, Usuário as text, Tipo a whole number, the values money
// or credits, empty cells where a holder is not in that batch.
TabelaSaida tabelaComparacao(const std::vector<LinhaComparacao>& linhas);

// The CSV file the window saves: UTF-8 with a byte-order mark and CR LF
// line ends, as spreadsheet programs read them (like the holders' export).
std::string planilhaComparacao(const std::vector<LinhaComparacao>& linhas);

}  // namespace pluvexa
