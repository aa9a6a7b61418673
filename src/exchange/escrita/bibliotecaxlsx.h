#pragma once

// libxlsxwriter's functions as the workbook writer calls them.
//
// Why not call them directly everywhere: the library writes its zip through
// the system's minizip, and QuaZip (which the program links to read and
// write .ods and to read workbooks) exports functions of the same names
// with other arguments (a QIODevice where minizip takes a file name). On
// ELF systems one process has one global table of names, so whichever
// library comes first in it takes the other's calls, and writing a .xlsx
// crashed inside QuaZip. There the library is opened apart, its own
// dependencies first for its own lookups (dlopen's RTLD_DEEPBIND), and
// never linked; elsewhere (Windows, macOS bind each call to the library
// named at link time) it is linked as usual.

#include <QString>

#include <xlsxwriter.h>

namespace pluvexa {

struct FuncoesXlsx {
    decltype(&workbook_new_opt) novoLivro;
    decltype(&workbook_add_worksheet) novaAba;
    decltype(&workbook_add_format) novoFormato;
    decltype(&format_set_bold) negrito;
    decltype(&format_set_num_format) formatoNumero;
    decltype(&worksheet_set_column) largura;
    decltype(&worksheet_write_string) texto;
    decltype(&worksheet_write_number) numero;
    decltype(&worksheet_freeze_panes) congela;
    decltype(&workbook_close) fecha;
    decltype(&lxw_strerror) erro;
};

// The functions, the library opened on the first call; null, with
// `porque` saying why, when it cannot be opened.
const FuncoesXlsx* funcoesXlsx(QString* porque);

}  // namespace pluvexa
