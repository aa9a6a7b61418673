#pragma once

// The program's main window: the tree menu opens one work window at a time in
// the client area, over the background screen, and the window holds the
// values shared for the whole run (version text, money factor, rounding mode).

#include "interaction/appcontext.h"
#include "shell/tfgeral.h"

#include <QPointer>
#include <memory>

class QMdiSubWindow;

namespace pluvexa {

class ArquivosSalvos;
class Interaction;
class MenuPrincipal;
class ModeloRecarga;
class Tfcadrecarga;
class Tfcargaarquivos;
class Tfhistorico;

class Tfprincipal : public Tfgeral {
    Q_OBJECT
public:
    // Without an interaction the real dialogs are used; without a model, the
    // process-wide one.
    explicit Tfprincipal(Interaction* interaction = nullptr, ModeloRecarga* modelo = nullptr,
                         QWidget* parent = nullptr);
    ~Tfprincipal() override;

    void FormCreate();
    void FormActivate();
    // Swaps the work window for the selected tree node.
    void TVwGeralClick();

    const QString& Versao() const { return m_versao; }
    void defineVersao(const QString& versao) { m_versao = versao; }
    double FatorMoeda() const { return m_fatorMoeda; }
    int ModoArredondamento() const;

    // What work windows are given: dialogs, model, status panel 1.
    const AppContext& contexto() const { return m_contexto; }

    // Adds a child window to the client area, maximised.
    QMdiSubWindow* adicionaJanela(QWidget* janela);

    // Places the window before it is first shown: where it was last time,
    // or over the whole available area of the primary screen (the first of
    // `disponiveis`); bounded by the available areas of the screens. The
    // screens' own version also asks for the window maximised the first
    // time, so that the window manager keeps its title bar on the screen.
    void posicionaAbertura();
    void posicionaAbertura(const QList<QRect>& disponiveis);

    // The work windows opened last by the tree (null once destroyed).
    Tfcadrecarga* fcadrecarga() const;
    Tfcargaarquivos* fcargaarquivos() const;
    Tfhistorico* fhistorico() const;

    // The menu bar over the client area.
    MenuPrincipal* menu() const { return m_menu; }
    // The about box, opened from the menu.
    void mostraSobre();
    // "Abrir Pasta do Último Arquivo": the folder of the last file saved,
    // in the system's file manager (through the interaction).
    void abrePastaUltimoArquivo();

protected:
    void changeEvent(QEvent* evento) override;
    // F6: from the tree to the work window and back.
    void alternaFoco();
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    // Closing the program asks, like the tree, before unsaved values go.
    void closeEvent(QCloseEvent* evento) override;

private:
    std::unique_ptr<Interaction> m_interacaoPropria;
    // Where each kind of saved file went last, and the last file saved.
    std::unique_ptr<ArquivosSalvos> m_salvos;
    int m_painelGravado = -1;
    void arquivoSalvo(TipoSalvo tipo, const QString& caminho);
    AppContext m_contexto;
    QString m_versao;
    double m_fatorMoeda = 0;
    QPointer<Tfcadrecarga> m_fcadrecarga;
    QPointer<Tfcargaarquivos> m_fcargaarquivos;
    QPointer<Tfhistorico> m_fhistorico;
    bool m_mostrada = false;
    MenuPrincipal* m_menu = nullptr;
};

}  // namespace pluvexa
