#pragma once

// The help window ("Manual do Operador - Pluvexa"): the operator's manual,
// compiled into the program, in a browser with its table of contents beside
// it. The contents are the links of the manual's first page (index.html),
// in its order and nesting, so that the page and the list never differ.

#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace pluvexa {

class Tfmanual : public QWidget {
    Q_OBJECT
public:
    explicit Tfmanual(QWidget* parent = nullptr);

    // The manual's first page, with the table of contents.
    static QUrl paginaInicial();

    QPushButton* btnvoltar = nullptr;
    QPushButton* btnavancar = nullptr;
    QPushButton* btnsumario = nullptr;
    QTreeWidget* TVwSumario = nullptr;
    QTextBrowser* txtManual = nullptr;

    // Shows the page (and place) `endereco` resolves to, from the first page.
    void mostra(const QUrl& endereco);
    // The address each entry of the contents leads to, in list order.
    QList<QUrl> enderecosSumario() const;

private:
    void criaSumario();
    void acompanhaPagina(const QUrl& endereco);

    bool m_acompanhando = false;
};

// Opens the help window over `parent`'s window at the manual's first page,
// or brings the one already open to the front: one at a time. It closes
// with the window it was opened over. With `pagina` (relative to the first
// page) it shows that page, also in the window already open.
Tfmanual* mostraManual(QWidget* parent);
Tfmanual* mostraManual(QWidget* parent, const QUrl& pagina);

}  // namespace pluvexa
