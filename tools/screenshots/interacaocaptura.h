#pragma once

// The dialogs of the capture: each one the windows open must have been
// announced, in order, with the text it shows, the button the operator
// presses and, when it is to be pictured, the picture's name. A pictured
// dialog is the real one (QtInteraction), photographed as it shows and then
// answered with a click on its button; the others are answered without
// showing. A dialog nobody announced, or one saying something else, ends the
// capture: its pictures would no longer match the manual.

#include "interaction/interaction.h"
#include "ui/qtinteraction.h"

#include <QString>
#include <deque>

namespace pluvexa::capturas {

class Fotografo;

class InteracaoCaptura final : public Interaction {
public:
    explicit InteracaoCaptura(Fotografo& fotografo) : m_fotografo(fotografo) {}

    // The next dialog: its text contains `trecho`; `botao` is pressed ("OK"
    // for a notice, "Sim"/"Não" for a question, a caption of its own for a
    // choice); with `foto`, the dialog is shown and pictured.
    InteracaoCaptura& espera(const QString& trecho, const QString& botao, const QString& foto = {});
    // The next print preview, pictured when `foto` is given.
    InteracaoCaptura& esperaVisualizacao(const QString& foto = {});
    // The names the next file choosers answer.
    InteracaoCaptura& esperaArquivo(const QString& caminho);
    // Ends the capture when announced dialogs did not show.
    void confereFim() const;

    void notice(const QString& text, Icon icon, const QString& caption) override;
    bool question(const QString& text, const QString& caption) override;
    bool confirm(const QString& text, Buttons buttons, Icon icon, const QString& caption) override;
    int confirm(const QString& text, const QStringList& buttons, Icon icon, const QString& caption,
                int padrao) override;
    void errorBox(const QString& text) override;
    QString openFileName(const QString& caption, const QString& folder, const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& folder, const QString& filter) override;
    void printPreview(const std::function<void(QPagedPaintDevice*)>& paint, const std::function<QString()>& savePdf) override;

private:
    struct Passo {
        enum Tipo { Dialogo, Visualizacao, Arquivo } tipo;
        QString texto;   // the excerpt, or the chooser's answer
        QString botao;
        QString foto;
    };
    Passo proximo(Passo::Tipo tipo, const QString& texto);
    // Shows the real dialog through `mostra`; pictures it and presses its
    // button as it shows.
    void mostraReal(const Passo& passo, const std::function<void()>& mostra);

    QtInteraction m_real;
    Fotografo& m_fotografo;
    std::deque<Passo> m_passos;
};

}  // namespace pluvexa::capturas
