#pragma once

// A spreadsheet of recharge values saved as CSV, read into the records the
// import run takes. The first row holding text is the header; it names the
// columns, recognised whatever their letter case and accents, in any order:
//
//   registration  "Matrícula", "Matricula", "Registro"   \
//   user code     "Usuário", "Usuario"                    > at least one
//   card number   "Cartão", "Cartao"                     /
//   value         "Valor", "Créditos"                    required
//   card type     "Tipo", "Tipo Cartão"                  optional
//
// A row carries every key it has (registration, user code, card number);
// the import run ties it to the one holder they all name (see
// recargaexterna.h). The program's own export carries all three, so
// holders without a registration, or sharing one, come back too.
//
// Other columns are ignored. The separator (';' or ',') is taken from the
// header. The text is UTF-8 (with or without a byte-order mark) or
// Windows-1252, whichever the bytes are; the registrations come out as
// Windows-1252 bytes, as the model holds them. Rows whose fields are all
// blank are skipped, and so are rows without any key whose value is empty
// or zero. Line numbers are the file's own, the header's included. A row
// of more than 1,000 columns is refused ("Linha com mais de 1.000
// colunas"); when it stands where the header would, so is the file.

#include "exchange/fonteregistros.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pluvexa {

struct LinhaPlanilha {
    int linha = 0;           // the row's first line in the file
    ChavesRegistro chaves;   // Windows-1252 bytes, without surrounding blanks; empty: not given
    double valor = 0;
    int tipo = 0;            // 0: no card type given (or no number)
    QString erro;            // not empty: the row is refused with this text
};

struct Planilha {
    // Not empty when the header lacks a required column (or is too wide):
    // the whole file is refused with this text, and `linhas` is empty. A
    // file without any header (empty, blank rows only) has no rows and no
    // error.
    QString erroCabecalho;
    int linhaCabecalho = 1;
    std::vector<LinhaPlanilha> linhas;
};

Planilha lePlanilha(std::string_view bytes);

namespace campoplanilha {
// Digits, then at most one decimal separator (comma or point) followed by
// one or two digits; or thousands points with a decimal comma ("1.500,00",
// "12.345,6"); blanks around allowed. No sign.
std::optional<double> valor(std::string_view texto);
// Points before groups of three digits and no comma ("1.500"): thousands to
// some, decimals to others; refused with a hint rather than guessed.
bool ambiguo(std::string_view texto);
// A column name reduced for comparison: no accents, lower case, blanks
// around removed and runs of blanks inside made one.
QString nomeColuna(const QString& nome);
// Whether the bytes are UTF-8 (a byte-order mark, or valid UTF-8 holding
// any byte above 127); otherwise they are read as Windows-1252.
bool ehUtf8(std::string_view bytes);
}  // namespace campoplanilha

}  // namespace pluvexa
