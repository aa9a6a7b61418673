#pragma once

// What a file chosen for import is, told by its first bytes rather than
// its name: a clerk's workbook may be named anything, and a PDF chosen by
// mistake must not be read as 700 lines of a payroll file.
//
//   PK 03 04 with a part [Content_Types].xml and parts under xl/   .xlsx
//   PK 03 04 with a part mimetype holding
//            application/vnd.oasis.opendocument.spreadsheet       .ods
//   D0 CF 11 E0 A1 B1 1A E1 with a Workbook (or Book) stream      .xls
//   anything else: text, a spreadsheet saved as CSV when its name ends
//   in .csv, else the payroll system's .rrm layout.
//
// Refused at once, with one text each (recusaArquivo): a PDF, an image, a
// zip or OLE2 file that is no workbook, NUL bytes in the first 4 KiB
// (NaoPlanilha); a workbook saved with a password, which is an OLE2 file
// with EncryptionInfo and EncryptedPackage streams for Excel 2007 on, an
// .xls FreeXL reports as protected, an .ods whose manifest has encryption
// data (ComSenha); text, as an HTML or XML page, named .xls or .xlsx
// (NaoExcel); a zip whose directory cannot be read (Danificado).

#include <QByteArray>
#include <QString>
#include <optional>

namespace pluvexa {

enum class TipoArquivo { Xlsx, Ods, Xls, Csv, Rrm, NaoPlanilha, ComSenha, NaoExcel, Danificado };

// The kind of the file `caminho`. At most its first 16 MiB are read; of a
// larger file only its first bytes are looked at (the import refuses it by
// its size anyway). A file that cannot be read is taken by its name.
TipoArquivo tipoArquivo(const QString& caminho);

// The same for the bytes of a file named `caminho` (FreeXL's password
// check of an .xls reads the file itself).
TipoArquivo tipoDosBytes(const QByteArray& bytes, const QString& caminho);

// The operator's text refusing the chosen file, nothing when the import may
// read it (or when it is missing or cannot be read: the run reports that): the kinds above, and a workbook whose zip directory declares
// more than its bounds, or an .xls sheet of more than 2,000,000 cells by
// its dimension (limiteslivro.h). Texts name the file by its name:
//   "O arquivo <nome> não é uma planilha nem um arquivo de recarga.
//    Formatos aceitos: .xlsx, .ods, .xls, .csv, .rrm."
//   "A planilha <nome> está protegida por senha: salve-a sem senha e
//    importe de novo."
//   "O arquivo <nome> não é uma planilha do Excel: abra-o na planilha e
//    salve como .xlsx."
//   "A planilha <nome> está danificada e não pode ser lida."
std::optional<QString> recusaArquivo(const QString& caminho);

}  // namespace pluvexa
