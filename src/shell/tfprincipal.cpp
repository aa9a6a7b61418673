#include "shell/tfprincipal.h"

#include "files/pastasdistintas.h"
#include "help/paginaajuda.h"
#include "flows/arquivossalvos.h"
#include "help/tfmanual.h"
#include "interaction/interaction.h"
#include "history/tfhistorico.h"
#include "maintenance/tfcadrecarga.h"

#include <QCloseEvent>
#include "recharge/modelo.h"
#include "shell/barrastatus.h"
#include "shell/formatodata.h"
#include "shell/geometriajanela.h"
#include "shell/menuprincipal.h"
#include "shell/tfsobre.h"
#include "transfer/tfcargaarquivos.h"
#include "ui/configuracao.h"
#include "ui/qtinteraction.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QShortcut>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTreeWidget>
#include <algorithm>
#include <exception>

namespace pluvexa {

namespace {

const QString kFundo = QStringLiteral("ftelafundo");
constexpr int kLarguraProjetada = 133;  // the tree's panel
const QString kPrincipal = QStringLiteral("Principal");
const QString kManutencao = QStringLiteral("Manutenção");
const QString kCargaArquivos = QStringLiteral("Carga Arquivos");
const QString kHistorico = QStringLiteral("Histórico");
const QString kSair = QStringLiteral("Sair");

// Suspends painting of a window while its children are swapped, and resumes
// it however the swap ends.
class PinturaSuspensa {
public:
    explicit PinturaSuspensa(QWidget* janela) : m_janela(janela) { m_janela->setUpdatesEnabled(false); }
    ~PinturaSuspensa() { m_janela->setUpdatesEnabled(true); }
    PinturaSuspensa(const PinturaSuspensa&) = delete;
    PinturaSuspensa& operator=(const PinturaSuspensa&) = delete;

private:
    QWidget* m_janela;
};

}  // namespace

Tfprincipal::Tfprincipal(Interaction* interaction, ModeloRecarga* modelo, QWidget* parent)
    : Tfgeral(parent)
{
    setObjectName(QStringLiteral("fprincipal"));
    setAccessibleName(QStringLiteral("Pluvexa"));
    // System menu and minimise only: no maximise button.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    resize(kTamanhoProjetado);
    defineLarguraLateral(kLarguraProjetada);
    StBGeral->setFixedHeight(23);
    TVwGeral->setEditTriggers(QAbstractItemView::NoEditTriggers);

    if (!interaction) {
        m_interacaoPropria = std::make_unique<QtInteraction>(this);
        interaction = m_interacaoPropria.get();
    }
    m_contexto.interaction = interaction;
    m_contexto.modelo = modelo ? modelo : &pluvexa::modelo();
    m_contexto.setStatus = [bar = QPointer<BarraStatus>(StBGeral)](const QString& texto) {
        if (bar)
            bar->defineTexto(1, texto);
    };
    m_contexto.setStatusTip = [bar = QPointer<BarraStatus>(StBGeral)](const QString& dica) {
        if (bar)
            bar->painel(1)->setToolTip(dica);
    };
    m_contexto.setPanel = [bar = QPointer<BarraStatus>(StBGeral)](int indice, const QString& texto) {
        if (bar && indice >= 0 && indice < bar->quantidade())
            bar->defineTexto(indice, texto);
    };
    // The saved files are told in a panel of their own after the others,
    // where the name has room; each kind's chooser opens where the last of
    // its kind went, remembered in the settings.
    m_salvos = std::make_unique<ArquivosSalvos>(
        ArquivosSalvos::Memoria{[](const QString& chave) { return Configuracao::pastaSalva(chave); },
                                [](const QString& chave, const QString& pasta) {
                                    Configuracao::guardaPastaSalva(chave, pasta);
                                }});
    m_painelGravado = StBGeral->adicionaPainelElastico(QStringLiteral("PainelGravado"));
    m_contexto.pastaParaSalvar = [this](TipoSalvo tipo) { return m_salvos->pastaInicial(tipo); };
    m_contexto.aoSalvar = [this](TipoSalvo tipo, const QString& caminho) { arquivoSalvo(tipo, caminho); };

    // A click on an item only: a stray click on the blank part of the tree
    // must not throw away the open work window.
    connect(TVwGeral, &QTreeWidget::itemClicked, this, [this] { TVwGeralClick(); });
    // Enter on a node does what a click does, for work without a mouse.
    TVwGeral->installEventFilter(this);
    // F6 moves the keyboard between the tree and the work window, so that
    // "Carga Arquivos" and "Sair" are reached without the mouse.
    auto* f6 = new QShortcut(QKeySequence(Qt::Key_F6), this);
    f6->setContext(Qt::WindowShortcut);
    connect(f6, &QShortcut::activated, this, [this] { alternaFoco(); });
    // Every child is shown maximised. The MDI area restores the previously
    // maximised child when another one is maximised; whichever comes back on
    // top (the background after a work window goes) is maximised again.
    connect(mdiArea, &QMdiArea::subWindowActivated, this, [](QMdiSubWindow* sub) {
        if (sub && !sub->isMaximized())
            sub->showMaximized();
    });

    m_menu = new MenuPrincipal(this);
    defineMenu(m_menu->barra);
    connect(m_menu, &MenuPrincipal::sairPedido, this, &QWidget::close);
    connect(m_menu, &MenuPrincipal::sobrePedido, this, &Tfprincipal::mostraSobre);
    // F1 opens the manual where the operator is: the page about the work
    // window shown, and the page of it.
    connect(m_menu, &MenuPrincipal::manualPedido, this, [this] {
        // The work window last active, also while the manual itself (or
        // another window of the program) has the focus.
        const QList<QMdiSubWindow*> ativadas = mdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
        const QMdiSubWindow* sub = ativadas.isEmpty() ? nullptr : ativadas.last();
        mostraManual(this, paginaAjuda(sub ? sub->widget() : nullptr));
    });
    connect(m_menu, &MenuPrincipal::abrirPastaPedido, this, &Tfprincipal::abrePastaUltimoArquivo);

    // Activation sets it again; holding it from the start lets the forms made
    // before the first activation (the about box) show it.
    m_versao = QString::fromLatin1(kVersao);
    FormCreate();
}

Tfprincipal::~Tfprincipal()
{
    // The children may still reach the context (and its interaction) while
    // they are destroyed, so they go before the members. As at the end of the
    // run, they are destroyed without their close handlers.
    const auto filhas = mdiArea->subWindowList();
    qDeleteAll(filhas);
}

void Tfprincipal::FormCreate()
{
    defineFormatoDataCurta(QStringLiteral("dd/MM/yyyy"));

    TVwGeral->clear();
    auto* principal = new QTreeWidgetItem(TVwGeral, QStringList{kPrincipal});
    principal->setIcon(0, ImLGeral.value(8));
    auto* manutencao = new QTreeWidgetItem(principal, QStringList{kManutencao});
    manutencao->setIcon(0, ImLGeral.value(1));
    auto* carga = new QTreeWidgetItem(principal, QStringList{kCargaArquivos});
    carga->setIcon(0, ImLGeral.value(0));
    // What was sent, after the work that sends it.
    auto* historico = new QTreeWidgetItem(principal, QStringList{kHistorico});
    historico->setIcon(0, ImLGeral.value(2));
    auto* sair = new QTreeWidgetItem(TVwGeral, QStringList{kSair});
    sair->setIcon(0, ImLGeral.value(7));
    TVwGeral->expandAll();
    // The arrows start from the top of the menu.
    TVwGeral->setCurrentItem(principal);

    // The designed width, or wider where the system's font would cut a
    // node's text ("Carga Arquivos").
    const int texto = static_cast<const QAbstractItemView*>(TVwGeral)->sizeHintForColumn(0) + 2 * TVwGeral->frameWidth();
    defineLarguraLateral(std::max(kLarguraProjetada, texto + 2));

    m_fatorMoeda = kFatorMoeda;
    StBGeral->defineLargura(0, TVwGeral->width());
}

void Tfprincipal::FormActivate()
{
    m_versao = QString::fromLatin1(kVersao);
    setWindowTitle(QApplication::applicationName() + QStringLiteral(" - Versão:") + m_versao);
}

int Tfprincipal::ModoArredondamento() const
{
    return m_contexto.modelo->ModoArredondamento;
}

Tfcadrecarga* Tfprincipal::fcadrecarga() const
{
    return m_fcadrecarga;
}

Tfcargaarquivos* Tfprincipal::fcargaarquivos() const
{
    return m_fcargaarquivos;
}

Tfhistorico* Tfprincipal::fhistorico() const
{
    return m_fhistorico;
}

QMdiSubWindow* Tfprincipal::adicionaJanela(QWidget* janela)
{
    QMdiSubWindow* sub = mdiArea->addSubWindow(janela);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon());
    // Restored by the user, a child keeps the whole area rather than the
    // bare title bar it would get from never having been shown normal.
    sub->resize(mdiArea->viewport()->size());
    sub->showMaximized();
    // The background has nothing to type into: the keyboard stays on the menu.
    if (janela->objectName() == kFundo)
        TVwGeral->setFocus(Qt::OtherFocusReason);
    return sub;
}

void Tfprincipal::posicionaAbertura()
{
    QList<QRect> areas;
    if (const QScreen* primaria = QGuiApplication::primaryScreen())
        areas << primaria->availableGeometry();
    for (const QScreen* tela : QGuiApplication::screens())
        if (tela != QGuiApplication::primaryScreen())
            areas << tela->availableGeometry();
    posicionaAbertura(areas);
    // The first time, the window fills the screen. Asked as maximised, the
    // window manager fits its frame and title bar into the available area
    // at any scale, which a geometry set before the frame exists cannot do.
    if (!Configuracao::geometriaPrincipal())
        setWindowState(windowState() | Qt::WindowMaximized);
}

void Tfprincipal::posicionaAbertura(const QList<QRect>& disponiveis)
{
    if (disponiveis.isEmpty())
        return;
    const QRect r = geometriaInicial(Configuracao::geometriaPrincipal(), disponiveis);
    QRect area = disponiveis.first();
    for (const QRect& a : disponiveis)
        if (a.contains(r.center()))
            area = a;
    setMinimumSize(tamanhoMinimo(area));
    setGeometry(r);
    dispensaCentralizacao();
}

void Tfprincipal::TVwGeralClick()
{
    // The entry of the work window already open leaves it as it is: a
    // second click must not close the operator's file.
    if (const QList<QTreeWidgetItem*> sel = TVwGeral->selectedItems(); !sel.isEmpty()) {
        const QString no = sel.first()->text(0);
        QWidget* aberta = no == kManutencao      ? static_cast<QWidget*>(m_fcadrecarga.data())
                          : no == kCargaArquivos ? static_cast<QWidget*>(m_fcargaarquivos.data())
                          : no == kHistorico     ? static_cast<QWidget*>(m_fhistorico.data())
                                                 : nullptr;
        for (QMdiSubWindow* sub : mdiArea->subWindowList())
            if (aberta && sub->widget() == aberta) {
                mdiArea->setActiveSubWindow(sub);
                return;
            }
        // Both windows read, write, move and delete in the working folders:
        // one folder under two of their names would have them delete or
        // leave behind what the other holds. Nothing is opened, made or
        // asked, and the window open stays.
        if (no == kManutencao || no == kCargaArquivos)
            if (const QString recusa = recusaPastasTrabalhoRepetidas(); !recusa.isEmpty()) {
                m_contexto.interaction->notice(recusa, Interaction::Icon::Error);
                return;
            }
    }
    // One work window at a time over the one model: every work window goes,
    // not only the active one (with the background active, a maintenance
    // window left behind would write its grid into the next file's model).
    QList<QMdiSubWindow*> trabalho;
    for (QMdiSubWindow* sub : mdiArea->subWindowList())
        if (!sub->widget() || sub->widget()->objectName() != kFundo)
            trabalho.append(sub);
    // Values typed but not saved are not thrown away without asking; "No"
    // keeps the maintenance window and cancels the click.
    for (QMdiSubWindow* sub : trabalho)
        if (auto* manutencao = qobject_cast<Tfcadrecarga*>(sub->widget()); manutencao && !manutencao->podeDescartar())
            return;
    PinturaSuspensa pintura(this);
    // Destroyed at once, without their close handler: whatever they held is gone.
    qDeleteAll(trabalho);

    const QList<QTreeWidgetItem*> selecionados = TVwGeral->selectedItems();
    if (selecionados.isEmpty())
        return;
    const QString no = selecionados.first()->text(0);
    // A failure here is shown by the application (ui/application.h), as
    // for every handler, and the program goes on.
    if (no == kSair) {
        close();
    } else if (no == kManutencao) {
        m_fcadrecarga = new Tfcadrecarga(m_contexto);
        m_fcadrecarga->setObjectName(QStringLiteral("fcadrecarga"));
        adicionaJanela(m_fcadrecarga);
        m_menu->acompanha(m_fcadrecarga);
    } else if (no == kCargaArquivos) {
        m_fcargaarquivos = new Tfcargaarquivos(m_contexto);
        m_fcargaarquivos->setObjectName(QStringLiteral("fcargaarquivos"));
        adicionaJanela(m_fcargaarquivos);
    } else if (no == kHistorico) {
        m_fhistorico = new Tfhistorico(m_contexto);
        adicionaJanela(m_fhistorico);
    }
}

void Tfprincipal::mostraSobre()
{
    auto* sobre = new Tfsobre(*this, this);
    sobre->setAttribute(Qt::WA_DeleteOnClose);
    // Modal to this window without blocking the caller, so that tests and
    // the event loop go on while it is shown.
    sobre->open();
}

void Tfprincipal::arquivoSalvo(TipoSalvo tipo, const QString& caminho)
{
    m_salvos->registra(tipo, caminho);
    StBGeral->defineTexto(m_painelGravado, textoArquivoGravado(caminho));
    StBGeral->painel(m_painelGravado)->setToolTip(caminho);
    m_menu->mnuabrirpasta->setEnabled(true);
}

void Tfprincipal::abrePastaUltimoArquivo()
{
    const QString pasta = m_salvos->pastaUltimoArquivo();
    if (pasta.isEmpty())
        return;
    if (!QFileInfo(QDir::fromNativeSeparators(pasta)).isDir()) {
        m_contexto.interaction->notice(QStringLiteral("A pasta %1 não existe mais.").arg(pasta),
                                       Interaction::Icon::Warning);
        return;
    }
    if (!m_contexto.interaction->abrePasta(pasta))
        m_contexto.interaction->notice(QStringLiteral("Não foi possível abrir a pasta %1.").arg(pasta),
                                       Interaction::Icon::Warning);
}

void Tfprincipal::changeEvent(QEvent* evento)
{
    if (evento->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
    Tfgeral::changeEvent(evento);
}

void Tfprincipal::closeEvent(QCloseEvent* evento)
{
    for (QMdiSubWindow* sub : mdiArea->subWindowList())
        if (auto* manutencao = qobject_cast<Tfcadrecarga*>(sub->widget()); manutencao && !manutencao->podeDescartar()) {
            evento->ignore();
            return;
        }
    if (m_mostrada)
        Configuracao::guardaGeometriaPrincipal(isMinimized() ? normalGeometry() : geometry());
    Tfgeral::closeEvent(evento);
}

void Tfprincipal::alternaFoco()
{
    QMdiSubWindow* sub = mdiArea->activeSubWindow();
    QWidget* trabalho = sub ? sub->widget() : nullptr;
    const bool naArvore = TVwGeral->hasFocus();
    if (!naArvore || !trabalho || trabalho->objectName() == kFundo) {
        TVwGeral->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    // Where the operator was in the window, or its first control.
    QWidget* alvo = trabalho->focusWidget();
    if (!alvo || !alvo->isVisible() || !alvo->isEnabled()) {
        alvo = trabalho;
        while ((alvo = alvo->nextInFocusChain()) && alvo != trabalho)
            if (trabalho->isAncestorOf(alvo) && alvo->isVisible() && alvo->isEnabled()
                && (alvo->focusPolicy() & Qt::TabFocus))
                break;
    }
    if (alvo && alvo != trabalho)
        alvo->setFocus(Qt::ShortcutFocusReason);
}

bool Tfprincipal::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == TVwGeral && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            TVwGeralClick();
            return true;
        }
    }
    return Tfgeral::eventFilter(objeto, evento);
}

void Tfprincipal::showEvent(QShowEvent* evento)
{
    // Under a display without a window manager the window may never be
    // activated; it still needs its caption.
    if (windowTitle().isEmpty())
        FormActivate();
    if (!m_mostrada) {
        m_mostrada = true;
        TVwGeral->setFocus(Qt::OtherFocusReason);
    }
    Tfgeral::showEvent(evento);
}

}  // namespace pluvexa
