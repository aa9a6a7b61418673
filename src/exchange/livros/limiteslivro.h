#pragma once

// What a workbook may be before its sheets are read. A clerk's payroll
// workbook of 10,000 holders is some hundreds of kilobytes, a few megabytes
// once expanded. A file past these bounds is refused with its reason
// before anything is logged, so that a zip bomb or a sheet of a million
// cells never takes the memory the operator's unsaved values live in.

#include <cstdint>

namespace pluvexa::livros {

// The workbook file itself, as every import file.
inline constexpr std::int64_t kMaiorLivro = 16 * 1024 * 1024;
// Every part read from the zip of an .xlsx or .ods, counted as it expands
// (the sizes its directory declares are checked first, never trusted).
inline constexpr std::int64_t kMaiorExpandido = 256 * 1024 * 1024;
// The shared strings of an .xlsx, expanded.
inline constexpr std::int64_t kMaioresTextos = 32 * 1024 * 1024;
// Cells of one .xls sheet by its dimension record; and cells kept in all
// from any workbook (empty cells between values count).
inline constexpr std::int64_t kMaisCelulas = 2000000;
// A cell holding something beyond these is refused; empty cells beyond
// them (a format given to a whole row or column) are not.
inline constexpr int kMaisLinhas = 100000;
inline constexpr int kMaisColunas = 1000;
// Characters of text kept from the cells' own texts (inline strings,
// .ods texts), and of one cell (Excel's own limit; a longer text is cut).
inline constexpr std::int64_t kMaisCaracteres = 16000000;
inline constexpr int kMaiorTextoCelula = 32767;
// Parts of the zip looked at (a workbook has a few dozen).
inline constexpr int kMaisPartes = 10000;

}  // namespace pluvexa::livros
