#pragma once

// The dialogs of the capture: each one the windows open must have been
// announced, in order, with the text it shows, the button the operator
// presses and, when it is to be pictured, the picture's name. A pictured
// dialog is the real one (QtInteraction), photographed as it shows and then
// answered with a click on its button; the others are answered from the
// script (InteracaoRoteirizada, as in the tests) without showing. A dialog
// nobody announced, or one saying something else, ends the capture: its
// pictures would no longer match the manual.

#include "interaction/interacaoroteirizada.h"
#include "ui/qtinteraction.h"

#include <QString>

namespace pluvexa::capturas {

class Fotografo;

class InteracaoCaptura final : public InteracaoRoteirizada {
public:
    explicit InteracaoCaptura(Fotografo& fotografo) : m_fotografo(fotografo) {}

    // The next dialog: its text contains `trecho`; `botao` is pressed ("OK"
    // for a notice, "Sim"/"Não" for a question, a caption of its own for a
    // choice); with `foto`, the dialog is shown and pictured.
    InteracaoCaptura& espera(const QString& trecho, const QString& botao, const QString& foto = {});
    // The next print preview, pictured when `foto` is given.
    InteracaoCaptura& esperaVisualizacao(const QString& foto = {});
    // The column mapping dialog over a header holding `trecho`, closed by
    // the button `botao`.
    InteracaoCaptura& esperaColunas(const QString& trecho, const QString& botao, const QString& foto = {});
    // The names the next file choosers answer.
    InteracaoCaptura& esperaArquivo(const QString& caminho);
    // Ends the capture when announced dialogs did not show.
    void confereFim();

protected:
    [[noreturn]] void falha(const QString& porque) override;
    // Says each dialog on the console as it comes.
    Passo proximo(Tipo tipo, const QString& texto) override;
    // A pictured step's dialog: the real one, photographed as it shows and
    // then answered by its button (a preview closed).
    Interaction* real(const Passo& passo) override;

private:
    QtInteraction m_real;
    Fotografo& m_fotografo;
};

}  // namespace pluvexa::capturas
