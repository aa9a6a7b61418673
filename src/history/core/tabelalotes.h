#pragma once

// The kept batches as a table to write as a spreadsheet (pluvexa-cli
// history --out): the columns of the listing's CSV,
//
//   Empresa;Remessa;Gerado em;Arquivo;Titulares com valor;Total em Valor;Total em Créditos;Enviado
//
// the company and batch numbers as text with their zeros, the totals as
// money and credits. A damaged batch has no row: it is named apart.

#include "exchange/escrita/tabelasaida.h"
#include "history/core/historico.h"

#include <vector>

namespace pluvexa {

TabelaSaida tabelaLotes(const std::vector<LoteHistorico>& lotes);

}  // namespace pluvexa
