#include "shell/menuprincipal.h"

#include "maintenance/paginaconferencia.h"
#include "maintenance/tfcadrecarga.h"

#include <QAction>
#include <QEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>

namespace pluvexa {

namespace {

// The window's control named `nome`: the menu mirrors the window's own
// widgets through the object names they carry; null when it has none.
template <typename T>
T* controle(const Tfcadrecarga& janela, const char* nome)
{
    return janela.findChild<T*>(QString::fromLatin1(nome));
}

// A control the operator can use now: enabled, and on the page the window
// shows (whether or not the window itself is on screen yet).
bool usavel(const QWidget* controle, const Tfcadrecarga& janela)
{
    return controle && controle->isEnabled() && controle->isVisibleTo(&janela);
}

std::function<bool(const Tfcadrecarga&)> botao(const char* nome)
{
    return [nome](const Tfcadrecarga& j) { return usavel(controle<QPushButton>(j, nome), j); };
}

std::function<void(Tfcadrecarga&)> clica(const char* nome)
{
    return [nome](Tfcadrecarga& j) {
        if (QPushButton* b = controle<QPushButton>(j, nome))
            b->click();
    };
}

// An action the review page offers too: its own button there (named
// `naConferencia`) stands for the grid's ("Imprimir" prints the review there).
QPushButton* daPagina(const Tfcadrecarga& j, const char* nome, const char* naConferencia)
{
    QPushButton* b = controle<QPushButton>(j, nome);
    QPushButton* outro = controle<QPushButton>(j, naConferencia);
    return usavel(b, j) || !outro ? b : outro;
}

std::function<bool(const Tfcadrecarga&)> botao(const char* nome, const char* naConferencia)
{
    return [=](const Tfcadrecarga& j) { return usavel(daPagina(j, nome, naConferencia), j); };
}

std::function<void(Tfcadrecarga&)> clica(const char* nome, const char* naConferencia)
{
    return [=](Tfcadrecarga& j) {
        if (QPushButton* b = daPagina(j, nome, naConferencia))
            b->click();
    };
}

// An undo step is there to take, and the page it acts on is shown.
std::function<bool(const Tfcadrecarga&)> passo(const char* nome)
{
    return [nome](const Tfcadrecarga& j) {
        const QAction* a = controle<QAction>(j, nome);
        return a && a->isEnabled() && usavel(controle<QWidget>(j, "tbDigitacao"), j);
    };
}

// The undo and redo steps of the grid's own menu.
std::vector<QAction*> passos(const Tfcadrecarga& j)
{
    std::vector<QAction*> a;
    for (const char* nome : {"ppmdesfazer", "ppmrefazer"})
        if (QAction* p = controle<QAction>(j, nome))
            a.push_back(p);
    return a;
}

// The text of the step named `nome`, as an item of this menu.
QString textoPasso(const Tfcadrecarga* j, const char* nome, const QString& semJanela)
{
    const QAction* a = j ? controle<QAction>(*j, nome) : nullptr;
    return a ? QLatin1Char('&') + a->text() : semJanela;
}

}  // namespace

MenuPrincipal::MenuPrincipal(QWidget* janela) : QObject(janela)
{
    barra = new QMenuBar(janela);
    barra->setObjectName(QStringLiteral("mnuprincipal"));
    barra->setAccessibleName(QStringLiteral("Menu principal"));
    // Inside the window's layout, never the platform's global menu.
    barra->setNativeMenuBar(false);

    mnuarquivo = barra->addMenu(QStringLiteral("Ar&quivo"));
    mnuarquivo->setObjectName(QStringLiteral("mnuarquivo"));
    mnuprocessar = item(mnuarquivo, QStringLiteral("&Processar Arquivo"), "mnuprocessar");
    mnusalvarrascunho = item(mnuarquivo, QStringLiteral("Salvar &Rascunho"), "mnusalvarrascunho");
    mnusalvarrascunho->setShortcut(QKeySequence::Save);
    mnugerararquivo = item(mnuarquivo, QStringLiteral("&Gerar Arquivo"), "mnugerararquivo");
    mnuconferir = item(mnuarquivo, QStringLiteral("Co&nferir"), "mnuconferir");
    mnuimprimir = item(mnuarquivo, QStringLiteral("&Imprimir"), "mnuimprimir");
    mnuimprimir->setShortcut(QKeySequence::Print);
    mnuimportararq = item(mnuarquivo, QStringLiteral("Importar &Arquivo"), "mnuimportararq");
    mnuexportarplanilha = item(mnuarquivo, QStringLiteral("E&xportar Planilha"), "mnuexportarplanilha");
    mnuarquivo->addSeparator();
    mnuabrirpasta = item(mnuarquivo, QStringLiteral("Abrir Pas&ta do Último Arquivo"), "mnuabrirpasta");
    mnuabrirpasta->setEnabled(false);
    connect(mnuabrirpasta, &QAction::triggered, this, &MenuPrincipal::abrirPastaPedido);
    mnuarquivo->addSeparator();
    mnusair = item(mnuarquivo, QStringLiteral("&Sair"), "mnusair");
    mnusair->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(mnusair, &QAction::triggered, this, &MenuPrincipal::sairPedido);

    mnueditar = barra->addMenu(QStringLiteral("E&ditar"));
    mnueditar->setObjectName(QStringLiteral("mnueditar"));
    mnudesfazer = item(mnueditar, QStringLiteral("&Desfazer"), "mnudesfazer");
    mnudesfazer->setShortcut(QKeySequence::Undo);
    mnurefazer = item(mnueditar, QStringLiteral("&Refazer"), "mnurefazer");
    // Ctrl+Shift+Z everywhere, and the system's own redo key where it has
    // another one (Ctrl+Y).
    QList<QKeySequence> refazer = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
    for (const QKeySequence& k : QKeySequence::keyBindings(QKeySequence::Redo))
        if (!refazer.contains(k))
            refazer << k;
    mnurefazer->setShortcuts(refazer);
    mnueditar->addSeparator();
    mnulocalizar = item(mnueditar, QStringLiteral("&Localizar"), "mnulocalizar");
    mnulocalizar->setShortcut(QKeySequence::Find);

    mnuajuda = barra->addMenu(QStringLiteral("A&juda"));
    mnuajuda->setObjectName(QStringLiteral("mnuajuda"));
    mnumanual = item(mnuajuda, QStringLiteral("&Manual do Operador"), "mnumanual");
    mnumanual->setShortcut(QKeySequence::HelpContents);
    connect(mnumanual, &QAction::triggered, this, &MenuPrincipal::manualPedido);
    mnusobre = item(mnuajuda, QStringLiteral("&Sobre o Pluvexa"), "mnusobre");
    connect(mnusobre, &QAction::triggered, this, &MenuPrincipal::sobrePedido);

    liga(mnuprocessar, botao("btnprocessar"), clica("btnprocessar"));
    liga(mnusalvarrascunho, botao("btnsalvarrascunho", "btnsalvarrascunhoconferencia"),
         clica("btnsalvarrascunho", "btnsalvarrascunhoconferencia"));
    liga(mnugerararquivo, botao("btngerararquivo", "btngerararquivoconferencia"),
         clica("btngerararquivo", "btngerararquivoconferencia"));
    liga(mnuconferir, botao("btnconferir"), clica("btnconferir"));
    liga(mnuimprimir, botao("btnimpressao", "btnimprimirconferencia"),
         clica("btnimpressao", "btnimprimirconferencia"));
    liga(mnuimportararq, botao("btnimportararq"), clica("btnimportararq"));
    liga(mnuexportarplanilha, botao("btnexportarplanilha"), clica("btnexportarplanilha"));
    liga(mnudesfazer, passo("ppmdesfazer"), [](Tfcadrecarga& j) { j.ppmdesfazerClick(); });
    liga(mnurefazer, passo("ppmrefazer"), [](Tfcadrecarga& j) { j.ppmrefazerClick(); });
    liga(mnulocalizar, [](const Tfcadrecarga& j) { return usavel(controle<QLineEdit>(j, "edlocalizar"), j); },
         [](Tfcadrecarga& j) {
             if (QLineEdit* campo = controle<QLineEdit>(j, "edlocalizar")) {
                 campo->setFocus(Qt::ShortcutFocusReason);
                 campo->selectAll();
             }
         });

    // Whatever happened while a menu was closed, it opens up to date.
    for (QMenu* menu : {mnuarquivo, mnueditar})
        connect(menu, &QMenu::aboutToShow, this, &MenuPrincipal::atualiza);
    atualiza();
}

QAction* MenuPrincipal::item(QMenu* menu, const QString& texto, const char* nome)
{
    QAction* a = menu->addAction(texto);
    a->setObjectName(QString::fromLatin1(nome));
    return a;
}

void MenuPrincipal::liga(QAction* item, std::function<bool(const Tfcadrecarga&)> pode,
                         std::function<void(Tfcadrecarga&)> aciona)
{
    m_ligacoes.push_back({item, std::move(pode), aciona});
    connect(item, &QAction::triggered, this, [this, item, aciona] {
        // A key may come before the state caught up: the control decides.
        atualiza();
        if (m_janela && item->isEnabled())
            aciona(*m_janela);
    });
}

std::vector<QWidget*> MenuPrincipal::observados(const Tfcadrecarga& j)
{
    std::vector<QWidget*> w;
    for (const char* nome : {"btnprocessar", "btnsalvarrascunho", "btngerararquivo", "btnconferir", "btnimpressao",
                             "btnimportararq", "btnexportarplanilha", "edlocalizar", "btnsalvarrascunhoconferencia",
                             "btngerararquivoconferencia", "btnimprimirconferencia"})
        if (QWidget* c = controle<QWidget>(j, nome))
            w.push_back(c);
    if (const QStackedWidget* paginas = controle<QStackedWidget>(j, "PageControl1"))
        for (int i = 0; i < paginas->count(); ++i)
            w.push_back(paginas->widget(i));
    return w;
}

void MenuPrincipal::acompanha(Tfcadrecarga* janela)
{
    if (m_janela == janela)
        return;
    if (m_janela) {
        for (QWidget* w : observados(*m_janela))
            w->removeEventFilter(this);
        for (QAction* a : passos(*m_janela))
            a->disconnect(this);
        m_janela->disconnect(this);
    }
    m_janela = janela;
    if (janela) {
        for (QWidget* w : observados(*janela))
            w->installEventFilter(this);
        for (QAction* a : passos(*janela))
            connect(a, &QAction::changed, this, &MenuPrincipal::atualiza, Qt::QueuedConnection);
        // Gone with its window: nothing left to act on.
        // (QWidget says so before its own parts go: the window is no longer
        // one to ask.)
        connect(janela, &QObject::destroyed, this, [this] {
            m_janela = nullptr;
            atualiza();
        });
    }
    atualiza();
}

void MenuPrincipal::atualiza()
{
    m_atualizacaoPendente = false;
    for (const Ligacao& l : m_ligacoes)
        l.item->setEnabled(m_janela && l.pode(*m_janela));
    // The step the operator would take, named as in the grid's own menu.
    mnudesfazer->setText(textoPasso(m_janela, "ppmdesfazer", QStringLiteral("&Desfazer")));
    mnurefazer->setText(textoPasso(m_janela, "ppmrefazer", QStringLiteral("&Refazer")));
}

bool MenuPrincipal::eventFilter(QObject* objeto, QEvent* evento)
{
    switch (evento->type()) {
    case QEvent::EnabledChange:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        // Once the event is over: a window being torn down sends these too.
        if (!m_atualizacaoPendente) {
            m_atualizacaoPendente = true;
            QMetaObject::invokeMethod(this, [this] { atualiza(); }, Qt::QueuedConnection);
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(objeto, evento);
}

}  // namespace pluvexa
