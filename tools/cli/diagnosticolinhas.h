#pragma once

// Where a recharge text went wrong, for the support engineer: after the
// processing log (unchanged), one line per record of a wrong length or of
// an unknown type and for the field that is not a number, each as an editor
// or a compiler points at a line: "\"<path>\":<line>: <what>", lines
// counted from 1.

#include "recharge/camposregistro.h"
#include "recharge/modelo.h"

#include <QString>
#include <QStringList>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace pluvexa::cli {

// At most this many lines are listed; one more says how many were left out.
inline constexpr int kMaisDiagnosticos = 20;

// The field of `linha` that is not a number, as the record reader met it:
// "detail record: user code at columns 3–12 is not a number (\"000ABCDE77\")".
// `campo` is the field's text as the conversion error holds it.
QString campoNaoNumerico(std::string_view linha, std::string_view campo);

// The lines of `linhas` up to `ate` (a position, from 0; all when absent)
// whose record has a wrong length ("record length 271, expected 272") or
// an unknown type, then, when `erro` is given, the field that stopped the
// processing at its line. `numeros` gives each position's line number in
// the file (from 1); empty when the text has no blank lines, so that
// position + 1 is the number.
QStringList diagnosticoLinhas(const QString& caminho, const std::vector<Texto>& linhas,
                              const std::vector<std::size_t>& numeros, const ErroConversao* erro);

// For each non-blank line of `texto`, split as the processing splits it
// (CR LF, CR or LF), its line number from 1.
std::vector<std::size_t> numerosDeLinha(std::string_view texto);

}  // namespace pluvexa::cli
