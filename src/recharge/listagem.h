#pragma once

// The body of the "Listagem de Cartões a Recarregar": the card holders of the
// model flattened into the listing-line table (one line per used group),
// ordered by card type, tariff, user code and card number, and composed into
// fixed-width text lines with a sub-total per card type and a grand total.
// No widgets: the report form prints these lines, the command line writes
// them out.

#include "recharge/modelo.h"

#include <string>
#include <vector>

namespace pluvexa {

// Appends `v` with leading zeros to at least `digitos` digits (longer
// numbers keep all of theirs); a negative number keeps its sign in front.
void acrescentaNumero(std::string& s, long long v, int digitos);

// The order of the listing, compared as unsigned bytes: card type ("00"),
// tariff ("00"), Usuario and Cartao ("00000000000").
std::string chaveListagem(const ORecarga& e);

// Clears every entry of m.woRecarga, fills it from holders 0 to
// QtdRecarga - 1 (group 1 always; groups 2 to 4 only when their Tarifa, CMM
// and Valor are all non-zero) and sorts the lines stably by chaveListagem.
// Returns UltimaLinha, the index of the last line (-1 when there is none).
int preparaListagem(ModeloRecarga& m);

// The text lines of the listing body (Windows-1252 bytes) for lines 0 to
// `ultimaLinha` of m.woRecarga: section headings, 147-column detail lines,
// sub-totals formatted by their section's card type and the grand total.
// Sums keep full precision; amounts are rounded for display only. Depends
// only on its arguments, so composing twice gives the same lines.
std::vector<Texto> compoeLinhas(const ModeloRecarga& m, int ultimaLinha);

}  // namespace pluvexa
