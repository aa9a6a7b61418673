#include "help/tfmanual.h"

#include <QFile>
#include <QStyle>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextList>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <algorithm>

// The pages live in a static library: nothing else references them, so the
// linker would drop them unless they are registered by hand.
static void registraManual()
{
    static const bool feito = [] {
        Q_INIT_RESOURCE(manual);
        return true;
    }();
    (void)feito;
}

namespace pluvexa {

namespace {

constexpr int kEndereco = Qt::UserRole;

QString semFragmento(const QUrl& url)
{
    return url.adjusted(QUrl::RemoveFragment).toString();
}

}  // namespace

QUrl Tfmanual::paginaInicial()
{
    registraManual();
    return QUrl(QStringLiteral("qrc:/manual/index.html"));
}

Tfmanual::Tfmanual(QWidget* parent) : QWidget(parent, Qt::Window)
{
    registraManual();
    setObjectName(QStringLiteral("fmanual"));
    setWindowTitle(QStringLiteral("Manual do Operador - Pluvexa"));
    setAccessibleName(windowTitle());

    auto botao = [this](const QString& texto, const QString& nome) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(nome);
        b->setAccessibleName(QString(texto).remove(QLatin1Char('&')));
        b->setAutoDefault(false);
        return b;
    };
    btnvoltar = botao(QStringLiteral("&Voltar"), QStringLiteral("btnvoltar"));
    btnavancar = botao(QStringLiteral("A&vançar"), QStringLiteral("btnavancar"));
    btnsumario = botao(QStringLiteral("&Sumário"), QStringLiteral("btnsumario"));
    btnvoltar->setEnabled(false);
    btnavancar->setEnabled(false);

    TVwSumario = new QTreeWidget(this);
    TVwSumario->setObjectName(QStringLiteral("TVwSumario"));
    TVwSumario->setAccessibleName(QStringLiteral("Sumário"));
    TVwSumario->setHeaderHidden(true);
    TVwSumario->setColumnCount(1);

    txtManual = new QTextBrowser(this);
    txtManual->setObjectName(QStringLiteral("txtManual"));
    txtManual->setAccessibleName(QStringLiteral("Manual do Operador"));
    // The manual links only its own pages.
    txtManual->setOpenExternalLinks(false);
    // The pages link their style sheet for web browsers; Qt's reader does
    // not load it, so the browser's document gets it as its default.
    QFile estilo(QStringLiteral(":/manual/manual.css"));
    if (estilo.open(QIODevice::ReadOnly))
        txtManual->document()->setDefaultStyleSheet(QString::fromUtf8(estilo.readAll()));

    auto* divisao = new QSplitter(Qt::Horizontal, this);
    divisao->addWidget(TVwSumario);
    divisao->addWidget(txtManual);
    divisao->setStretchFactor(1, 1);
    divisao->setSizes({280, 1000});

    auto* botoes = new QHBoxLayout;
    botoes->addWidget(btnvoltar);
    botoes->addWidget(btnavancar);
    botoes->addWidget(btnsumario);
    botoes->addStretch(1);
    auto* coluna = new QVBoxLayout(this);
    coluna->addLayout(botoes);
    coluna->addWidget(divisao, 1);

    connect(btnvoltar, &QPushButton::clicked, txtManual, &QTextBrowser::backward);
    connect(btnavancar, &QPushButton::clicked, txtManual, &QTextBrowser::forward);
    connect(btnsumario, &QPushButton::clicked, this, [this] { mostra(paginaInicial()); });
    connect(txtManual, &QTextBrowser::backwardAvailable, btnvoltar, &QPushButton::setEnabled);
    connect(txtManual, &QTextBrowser::forwardAvailable, btnavancar, &QPushButton::setEnabled);
    connect(txtManual, &QTextBrowser::sourceChanged, this, [this](const QUrl& u) { acompanhaPagina(u); });
    connect(TVwSumario, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item && !m_acompanhando)
            mostra(item->data(0, kEndereco).toUrl());
    });
    auto* fecha = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(fecha, &QShortcut::activated, this, &QWidget::close);

    criaSumario();
    mostra(paginaInicial());
    txtManual->setFocus(Qt::OtherFocusReason);
}

void Tfmanual::criaSumario()
{
    QFile arquivo(QStringLiteral(":/manual/index.html"));
    if (!arquivo.open(QIODevice::ReadOnly))
        return;
    QTextDocument pagina;
    pagina.setHtml(QString::fromUtf8(arquivo.readAll()));
    // The last entry of each level, for the nesting of the next ones.
    QList<QTreeWidgetItem*> acima;
    for (QTextBlock bloco = pagina.begin(); bloco.isValid(); bloco = bloco.next()) {
        const QTextList* lista = bloco.textList();
        if (!lista)
            continue;
        QString href;
        for (auto it = bloco.begin(); !it.atEnd() && href.isEmpty(); ++it)
            if (it.fragment().charFormat().isAnchor())
                href = it.fragment().charFormat().anchorHref();
        if (href.isEmpty())
            continue;
        const int nivel = std::max(1, lista->format().indent());
        while (acima.size() >= nivel)
            acima.removeLast();
        QTreeWidgetItem* pai = acima.isEmpty() ? nullptr : acima.last();
        auto* item = pai ? new QTreeWidgetItem(pai) : new QTreeWidgetItem(TVwSumario);
        item->setText(0, bloco.text().simplified());
        item->setData(0, kEndereco, paginaInicial().resolved(QUrl(href)));
        acima.append(item);
    }
    TVwSumario->expandAll();
}

QList<QUrl> Tfmanual::enderecosSumario() const
{
    QList<QUrl> enderecos;
    for (QTreeWidgetItemIterator it(TVwSumario); *it; ++it)
        enderecos << (*it)->data(0, kEndereco).toUrl();
    return enderecos;
}

void Tfmanual::mostra(const QUrl& endereco)
{
    txtManual->setSource(paginaInicial().resolved(endereco));
}

// The contents follow the page shown, however it was reached: its own entry
// (or, for a place without one, its page's) becomes the current one.
void Tfmanual::acompanhaPagina(const QUrl& endereco)
{
    QTreeWidgetItem* achado = nullptr;
    for (QTreeWidgetItemIterator it(TVwSumario); *it && !achado; ++it)
        if ((*it)->data(0, kEndereco).toUrl() == endereco)
            achado = *it;
    for (QTreeWidgetItemIterator it(TVwSumario); *it && !achado; ++it)
        if (semFragmento((*it)->data(0, kEndereco).toUrl()) == semFragmento(endereco))
            achado = *it;
    m_acompanhando = true;
    TVwSumario->setCurrentItem(achado);
    m_acompanhando = false;
}

Tfmanual* mostraManual(QWidget* parent)
{
    static QPointer<Tfmanual> aberta;
    if (!aberta) {
        QWidget* sobre = parent ? parent->window() : nullptr;
        aberta = new Tfmanual(sobre);
        aberta->setAttribute(Qt::WA_DeleteOnClose);
        if (sobre)
            aberta->setWindowIcon(sobre->windowIcon());
        // Wide enough for the pictures of the program's windows beside the
        // contents, within the screen it opens on.
        const QScreen* tela = sobre ? sobre->screen() : QGuiApplication::primaryScreen();
        const QRect area = tela ? tela->availableGeometry() : QRect(0, 0, 1366, 768);
        const QSize tamanho(std::min(1320, area.width() * 95 / 100), std::min(860, area.height() * 90 / 100));
        aberta->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, tamanho, area));
    }
    if (aberta->isMinimized())
        aberta->showNormal();
    aberta->show();
    aberta->raise();
    aberta->activateWindow();
    return aberta;
}

Tfmanual* mostraManual(QWidget* parent, const QUrl& pagina)
{
    Tfmanual* manual = mostraManual(parent);
    manual->mostra(pagina);
    return manual;
}

}  // namespace pluvexa
