#pragma once

// The lines of a recharge text: what a received file, a draft or a plain
// text holds once opened and expanded, split into the lines the processing
// reads. A draft is not signed and expands to as much as 64 MiB: split as
// it comes, a text of line breaks alone would become tens of millions of
// empty lines, gigabytes before the first record is looked at. So blank
// lines, which hold no record, are never stored, and a text with more
// non-blank lines than any recharge file holds is refused as soon as the
// line past the limit is met.

#include "recharge/layoutregistros.h"
#include "recharge/modelo.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace pluvexa {

// The most non-blank lines a recharge text holds: 10,000 holders, the 32
// card types and 15 tariffs, the header and the trailer.
inline constexpr std::size_t kMaisLinhasTexto = std::size_t(kRecargas + kTiposCartao + kTarifas + 2);
// The most bytes such a text holds as the program writes it: that many
// lines of the longest record (the header, 275 characters) and CR LF. A
// draft or kept batch expands to no more (2,783,573 bytes): they are not
// signed, so their expansion stops past it instead of growing.
inline constexpr std::size_t kMaiorTextoRecarga = kMaisLinhasTexto * (layout::header::kComprimento + 2);
static_assert(kMaiorTextoRecarga == 2783573);

// Splits `texto` at CR LF, CR or LF (a last line without its end still
// counts), leaving out blank lines: nothing but spaces and control
// characters. False, with `linhas` empty, when more than kMaisLinhasTexto
// lines are left: the text is out of the recharge file's pattern.
bool divideTexto(std::string_view texto, std::vector<Texto>& linhas);

}  // namespace pluvexa
