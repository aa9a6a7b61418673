#pragma once

// The flagged holders of a review as a table to write as a spreadsheet
// (pluvexa-cli review --out): the columns of review --csv,
//
//   Usuário;Cartão;Matrícula;Nome;Tipo;Valor;Habitual;Motivo
//
// the codes as text, Tipo a whole number, Valor and Habitual (the usual
// value rounded half up; empty without history) as money or credits.

#include "exchange/escrita/tabelasaida.h"
#include "recharge/modelo.h"
#include "review/conferencia.h"

namespace pluvexa {

TabelaSaida tabelaConferencia(const ModeloRecarga& m, const Conferencia& c);

}  // namespace pluvexa
