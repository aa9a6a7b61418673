#include "shell/tfgeral.h"

#include "shell/arte.h"
#include "shell/barrastatus.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace pluvexa {

namespace {

constexpr int kLarguraLateral = 131;
constexpr int kLarguraAberta = 281;     // panel while widened
constexpr int kArvoreAberta = 280;      // tree while widened
constexpr int kLimiteAbertura = 132;    // the mouse must be left of this
constexpr int kIcones = 9;              // image list indices 0..8

}  // namespace

Tfgeral::Tfgeral(QWidget* parent) : QMainWindow(parent)
{
    resize(690, 481);
    setWindowIcon(iconePrograma());

    // Panel 0 follows the tree's width; the derived form sets it.
    StBGeral = new BarraStatus({0, 160, 130, 130, 130, 50}, this);
    StBGeral->setObjectName(QStringLiteral("StBGeral"));
    StBGeral->setAccessibleName(QStringLiteral("Barra de status"));
    setStatusBar(StBGeral);

    auto* cliente = new QWidget(this);
    m_cliente = new QVBoxLayout(cliente);
    m_cliente->setContentsMargins(0, 0, 0, 0);
    m_cliente->setSpacing(0);
    auto* linha = new QHBoxLayout;
    m_cliente->addLayout(linha, 1);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->setSpacing(0);

    PnlLateral = new QWidget(cliente);
    PnlLateral->setObjectName(QStringLiteral("PnlLateral"));
    PnlLateral->setAccessibleName(QStringLiteral("Painel lateral"));
    PnlLateral->setAutoFillBackground(true);
    QPalette branco = PnlLateral->palette();
    branco.setColor(QPalette::Window, Qt::white);
    PnlLateral->setPalette(branco);
    auto* coluna = new QVBoxLayout(PnlLateral);
    coluna->setContentsMargins(0, 0, 0, 0);
    coluna->setSpacing(0);

    ImgGeral = new QLabel(PnlLateral);
    ImgGeral->setObjectName(QStringLiteral("ImgGeral"));
    ImgGeral->setAccessibleName(QStringLiteral("Logotipo"));
    ImgGeral->setFixedSize(129, 35);
    ImgGeral->setAlignment(Qt::AlignCenter);
    ImgGeral->setPixmap(figura(QStringLiteral("logo"), QSize(129, 35)));
    coluna->addWidget(ImgGeral, 0, Qt::AlignTop | Qt::AlignLeft);

    for (int i = 0; i < kIcones; ++i)
        ImLGeral.push_back(iconeArvore(i));

    TVwGeral = new QTreeWidget(PnlLateral);
    TVwGeral->setObjectName(QStringLiteral("TVwGeral"));
    TVwGeral->setAccessibleName(QStringLiteral("Menu"));
    TVwGeral->setHeaderHidden(true);
    TVwGeral->setColumnCount(1);
    TVwGeral->setIndentation(19);
    // The menu is short and always open: without the root's expand
    // decoration and in a compact font the node texts fit the narrow panel.
    TVwGeral->setRootIsDecorated(false);
    TVwGeral->setItemsExpandable(false);
    QFont fonte = TVwGeral->font();
    fonte.setPointSize(8);
    TVwGeral->setFont(fonte);
    TVwGeral->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    TVwGeral->setLineWidth(2);
    TVwGeral->setSelectionMode(QAbstractItemView::SingleSelection);
    TVwGeral->viewport()->setMouseTracking(true);
    TVwGeral->viewport()->installEventFilter(this);
    coluna->addWidget(TVwGeral, 1, Qt::AlignLeft);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setAccessibleName(QStringLiteral("Menu do painel"));
    ppmredaut = PopupMenu1->addAction(QStringLiteral("Redimensionamento Automático"));
    ppmredaut->setObjectName(QStringLiteral("ppmredaut"));
    ppmredaut->setCheckable(true);
    ppmredaut->setChecked(false);
    connect(ppmredaut, &QAction::triggered, this, &Tfgeral::ppmredautClick);
    TVwGeral->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(TVwGeral, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        PopupMenu1->popup(TVwGeral->viewport()->mapToGlobal(p));
    });

    mdiArea = new QMdiArea(cliente);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    mdiArea->setAccessibleName(QStringLiteral("Área de trabalho"));

    // The panel keeps its usual width in the layout; widened, it covers the
    // left of the client area instead of narrowing it, so that a work page
    // never loses its right edge to the tree.
    m_reservaLateral = new QWidget(cliente);
    m_reservaLateral->setObjectName(QStringLiteral("reservaLateral"));
    m_reservaLateral->installEventFilter(this);
    linha->addWidget(m_reservaLateral);
    linha->addWidget(mdiArea, 1);
    PnlLateral->raise();
    setCentralWidget(cliente);

    defineLarguraLateral(kLarguraLateral);
}

void Tfgeral::defineMenu(QMenuBar* menu)
{
    m_cliente->insertWidget(0, menu);
}

void Tfgeral::defineLarguraLateral(int painel)
{
    m_reservaLateral->setFixedWidth(painel);
    defineLarguras(painel, painel - 2);
}

void Tfgeral::defineLarguras(int painel, int arvore)
{
    PnlLateral->setFixedWidth(painel);
    TVwGeral->setFixedWidth(arvore);
    posicionaLateral();
}

void Tfgeral::posicionaLateral()
{
    const QRect r = m_reservaLateral->geometry();
    PnlLateral->setGeometry(r.x(), r.y(), PnlLateral->width(), r.height());
}

void Tfgeral::TVwGeralMouseMove(int x)
{
    if (LarguraPainel == 0 || LarguraArvore == 0) {
        LarguraPainel = PnlLateral->width();
        LarguraArvore = TVwGeral->width();
    }
    if (Redimensiona && x < kLimiteAbertura)
        defineLarguras(kLarguraAberta, kArvoreAberta);
    else
        defineLarguras(LarguraPainel, LarguraArvore);
}

void Tfgeral::TVwGeralMouseUp()
{
    // Before the first move nothing was saved; restoring zero widths would
    // make the menu vanish.
    if (LarguraPainel == 0 || LarguraArvore == 0)
        return;
    defineLarguras(LarguraPainel, LarguraArvore);
}

void Tfgeral::ppmredautClick()
{
    // The item is checkable: Qt has already toggled its mark.
    Redimensiona = ppmredaut->isChecked();
}

bool Tfgeral::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == m_reservaLateral && (evento->type() == QEvent::Resize || evento->type() == QEvent::Move))
        posicionaLateral();
    if (objeto == TVwGeral->viewport()) {
        if (evento->type() == QEvent::MouseMove)
            TVwGeralMouseMove(static_cast<QMouseEvent*>(evento)->position().toPoint().x());
        else if (evento->type() == QEvent::MouseButtonRelease)
            TVwGeralMouseUp();
    }
    return QMainWindow::eventFilter(objeto, evento);
}

void Tfgeral::showEvent(QShowEvent* evento)
{
    if (!m_centralizada) {
        m_centralizada = true;
        if (const QScreen* tela = screen()) {
            QRect r = frameGeometry();
            r.moveCenter(tela->availableGeometry().center());
            move(r.topLeft());
        }
    }
    QMainWindow::showEvent(evento);
}

}  // namespace pluvexa
