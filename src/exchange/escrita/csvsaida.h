#pragma once

// A table as CSV text: ';' between fields, the cells' own CSV texts
// (decimal comma, no thousands separator), a field quoted when it holds the
// separator, a quote or a line break.

#include "exchange/escrita/tabelasaida.h"

#include <string>

namespace pluvexa {

enum class ConvencaoCsv {
    Arquivo,  // a file: UTF-8 with a byte-order mark, CR LF line ends
    Fluxo,    // standard output: UTF-8 without the mark, LF line ends
};

std::string csvDaTabela(const TabelaSaida& tabela, ConvencaoCsv convencao);

}  // namespace pluvexa
