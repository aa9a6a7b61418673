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

// A control the operator can use now: enabled, and on the page the window
// shows (whether or not the window itself is on screen yet).
bool usavel(const QWidget* controle, const Tfcadrecarga& janela)
{
    return controle && controle->isEnabled() && controle->isVisibleTo(&janela);
}

std::function<bool(const Tfcadrecarga&)> botao(QPushButton* Tfcadrecarga::*membro)
{
    return [membro](const Tfcadrecarga& j) { return usavel(j.*membro, j); };
}

std::function<void(Tfcadrecarga&)> clica(QPushButton* Tfcadrecarga::*membro)
{
    return [membro](Tfcadrecarga& j) { (j.*membro)->click(); };
}

// An action the review page offers too: its own button there stands for
// the grid's ("Imprimir" prints the review there).
QPushButton* daPagina(const Tfcadrecarga& j, QPushButton* Tfcadrecarga::*membro,
                      QPushButton* PaginaConferencia::*naConferencia)
{
    QPushButton* b = j.*membro;
    return usavel(b, j) || !j.tbconferencia ? b : j.tbconferencia->*naConferencia;
}

std::function<bool(const Tfcadrecarga&)> botao(QPushButton* Tfcadrecarga::*membro,
                                               QPushButton* PaginaConferencia::*naConferencia)
{
    return [=](const Tfcadrecarga& j) { return usavel(daPagina(j, membro, naConferencia), j); };
}

std::function<void(Tfcadrecarga&)> clica(QPushButton* Tfcadrecarga::*membro,
                                         QPushButton* PaginaConferencia::*naConferencia)
{
    return [=](Tfcadrecarga& j) { daPagina(j, membro, naConferencia)->click(); };
}

// An undo step is there to take, and the page it acts on is shown.
std::function<bool(const Tfcadrecarga&)> passo(QAction* Tfcadrecarga::*membro)
{
    return [membro](const Tfcadrecarga& j) { return (j.*membro)->isEnabled() && usavel(j.tbDigitacao, j); };
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

    liga(mnuprocessar, botao(&Tfcadrecarga::btnprocessar), clica(&Tfcadrecarga::btnprocessar));
    liga(mnusalvarrascunho, botao(&Tfcadrecarga::btnsalvarrascunho, &PaginaConferencia::btnsalvarrascunho),
         clica(&Tfcadrecarga::btnsalvarrascunho, &PaginaConferencia::btnsalvarrascunho));
    liga(mnugerararquivo, botao(&Tfcadrecarga::btngerararquivo, &PaginaConferencia::btngerararquivo),
         clica(&Tfcadrecarga::btngerararquivo, &PaginaConferencia::btngerararquivo));
    liga(mnuconferir, botao(&Tfcadrecarga::btnconferir), clica(&Tfcadrecarga::btnconferir));
    liga(mnuimprimir, botao(&Tfcadrecarga::btnimpressao, &PaginaConferencia::btnimprimir),
         clica(&Tfcadrecarga::btnimpressao, &PaginaConferencia::btnimprimir));
    liga(mnuimportararq, botao(&Tfcadrecarga::btnimportararq), clica(&Tfcadrecarga::btnimportararq));
    liga(mnuexportarplanilha, botao(&Tfcadrecarga::btnexportarplanilha), clica(&Tfcadrecarga::btnexportarplanilha));
    liga(mnudesfazer, passo(&Tfcadrecarga::ppmdesfazer), [](Tfcadrecarga& j) { j.ppmdesfazerClick(); });
    liga(mnurefazer, passo(&Tfcadrecarga::ppmrefazer), [](Tfcadrecarga& j) { j.ppmrefazerClick(); });
    liga(mnulocalizar, [](const Tfcadrecarga& j) { return usavel(j.edlocalizar, j); },
         [](Tfcadrecarga& j) {
             j.edlocalizar->setFocus(Qt::ShortcutFocusReason);
             j.edlocalizar->selectAll();
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
    std::vector<QWidget*> w = {j.btnprocessar, j.btnsalvarrascunho, j.btngerararquivo, j.btnconferir,
                               j.btnimpressao, j.btnimportararq, j.btnexportarplanilha, j.edlocalizar,
                               j.tbconferencia->btnsalvarrascunho, j.tbconferencia->btngerararquivo,
                               j.tbconferencia->btnimprimir};
    for (int i = 0; i < j.PageControl1->count(); ++i)
        w.push_back(j.PageControl1->widget(i));
    return w;
}

void MenuPrincipal::acompanha(Tfcadrecarga* janela)
{
    if (m_janela == janela)
        return;
    if (m_janela) {
        for (QWidget* w : observados(*m_janela))
            w->removeEventFilter(this);
        for (QAction* a : {m_janela->ppmdesfazer, m_janela->ppmrefazer})
            a->disconnect(this);
        m_janela->disconnect(this);
    }
    m_janela = janela;
    if (janela) {
        for (QWidget* w : observados(*janela))
            w->installEventFilter(this);
        for (QAction* a : {janela->ppmdesfazer, janela->ppmrefazer})
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
    mnudesfazer->setText(m_janela ? QLatin1Char('&') + m_janela->ppmdesfazer->text() : QStringLiteral("&Desfazer"));
    mnurefazer->setText(m_janela ? QLatin1Char('&') + m_janela->ppmrefazer->text() : QStringLiteral("&Refazer"));
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
