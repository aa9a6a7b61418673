#pragma once

// Where the import run takes its records from: the payroll system's
// fixed-position file (".rrm") or a spreadsheet (abasplanilha.h: a CSV
// file, or a workbook's sheet, interpreted by leituraplanilha.h). Both give the
// run the same thing, one record per line with its line number, either
// valid (registration, value, card type) or refused with a text, so that
// matching, checks, log and result lines are one and the same.

#include "exchange/colunasplanilha.h"

#include <QString>
#include <memory>
#include <string>

namespace pluvexa {

enum class FormatoImportacao { Rrm, Planilha };

// The format of a chosen file: a workbook (.xlsx, .ods, .xls, told by its
// first bytes whatever its name) or a name ending in ".csv" (any letter
// case) is a spreadsheet; everything else the fixed-position layout.
FormatoImportacao formatoImportacao(const QString& nomeArquivo);

// The file chooser's filter for spreadsheets, beside the ".rrm" one.
inline const QString kFiltroPlanilha = QStringLiteral("Planilha (*.csv)");
// The import chooser's filter for every spreadsheet it reads, second after
// the ".rrm" one.
inline const QString kFiltroPlanilhasImportacao = QStringLiteral("Planilhas (*.xlsx *.ods *.xls *.csv)");

// What ties a record to its holder: the registration (the payroll file's
// only key), and in a spreadsheet also the user code and the card number.
enum class ChaveRegistro { Matricula, Usuario, Cartao };

// The keys a record gives, Windows-1252 bytes without surrounding blanks;
// an empty one was not given.
struct ChavesRegistro {
    std::string matricula;
    std::string usuario;
    std::string cartao;
};

struct RegistroFonte {
    int linha = 0;
    ChavesRegistro chaves;
    double valor = 0;
    // 0: none given; the selected card type stands in for a payroll
    // record, every card type of the loaded file for a spreadsheet row.
    int tipo = 0;
    QString erro;           // not empty: refused with this text, not stored
    QString informacao;     // not empty: neither stored nor refused, logged as information
};

// How a source's records find their holder.
enum class Casamento {
    // The payroll file's way: the first holder of the card type with the
    // registration.
    PrimeiraMatricula,
    // Every key the record gives must name one and the same holder; a key
    // two holders share that no other key settles refuses the record.
    TodasAsChaves,
};

class FonteRegistros {
public:
    virtual ~FonteRegistros() = default;
    // False when no record can be read at all; `falha` then carries the
    // line and the text to report (the file is gone, the header lacks a
    // column).
    virtual bool abre(RegistroFonte& falha) = 0;
    // The number of records, for the gauge; called once, after abre.
    virtual int conta() = 0;
    virtual Casamento casamento() const = 0;
    // The next record; false at the end.
    virtual bool proximo(RegistroFonte& registro) = 0;
    // The name of the workbook's sheet read, after abre; empty for a file
    // without sheets (.rrm, CSV).
    virtual QString aba() const { return {}; }
};

struct ArquivoPlanilha;

// What the operator (or the command line) chose of a spreadsheet before
// the run: the sheet and the columns.
struct EscolhasPlanilha {
    // The sheet by its name or its number from 1; empty: the first whose
    // header is recognised.
    QString aba;
    // The columns named for the fields; the rest are recognised by name.
    MapaColunas colunas;
    // The file as read to ask the questions, so the run does not read it
    // again; empty: the run reads it.
    std::shared_ptr<const ArquivoPlanilha> lido;
};

// The source for `nomeArquivo`, by formatoImportacao; `escolhas` apply to
// spreadsheets.
std::unique_ptr<FonteRegistros> abreFonte(const QString& nomeArquivo, const EscolhasPlanilha& escolhas = {});

}  // namespace pluvexa
