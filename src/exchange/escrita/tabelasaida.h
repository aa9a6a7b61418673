#pragma once

// A table to write out as a spreadsheet: a header row and rows of typed
// cells. Whoever exports builds it once; the writers (planilhasaida.h) make
// it CSV, .xlsx or .ods, so the three formats carry the same columns in the
// same order and the same values.
//
// A cell carries both its CSV text (as the CSV file has always written it:
// decimal comma, no thousands separator) and, for numbers, the value the
// workbooks store with their display format. Codes (user code, card number,
// registration, a batch number with its zeros) are text, so that a
// spreadsheet program never drops their leading zeros.

#include <QString>
#include <QStringList>
#include <vector>

namespace pluvexa {

struct CelulaSaida {
    enum class Tipo { Vazia, Texto, Numero };
    // How a workbook shows a number.
    enum class Formato {
        Geral,     // a whole code or count: as it is
        Dinheiro,  // #,##0.00
        Creditos,  // #,##0: credits are whole
    };
    Tipo tipo = Tipo::Vazia;
    QString texto;  // Texto: the text; Numero: the CSV's rendering of it
    double numero = 0;
    Formato formato = Formato::Geral;

    static CelulaSaida vazia() { return {}; }
    static CelulaSaida deTexto(QString t) { return {Tipo::Texto, std::move(t), 0, Formato::Geral}; }
    static CelulaSaida deNumero(double v, QString comoTexto, Formato f = Formato::Geral)
    {
        return {Tipo::Numero, std::move(comoTexto), v, f};
    }
};

struct TabelaSaida {
    QString aba;  // the sheet's name in a workbook
    QStringList cabecalho;
    std::vector<std::vector<CelulaSaida>> linhas;  // each as wide as the header
};

}  // namespace pluvexa

namespace pluvexa {

// Each column's width in characters: its widest cell as a spreadsheet shows
// it (a number with its thousands separators), the header's included, plus
// a margin; at most 60, so one long name does not push the rest away.
std::vector<int> largurasColunas(const TabelaSaida& tabela);

}  // namespace pluvexa
