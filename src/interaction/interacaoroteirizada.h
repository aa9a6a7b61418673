#pragma once

// An Interaction that answers from a script instead of an operator: each
// dialog the code opens must have been announced, in order, with the text
// it shows and the answer to give. What is not announced, or says something
// else, is a failure the user of the script reports in its own way (a test
// fails, the manual's screenshots stop). Run by the tests and by the tool
// that takes the manual's pictures; the program itself always asks the
// operator.

#include "interaction/interaction.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

namespace pluvexa {

class InteracaoRoteirizada : public Interaction {
public:
    enum class Tipo {
        Aviso,          // notice()
        Pergunta,       // question() and confirm() with Yes and No
        Escolha,        // confirm() with buttons of its own
        Erro,           // errorBox()
        Abrir,          // openFileName()
        Salvar,         // saveFileName()
        Visualizacao,   // printPreview()
        Pasta,          // abrePasta(): the folder shown, the answer whether it opened
        Colunas,        // escolheColunas(): the header shown ("; " between cells), the answer `colunas`
        Lista,          // escolheItem(): the text shown, the answer `botao` (the item) or `escolha`
        Dialogo,        // announced: any of the first four
        Arquivo,        // announced: either file chooser
    };
    // How the text shown must match the announced one.
    enum class Casamento { Igual, Inicio, Trecho, Fim };
    using Pintura = std::function<void(QPagedPaintDevice*)>;
    using DuranteVisualizacao = std::function<void(const Pintura& paint, const std::function<QString()>& savePdf)>;

    struct Passo {
        Tipo tipo = Tipo::Dialogo;
        QString texto = {};             // the dialog's text; for a file chooser, its answer
        Casamento casamento = Casamento::Igual;
        bool resposta = false;          // a question's answer: Yes
        QString botao = {};             // the button pressed, by its caption
        int escolha = -1;               // or, for a choice, by its index ...
        QStringList botoes = {};        // ... among these captions
        DuranteVisualizacao durante{};  // run while a preview shows
        QString etiqueta = {};          // the script's own mark for the step
        QList<int> colunas = {};        // the mapping chosen, per field; empty: cancelled
        QString filtro = {};            // a file chooser's filter chosen (empty: the one preselected)
    };

    // Announces the next dialog.
    InteracaoRoteirizada& espera(Passo passo);

    // Every dialog shown so far, as "kind: text".
    const QStringList& shown() const { return m_mostrados; }
    bool allConsumed() const { return m_passos.empty(); }
    const std::deque<Passo>& pendentes() const { return m_passos; }
    // "kind: text" of an announced step.
    static QString descricao(const Passo& passo);

    void notice(const QString& text, Icon icon, const QString& caption) override;
    bool question(const QString& text, const QString& caption) override;
    bool confirm(const QString& text, Buttons buttons, Icon icon, const QString& caption) override;
    int confirm(const QString& text, const QStringList& buttons, Icon icon, const QString& caption,
                int padrao) override;
    void errorBox(const QString& text) override;
    QString openFileName(const QString& caption, const QString& folder, const QString& filter,
                         QString* filtroEscolhido = nullptr) override;
    QList<int> escolheColunas(const PedidoColunas& pedido) override;
    int escolheItem(const QString& text, const QStringList& itens, const QString& caption) override;
    QString saveFileName(const QString& caption, const QString& folder, const QString& filter,
                         QString* filtroEscolhido = nullptr) override;
    void printPreview(const Pintura& paint, const std::function<QString()>& savePdf) override;
    bool abrePasta(const QString& pasta) override;

protected:
    // Where the script's user hears of a dialog not announced, or shown
    // otherwise than announced.
    virtual void falha(const QString& porque) = 0;
    // The next announced step for the dialog of `tipo` showing `texto`,
    // checked against it; after a failure the step as announced (or an
    // empty one when none was).
    virtual Passo proximo(Tipo tipo, const QString& texto);
    // The dialog that answers `passo` in the script's place, shown for
    // real (the manual's screenshots picture some); none by default.
    virtual Interaction* real(const Passo& passo);

private:
    int respostaEscolha(const Passo& passo, const QString& texto, const QStringList& botoes);

    std::deque<Passo> m_passos;
    QStringList m_mostrados;
};

}  // namespace pluvexa
