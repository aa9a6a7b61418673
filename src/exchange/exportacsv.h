#pragma once

// The holders of the loaded file as a spreadsheet, one row each:
//
//   Usuário;Cartão;Matrícula;Nome;Tipo;Tarifa;Valor;Vlr.Última Rec
//
// the name without its padding, the card type's and group 1's tariff codes,
// and group 1's value and last recharge: money with two decimals for money
// card types, whole credits for credit types. Written as CSV (';' between
// fields, a decimal comma, no thousands separator, UTF-8 with a byte-order
// mark and CR LF line ends, as spreadsheet programs read them), or as an
// Excel or Calc workbook with the same columns (escrita/planilhasaida.h).
// The import reads the file back as it is (the registration, card type and
// value columns), so it serves as the template of a month's values.

#include "exchange/escrita/planilhasaida.h"
#include "exchange/escrita/tabelasaida.h"
#include "recharge/modelo.h"

#include <QString>
#include <string>

namespace pluvexa {

// The table every format writes: codes (Usuário, Cartão, Matrícula) as
// text, Tipo and Tarifa as whole numbers, the values as money or credits.
TabelaSaida tabelaTitulares(const ModeloRecarga& modelo);

// The CSV file's bytes.
std::string geraPlanilha(const ModeloRecarga& modelo);

// Writes the holders under `destino` as `formato`, through the file layer.
bool exportaPlanilha(const ModeloRecarga& modelo, FormatoPlanilha formato, const QString& destino,
                     FalhaArquivo* falha);
// The same, the format told by `destino`'s extension (CSV for any name
// that is not a workbook's), the failure in the command line's words.
bool exportaPlanilha(const ModeloRecarga& modelo, const QString& destino, QString* erro = nullptr);

}  // namespace pluvexa
