#pragma once

// The base multiple-document parent window: a left panel with the logo and
// the tree menu, the status bar and the client area for the child windows.
// The tree panel can widen itself while the mouse is over its left part, so
// long node texts become readable, and shrinks back afterwards.

#include <QIcon>
#include <QMainWindow>
#include <QVector>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QMenuBar;
class QTreeWidget;
class QVBoxLayout;

namespace pluvexa {

class BarraStatus;

class Tfgeral : public QMainWindow {
    Q_OBJECT
public:
    explicit Tfgeral(QWidget* parent = nullptr);

    // Components, under their design names.
    BarraStatus* StBGeral = nullptr;
    QWidget* PnlLateral = nullptr;
    QLabel* ImgGeral = nullptr;
    QTreeWidget* TVwGeral = nullptr;
    QVector<QIcon> ImLGeral;
    QMenu* PopupMenu1 = nullptr;
    QAction* ppmredaut = nullptr;
    QMdiArea* mdiArea = nullptr;

    // Mouse over the tree at x (tree client coordinates).
    void TVwGeralMouseMove(int x);
    // A mouse button released over the tree.
    void TVwGeralMouseUp();
    // The popup item, after its check mark has toggled.
    void ppmredautClick();

    bool redimensiona() const { return Redimensiona; }

    // A menu bar across the top of the client area, above the tree and the
    // work windows; it stays out of the caption, which names the program.
    void defineMenu(QMenuBar* menu);

protected:
    // Widths of the panel and of the tree inside it (the panel's bevel takes 2).
    void defineLarguraLateral(int painel);
    void defineLarguras(int painel, int arvore);
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    // The window has been placed; the first show no longer centres it.
    void dispensaCentralizacao() { m_centralizada = true; }

private:
    int LarguraPainel = 0;
    int LarguraArvore = 0;
    bool Redimensiona = false;
    bool m_centralizada = false;
    QVBoxLayout* m_cliente = nullptr;
    // The panel's place in the layout, at its usual width.
    QWidget* m_reservaLateral = nullptr;
    void posicionaLateral();
};

}  // namespace pluvexa
