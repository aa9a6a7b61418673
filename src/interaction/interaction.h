#pragma once

// Every modal interaction of the program (notices, questions, the error box,
// file choosers, print preview) goes through this interface, so that the
// windows' flows run headless in tests with a scripted implementation.

#include "recharge/modelo.h"

#include <QString>
#include <QList>
#include <QStringList>
#include <functional>

class QPagedPaintDevice;

namespace pluvexa {

inline const QString kTituloAplicacao = QString::fromLatin1(kTituloPrograma);

// What the column mapping dialog shows: a spreadsheet's header and first
// rows, and the fields the operator ties to its columns.
struct PedidoColunas {
    QString arquivo;             // the file (and sheet) the columns are of
    QStringList cabecalho;       // the header row's cells, one per column
    QList<QStringList> linhas;   // the first rows below it, cell by cell
    QStringList campos;          // the fields, in order: "Matrícula", "Usuário", ...
    QList<int> propostas;        // per field, the column proposed; -1: none
};

class Interaction {
public:
    enum class Icon { None, Error, Warning, Information };
    enum class Buttons { YesNo, YesCancel };

    virtual ~Interaction() = default;

    // A message box with one OK button. Caption defaults to the application title.
    virtual void notice(const QString& text, Icon icon = Icon::None,
                        const QString& caption = kTituloAplicacao) = 0;
    // A confirmation box with Yes and No; true for Yes.
    virtual bool question(const QString& text, const QString& caption = kTituloAplicacao) = 0;
    // A confirmation box with the given buttons and icon; true for Yes only.
    // By default the plain question.
    virtual bool confirm(const QString& text, Buttons buttons, Icon icon,
                         const QString& caption = kTituloAplicacao)
    {
        Q_UNUSED(buttons);
        Q_UNUSED(icon);
        return question(text, caption);
    }
    // A question with buttons of the given captions, the last of them
    // cancelling (it is also what Escape presses): the index of the button
    // pressed, the last one when the box is closed otherwise. `padrao` is
    // the index of the default button, the one Enter presses. By default
    // the plain question, Yes being the first button and No the last.
    virtual int confirm(const QString& text, const QStringList& buttons, Icon icon = Icon::None,
                        const QString& caption = kTituloAplicacao, int padrao = 0)
    {
        Q_UNUSED(icon);
        Q_UNUSED(padrao);
        return question(text, caption) ? 0 : int(buttons.size()) - 1;
    }
    // The application's standard error box (conversion errors, exceptions).
    virtual void errorBox(const QString& text) = 0;
    // An open-file dialog; empty when cancelled. `filter` lists the
    // filters (";;" between them); with `filtroEscolhido` the one it holds
    // is preselected, and it receives the one the operator chose.
    virtual QString openFileName(const QString& caption, const QString& folder,
                                 const QString& filter, QString* filtroEscolhido = nullptr) = 0;
    // A save-file dialog; empty when cancelled. `filtroEscolhido`, when
    // given: in, the filter to preselect among `filter`'s (the first when
    // empty); out, the one the operator left chosen.
    virtual QString saveFileName(const QString& caption, const QString& folder, const QString& filter,
                                 QString* filtroEscolhido = nullptr) = 0;
    // The column mapping dialog: per field of `pedido.campos`, the column
    // the operator chose (-1: none); empty when cancelled. By default
    // cancelled: nothing is imported that nobody mapped.
    virtual QList<int> escolheColunas(const PedidoColunas& pedido)
    {
        Q_UNUSED(pedido);
        return {};
    }
    // A choice of one of `itens` from a list: its index; -1 when cancelled
    // (also by default).
    virtual int escolheItem(const QString& text, const QStringList& itens, const QString& caption = kTituloAplicacao)
    {
        Q_UNUSED(text);
        Q_UNUSED(itens);
        Q_UNUSED(caption);
        return -1;
    }
    // Shows `pasta` in the system's file manager; false when it could not
    // be opened. By default nothing is opened (as in tests, which script
    // it); the real interaction asks the desktop.
    virtual bool abrePasta(const QString& pasta)
    {
        Q_UNUSED(pasta);
        return false;
    }
    // A print preview (zoom, page navigation, print) that calls paint for
    // every (re)layout of the pages. With savePdf it also offers
    // "Salvar PDF", which calls savePdf while the preview stays open;
    // savePdf answers the path it wrote (empty when nothing was written),
    // which the preview's title then names. The pages are painted on a
    // paged device (the preview's printer), so that the flows that show
    // reports need neither widgets nor print support.
    virtual void printPreview(const std::function<void(QPagedPaintDevice*)>& paint,
                              const std::function<QString()>& savePdf = {}) = 0;
};

}  // namespace pluvexa
