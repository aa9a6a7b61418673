#pragma once

// The main window's menu bar: the maintenance window's buttons under
// "Arquivo", its editing steps under "Editar", the manual and the about box
// under "Ajuda". An item does what its button does, through the button, and
// is enabled exactly when the button is enabled and shown; the keys of the
// items are the program's only definition of them.

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace pluvexa {

class Tfcadrecarga;

class MenuPrincipal : public QObject {
    Q_OBJECT
public:
    // The bar is made for `janela`, which places it and receives the keys.
    explicit MenuPrincipal(QWidget* janela);

    QMenuBar* barra = nullptr;
    QMenu* mnuarquivo = nullptr;
    QMenu* mnueditar = nullptr;
    QMenu* mnuajuda = nullptr;

    QAction* mnuprocessar = nullptr;
    QAction* mnusalvarrascunho = nullptr;
    QAction* mnugerararquivo = nullptr;
    QAction* mnuconferir = nullptr;
    QAction* mnuimprimir = nullptr;
    QAction* mnuimportararq = nullptr;
    QAction* mnuexportarplanilha = nullptr;
    // The folder of the last file saved, in the file manager; enabled by
    // the main window once a file was saved.
    QAction* mnuabrirpasta = nullptr;
    QAction* mnusair = nullptr;
    QAction* mnudesfazer = nullptr;
    QAction* mnurefazer = nullptr;
    QAction* mnulocalizar = nullptr;
    QAction* mnumanual = nullptr;
    QAction* mnusobre = nullptr;

    // The maintenance window the items act on; null when none is open.
    void acompanha(Tfcadrecarga* janela);
    // Brings every item's state in line with its control.
    void atualiza();

signals:
    void sairPedido();
    void abrirPastaPedido();
    void manualPedido();
    void sobrePedido();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // An item and what it stands for in the maintenance window: whether
    // that can be used now, and using it.
    struct Ligacao {
        QAction* item;
        std::function<bool(const Tfcadrecarga&)> pode;
        std::function<void(Tfcadrecarga&)> aciona;
    };
    QAction* item(QMenu* menu, const QString& texto, const char* nome);
    void liga(QAction* item, std::function<bool(const Tfcadrecarga&)> pode,
              std::function<void(Tfcadrecarga&)> aciona);
    // The controls whose state the items follow.
    static std::vector<QWidget*> observados(const Tfcadrecarga& janela);

    QPointer<Tfcadrecarga> m_janela;
    std::vector<Ligacao> m_ligacoes;
    bool m_atualizacaoPendente = false;
};

}  // namespace pluvexa
