#pragma once

// What the window asks of a spreadsheet before importing it: which sheet,
// when more than one holds values ("A planilha tem mais de uma aba com
// valores: escolha a aba"), and which columns, when its header names them
// otherwise than the import knows (the mapping dialog). A mapping is kept
// for its header, so that next month's file, with the same header, imports
// without a question.

#include "exchange/abasplanilha.h"
#include "exchange/fonteregistros.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace pluvexa {

class Interaction;

inline const QString kPerguntaAba = QStringLiteral("A planilha tem mais de uma aba com valores: escolha a aba");

// Texts kept between runs by key (the settings); empty functions keep
// nothing.
struct MemoriaImportacao {
    std::function<QString(const QString& chave)> le;
    std::function<void(const QString& chave, const QString& valor)> guarda;
};

// The settings key of the columns mapped for a header: its cells as
// compared (no case, accents, blanks or punctuation), summed up.
QString chaveColunas(const QStringList& cabecalho);
// A mapping (per field, a column from 0; -1 none) as kept: "1,-,-,4,3",
// columns counted from 1.
QString textoColunas(const QList<int>& colunas);
// A kept mapping for a header of `largura` columns; none when it is not one.
std::optional<QList<int>> colunasDoTexto(const QString& texto, int largura);
// The mapping by the header's names, every field set (an empty name: none).
MapaColunas mapaDasColunas(const QList<int>& colunas, const QStringList& cabecalho);

// Asks what `arquivo` (the file `nome`, as read) needs asked: the sheet and
// the columns. Nothing when the operator cancelled a question.
std::optional<EscolhasPlanilha> perguntaPlanilha(const ArquivoPlanilha& arquivo, const QString& nome, Interaction& ui,
                                                 const MemoriaImportacao& memoria);

}  // namespace pluvexa
