#pragma once

// A spreadsheet's sheet (tabelaplanilha.h: a workbook's, or CSV text read
// into the same shape) interpreted into the records the import run takes.
// One interpretation for every format, so a clerk's sheet means the same
// whether it came as .xlsx, .ods, .xls or .csv.
//
// The header is the first of the first kLinhasBuscaCabecalho rows that
// names a key column and a value column; rows above it (titles, the
// company's name) are skipped. Column names are compared without letter
// case, accents, blanks and punctuation:
//
//   registration  "Matrícula", "Registro", "Chapa", "Crachá",
//                 "Cód. Funcionário", "Código do Funcionário"
//   user code     "Usuário", "Código do Usuário"
//   card number   "Cartão", "Número do Cartão"
//   value         "Valor", "Créditos", "Valor R$", "Valor (R$)",
//                 "Vale Transporte", "VT", "Valor VT"
//   card type     "Tipo", "Tipo Cartão" (optional)
//
// At least one key (registration, user code, card number) and the value
// are required.
// Two columns that fit one field leave the header unsettled: the operator
// (or --columns) says which (MapaColunas). Other columns are ignored.
//
// A row carries every key it has; the import run ties it to the one holder
// they all name (see recargaexterna.h). A value is a number cell (rounded
// to cents when within a millionth of a cent of a cent value) or a text in
// the Brazilian forms ("12,50", "1.500,00", "R$ 280,99"). A key in a number
// cell gives its digits. A row without keys is skipped when it carries no
// value, refused when it does, and told as a total row when its first text
// begins with "Total". Line numbers are the sheet's own.

#include "exchange/colunasplanilha.h"
#include "exchange/fonteregistros.h"
#include "exchange/tabelaplanilha.h"

#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pluvexa {

// How many rows from the top of a sheet may hold its header.
inline constexpr int kLinhasBuscaCabecalho = 20;

struct LinhaPlanilha {
    int linha = 0;           // the sheet's own row number
    ChavesRegistro chaves;   // Windows-1252 bytes, without surrounding blanks; empty: not given
    double valor = 0;
    int tipo = 0;            // 0: no card type given (or no number)
    QString erro;            // not empty: the row is refused with this text
    QString informacao;      // not empty: neither stored nor refused, logged with this text
};

struct Planilha {
    // Not empty when no header names the columns (or the header row is too
    // wide): the whole sheet is refused with this text, and `linhas` is
    // empty. A sheet without any row has no rows and no error.
    QString erroCabecalho;
    int linhaCabecalho = 1;
    std::vector<LinhaPlanilha> linhas;
};

// The header of a sheet as found among its first rows.
struct CabecalhoAba {
    enum class Situacao {
        Reconhecido,  // a row names a key and a value column, each field once
        Falta,        // no row does: `linha` is the likeliest header, `erro` says what is missing
        Ambiguo,      // two columns fit one field on the header row
        Larga,        // a row before any header is too wide to be read
    };
    Situacao situacao = Situacao::Falta;
    int indice = -1;                  // the header among the rows looked at; -1: none
    int linha = 1;                    // its row number (of the first row looked at when none)
    QStringList nomes;                // its cells' texts (quoted as messages quote them)
    std::array<int, kCamposPlanilha> colunas{-1, -1, -1, -1, -1};  // per field; -1: none
    QString erro;                     // why it is not Reconhecido
    bool reconhecido() const { return situacao == Situacao::Reconhecido; }
};

// The header among `primeiras` (the sheet's first rows), with `mapa` for
// the fields the operator named.
CabecalhoAba achaCabecalho(const std::vector<LinhaTabela>& primeiras, const MapaColunas& mapa = {});

// A cell as the operator reads it in a message or the mapping dialog: its
// text, or its number written with a decimal comma.
QString textoCelula(const CelulaPlanilha& celula);

// The rows of one sheet, one at a time: a workbook's from memory, a CSV
// file's as it is read, so that a file of millions of cells never becomes
// millions of strings at once.
class LinhasAba {
public:
    virtual ~LinhasAba() = default;
    // The next row; false at the end. `recusa` is set when the reader could
    // not read the row whole (CSV: an unclosed quote, too many columns).
    virtual bool proxima(LinhaTabela& linha, QString& recusa) = 0;
    // CSV: a row with filled cells past the header's width was split where
    // it should not have been ("12,50" with ',' as separator) and is
    // refused; a workbook's notes beside the table are not.
    virtual bool recusaSobra() const { return false; }
};

// Over a sheet in memory (kept alive by the caller).
class LinhasDeAba final : public LinhasAba {
public:
    explicit LinhasDeAba(const AbaPlanilha& aba) : m_aba(aba) {}
    bool proxima(LinhaTabela& linha, QString& recusa) override;

private:
    const AbaPlanilha& m_aba;
    std::size_t m_proxima = 0;
};

// Over the text of a CSV file (kept alive by the caller): the separator
// that gives its first rows a header (with `mapa` for the fields named),
// UTF-8 or Windows-1252 by its bytes, Texto cells, the row's first line as
// its number, blank rows left out (unless refused).
class LinhasCsv final : public LinhasAba {
public:
    explicit LinhasCsv(std::string_view bytes, const MapaColunas& mapa = {});
    ~LinhasCsv() override;
    bool proxima(LinhaTabela& linha, QString& recusa) override;
    bool recusaSobra() const override { return true; }

private:
    struct Estado;
    std::unique_ptr<Estado> m;
};

// The interpretation: header, columns and every row after the header.
Planilha interpreta(LinhasAba& linhas, const MapaColunas& mapa = {});
Planilha interpreta(const AbaPlanilha& aba, const MapaColunas& mapa = {});
// CSV text interpreted as above.
Planilha lePlanilha(std::string_view bytes, const MapaColunas& mapa = {});
// The first `quantas` rows `linhas` gives (the header search, the mapping
// dialog's sample).
std::vector<LinhaTabela> primeirasLinhas(LinhasAba& linhas, int quantas = kLinhasBuscaCabecalho);

namespace campoplanilha {
// Digits, then at most one decimal separator (comma or point) followed by
// one or two digits; or thousands points with a decimal comma ("1.500,00",
// "12.345,6"); blanks around allowed. No sign.
std::optional<double> valor(std::string_view texto);
// Points before groups of three digits and no comma ("1.500"): thousands to
// some, decimals to others; refused with a hint rather than guessed.
bool ambiguo(std::string_view texto);
// A value cell's text: blanks and non-breaking spaces around, and an "R$"
// before the number, are the spreadsheet's display, not the value.
QString semMoeda(const QString& texto);
// A column name reduced for comparison: no accents, lower case, and only
// its letters and digits.
QString nomeColuna(const QString& nome);
// Whether the bytes are UTF-8 (a byte-order mark, or valid UTF-8 holding
// any byte above 127); otherwise they are read as Windows-1252.
bool ehUtf8(std::string_view bytes);
}  // namespace campoplanilha

}  // namespace pluvexa
