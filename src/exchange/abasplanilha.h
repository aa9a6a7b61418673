#pragma once

// A spreadsheet file as the import looks at it before interpreting it: its
// sheets (one, without a name, for CSV), each with its first rows (where
// the header is sought, and what the mapping dialog shows) and its rows
// from the first, read when asked. The window and the command line choose
// the sheet and the columns from this; the run interprets the chosen sheet.

#include "exchange/colunasplanilha.h"
#include "exchange/leituraplanilha.h"
#include "exchange/tabelaplanilha.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace pluvexa {

struct AbaArquivo {
    QString nome;                        // empty for CSV
    std::vector<LinhaTabela> primeiras;  // its first kLinhasBuscaCabecalho rows holding anything
    // Its rows from the first; `mapa` helps a CSV file tell its separator.
    std::function<std::unique_ptr<LinhasAba>(const MapaColunas& mapa)> linhas;
};

struct ArquivoPlanilha {
    std::vector<AbaArquivo> abas;
    // Not empty: the file cannot be read as a spreadsheet (gone, too
    // large); the run reports it as the first line's refusal.
    QString erro;
};

// Where a workbook reader plugs in: the sheets of the file `nome` holding
// `bytes`, or nothing when it is no workbook the reader reads (it is then
// read as CSV text).
using LeitorLivro =
    std::function<std::optional<std::vector<AbaPlanilha>>(const QString& nome, const QByteArray& bytes)>;
// Makes `leitor` the one leArquivoPlanilha asks first; an empty one: none.
void defineLeitorLivro(LeitorLivro leitor);

// Reads `nomeArquivo`: a workbook's sheets when the workbook reader takes
// it, else CSV text (kept, its rows read as they are interpreted).
ArquivoPlanilha leArquivoPlanilha(const QString& nomeArquivo);
// The sheets of a workbook a reader gave (tabelaplanilha.h), kept in memory
// for the questions and the run.
ArquivoPlanilha arquivoDasAbas(std::vector<AbaPlanilha> abas);

// The header of sheet `i` with `mapa`.
CabecalhoAba cabecalhoDaAba(const ArquivoPlanilha& arquivo, int i, const MapaColunas& mapa = {});
// The sheets whose header is recognised with `mapa`, in order.
std::vector<int> abasComCabecalho(const ArquivoPlanilha& arquivo, const MapaColunas& mapa = {});
// The sheet named by `escolha` (its name, letter case aside, else its
// number from 1), or with an empty `escolha` the first whose header is
// recognised, else the first holding rows, else the first; -1 when
// `escolha` names none or there is no sheet.
int escolheAba(const ArquivoPlanilha& arquivo, const QString& escolha, const MapaColunas& mapa = {});

}  // namespace pluvexa
