// The program on a screen of a given size: the opening size, what the
// operator can reach on the maintenance page, the remembered layout and
// work from the tree to the answer file with the keyboard alone.

#include "janelaprincipal.h"

#include "files/pastastrabalho.h"
#include "maintenance/recargagrid.h"
#include "maintenance/tfcadrecarga.h"
#include "maintenance/ttabnumedit.h"
#include "shell/barrastatus.h"
#include "shell/geometriajanela.h"
#include "support/widgets.h"
#include "transfer/tfcargaarquivos.h"
#include "ui/configuracao.h"

#include <QAccessible>
#include <QComboBox>
#include <QFontMetrics>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QScreen>
#include <QScrollBar>
#include <QStackedWidget>

namespace pluvexa::test {
namespace {

constexpr int kDinheiro = 1;
constexpr int kCreditos = 2;

class TelaDeTrabalho : public JanelaPrincipal {
protected:
    // A demonstration file, as the command line makes it, in the received
    // folder; the maintenance window opened from the tree and processed.
    Tfcadrecarga* processaDemo()
    {
        EXPECT_TRUE(QDir().mkpath(pastaRecebidos()));
        QProcess cli;
        cli.start(QStringLiteral(PLUVEXA_CLI),
                  {QStringLiteral("demo"), QStringLiteral("--holders"), QStringLiteral("200"),
                   QStringLiteral("--folder"), pastaRecebidos()});
        EXPECT_TRUE(cli.waitForFinished(60000));
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        clica(QStringLiteral("Manutenção"));
        Tfcadrecarga* cad = principal->fcadrecarga();
        if (!cad)
            return nullptr;
        test::filho<QPushButton>(*cad, "btnprocessar")->click();
        EXPECT_EQ(paginaDe(*cad), "tbDigitacao");
        return cad;
    }

    static void escolheTipo(Tfcadrecarga* cad, int codigo)
    {
        QComboBox* tipos = test::filho<QComboBox>(*cad, "cbtipocartao");
        const int i = tipos->findText(QStringLiteral("%1 - ").arg(codigo, 2, 10, QLatin1Char('0')), Qt::MatchStartsWith);
        ASSERT_GE(i, 0);
        tipos->setCurrentIndex(i);
    }

    // Lays out what is pending: a resize or a new page settles through
    // posted layout requests.
    static void assenta()
    {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QCoreApplication::processEvents();
        }
    }

    // The rectangle `local` of `w` in screen coordinates when every
    // ancestor up to the main window shows it whole; empty otherwise.
    QRect naTela(const QWidget* w, const QRect& local) const
    {
        const QRect r(w->mapTo(principal.get(), local.topLeft()), local.size());
        for (const QWidget* p = w; p && p != principal.get(); p = p->parentWidget()) {
            const QRect visivel(p->mapTo(principal.get(), QPoint(0, 0)), p->size());
            if (!p->isVisible() || !visivel.contains(r))
                return {};
        }
        if (!principal->rect().contains(r))
            return {};
        return r.translated(principal->geometry().topLeft());
    }

    QRect naTela(const QWidget* w) const { return naTela(w, w->rect()); }

    // The header cell of the value column.
    QRect cabecalhoValor(const Tfcadrecarga* cad) const
    {
        const QHeaderView* h = test::filho<RecargaGrid>(*cad, "sgRecarga")->horizontalHeader();
        return naTela(h->viewport(), QRect(h->sectionViewportPosition(5), 0, h->sectionSize(5), h->height()));
    }

    // What the operator needs on the page: the value column and every
    // column before it, "Valor Padrão", the four totals and both buttons.
    std::vector<std::pair<const char*, QRect>> controles(const Tfcadrecarga* cad) const
    {
        const QHeaderView* h = test::filho<RecargaGrid>(*cad, "sgRecarga")->horizontalHeader();
        return {{"Usuário", naTela(h->viewport(), QRect(h->sectionViewportPosition(0), 0, h->sectionSize(0), 1))},
                {"Valor", cabecalhoValor(cad)},
                {"Valor Padrão", naTela(test::filho<TTabNumEdit>(*cad, "edalteravlr")->parentWidget())},
                {"lblvlrrecdig", naTela(test::filho<QLabel>(*cad, "lblvlrrecdig"))},
                {"lblqtdrecdig", naTela(test::filho<QLabel>(*cad, "lblqtdrecdig"))},
                {"lblgervlrdig", naTela(test::filho<QLabel>(*cad, "lblgervlrdig"))},
                {"lblgerqtddig", naTela(test::filho<QLabel>(*cad, "lblgerqtddig"))},
                {"Salvar Rascunho", naTela(test::filho<QPushButton>(*cad, "btnsalvarrascunho"))},
                {"Gerar Arquivo", naTela(test::filho<QPushButton>(*cad, "btngerararquivo"))}};
    }
};

struct Tela {
    const char* nome;
    QRect disponivel;
    int tipo;
};

void PrintTo(const Tela& t, std::ostream* os) { *os << t.nome; }

class TamanhoDeAbertura : public TelaDeTrabalho, public ::testing::WithParamInterface<Tela> {};

// At the default font the window opens with everything the operator needs
// in sight, for the money and the credit layout alike.
TEST_P(TamanhoDeAbertura, ShowsTheValueColumnTotalsAndButtonsWithoutScrolling)
{
    const Tela& t = GetParam();
    principal->posicionaAbertura({t.disponivel});
    EXPECT_TRUE(t.disponivel.contains(principal->geometry())) << principal->geometry().width();
    EXPECT_GE(principal->width(), std::min(739, t.disponivel.width()));
    EXPECT_GE(principal->height(), std::min(533, t.disponivel.height()));

    Tfcadrecarga* cad = processaDemo();
    ASSERT_NE(cad, nullptr);
    escolheTipo(cad, t.tipo);
    assenta();
    EXPECT_EQ(test::filho<QScrollArea>(*cad, "rolagem")->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(test::filho<QScrollArea>(*cad, "rolagem")->verticalScrollBar()->value(), 0);
    EXPECT_EQ(test::filho<RecargaGrid>(*cad, "sgRecarga")->horizontalScrollBar()->value(), 0);
    for (const auto& [nome, r] : controles(cad)) {
        EXPECT_FALSE(r.isEmpty()) << nome << " is cut off";
        EXPECT_TRUE(t.disponivel.contains(r)) << nome;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tela, TamanhoDeAbertura,
    ::testing::Values(Tela{"Money1366x768", {0, 0, 1366, 768}, kDinheiro},
                      Tela{"Credits1366x768", {0, 0, 1366, 768}, kCreditos},
                      Tela{"Money1024x768", {0, 0, 1024, 768}, kDinheiro},
                      Tela{"Credits1024x768", {0, 0, 1024, 768}, kCreditos}),
    [](const auto& info) { return std::string(info.param.nome); });

// At 150 % on 1366x768 (910x512 in the program's own pixels) the window
// takes the whole area; the page may scroll down but never sideways, at
// least six holders show in the grid, and no control is cut.
TEST_F(TelaDeTrabalho, AtOneAndAHalfScaleTheGridShowsSixRowsAndNothingScrollsSideways)
{
    const QRect area(0, 0, 910, 512);
    principal->posicionaAbertura({area});
    EXPECT_EQ(principal->geometry(), area);
    Tfcadrecarga* cad = processaDemo();
    ASSERT_NE(cad, nullptr);
    for (int tipo : {kDinheiro, kCreditos}) {
        escolheTipo(cad, tipo);
        assenta();
        const QScrollArea* rolagem = test::filho<QScrollArea>(*cad, "rolagem");
        const QScrollBar* lateral = rolagem->horizontalScrollBar();
        EXPECT_EQ(lateral->maximum(), 0) << "page " << test::filho<QStackedWidget>(*cad, "PageControl1")->width()
                                         << " in " << rolagem->viewport()->width();
        const RecargaGrid* g = test::filho<RecargaGrid>(*cad, "sgRecarga");
        EXPECT_GE(g->viewport()->height() / g->rowHeight(0), 6) << g->viewport()->height();
        // Every control inside the page's width, its text not cut.
        QWidget* digitacao = test::filho<QWidget>(*cad, "tbDigitacao");
        for (QWidget* w : digitacao->findChildren<QWidget*>()) {
            if (!w->isVisible() || qobject_cast<QScrollBar*>(w) || w->parentWidget() != digitacao)
                continue;
            const QRect r(w->mapTo(digitacao, QPoint(0, 0)), w->size());
            EXPECT_LE(r.right(), rolagem->viewport()->width()) << w->objectName().toStdString();
            EXPECT_GE(w->width(), w->minimumSizeHint().width()) << w->objectName().toStdString();
        }
        const QComboBox* tipos = test::filho<QComboBox>(*cad, "cbtipocartao");
        EXPECT_GE(tipos->width(), QFontMetrics(tipos->font()).horizontalAdvance(tipos->currentText()))
            << tipos->currentText().toStdString();
    }
}

// The import's progress row, wide while it shows, folds nothing: on a
// screen where the card type and tariff stand side by side they still do
// once the window is resized during and after it.
TEST_F(TelaDeTrabalho, TheImportsProgressDoesNotFoldThePage)
{
    principal->posicionaAbertura({QRect(0, 0, 1366, 768)});
    Tfcadrecarga* cad = processaDemo();
    ASSERT_NE(cad, nullptr);
    assenta();
    const QComboBox* tarifas = test::filho<QComboBox>(*cad, "cbtarifa");
    const QComboBox* tipos = test::filho<QComboBox>(*cad, "cbtipocartao");
    ASSERT_EQ(tarifas->y(), tipos->y());
    test::filho<QLabel>(*cad, "Label18")->setText(QStringLiteral("1234567890"));
    cad->MostraProgresso(true);
    assenta();
    principal->resize(principal->width() - 1, principal->height());
    assenta();
    cad->MostraProgresso(false);
    principal->resize(principal->width() + 1, principal->height());
    assenta();
    EXPECT_EQ(tarifas->y(), tipos->y());
}

// The smallest window: the page scrolls, and every control can be brought
// into sight; none is cut off for good.
TEST_F(TelaDeTrabalho, AtTheSmallestSizeEveryControlCanBeScrolledTo)
{
    principal->posicionaAbertura({QRect(0, 0, 1366, 768)});
    Tfcadrecarga* cad = processaDemo();
    ASSERT_NE(cad, nullptr);
    principal->resize(principal->minimumSize());
    EXPECT_EQ(principal->size(), kTamanhoProjetado);
    escolheTipo(cad, kCreditos);
    assenta();
    QScrollArea* rolagem = test::filho<QScrollArea>(*cad, "rolagem");
    for (const char* nome :
         {"edalteravlr", "lblvlrrecdig", "lblgervlrdig", "lblgerqtddig", "btnsalvarrascunho", "btngerararquivo"}) {
        QWidget* w = test::filho<QWidget>(*cad, nome);
        // A text field is scrolled to by its cursor only: to its box instead.
        QWidget* alvo = qobject_cast<QLineEdit*>(w) ? w->parentWidget() : w;
        rolagem->ensureWidgetVisible(alvo, 0, 0);
        assenta();
        EXPECT_FALSE(naTela(w).isEmpty()) << nome;
    }
    RecargaGrid* grade = test::filho<RecargaGrid>(*cad, "sgRecarga");
    rolagem->ensureWidgetVisible(grade, 0, 0);
    grade->scrollTo(grade->gridModel()->index(0, 5));
    assenta();
    EXPECT_FALSE(cabecalhoValor(cad).isEmpty());
}

// Long captions widen their column rather than being cut at both ends; a
// column narrower than its caption shows the whole caption as a tooltip.
TEST_F(TelaDeTrabalho, ColumnsAreAtLeastAsWideAsTheirCaptions)
{
    Tfcadrecarga* cad = processaDemo();
    ASSERT_NE(cad, nullptr);
    escolheTipo(cad, kCreditos);
    const RecargaGrid* g = test::filho<RecargaGrid>(*cad, "sgRecarga");
    ASSERT_EQ(g->columnCount(), 18);
    const QFontMetrics fm(g->horizontalHeader()->font());
    for (int c = 0; c < g->columnCount(); ++c) {
        const QString titulo = g->cell(c, 0);
        EXPECT_GE(g->horizontalHeader()->sectionSize(c), fm.horizontalAdvance(titulo)) << titulo.toStdString();
        // The caption first, whole, then what the column holds.
        const QStringList dica = g->gridModel()->headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString().split(u'\n');
        EXPECT_EQ(dica.value(0), titulo);
        EXPECT_FALSE(dica.value(1).isEmpty()) << titulo.toStdString();
    }
    EXPECT_EQ(g->cell(6, 0), QStringLiteral("Vlr.Última Rec Grupo1 "));
    EXPECT_TRUE(g->gridModel()->headerData(4, Qt::Horizontal, Qt::ToolTipRole).toString().contains(
        QStringLiteral("Consumo médio mensal")));
    EXPECT_TRUE(g->gridModel()->headerData(12, Qt::Horizontal, Qt::ToolTipRole).toString().endsWith(
        QStringLiteral("no grupo 3 de tarifas")));
}

// Every button of every work window says what it does when the mouse
// rests on it.
TEST_F(TelaDeTrabalho, EveryButtonHasATooltip)
{
    Tfcadrecarga* cad = processaDemo();
    ASSERT_NE(cad, nullptr);
    QStringList mudos;
    const auto confere = [&mudos](const QWidget* janela) {
        for (const QPushButton* b : janela->findChildren<QPushButton*>())
            if (b->toolTip().isEmpty())
                mudos << janela->objectName() + QLatin1Char('/') + b->objectName();
    };
    confere(cad);
    for (const char* no : {"Carga Arquivos", "Histórico"}) {
        clica(QString::fromUtf8(no));
        QMdiSubWindow* sub = principal->mdiArea->currentSubWindow();
        ASSERT_NE(sub, nullptr);
        ASSERT_NE(sub->widget(), nullptr);
        EXPECT_FALSE(sub->widget()->findChildren<QPushButton*>().isEmpty()) << no;
        confere(sub->widget());
    }
    EXPECT_TRUE(mudos.isEmpty()) << mudos.join(u' ').toStdString();
}

// Started with no remembered layout, the window fills the primary screen's
// available area, asked maximised so that a window manager keeps its title
// bar on the screen; once a place is remembered it opens there, not
// maximised.
TEST_F(TelaDeTrabalho, FirstStartFillsTheScreenThenOpensWhereItWas)
{
    const QScreen* tela = QGuiApplication::primaryScreen();
    ASSERT_NE(tela, nullptr);
    const QRect area = tela->availableGeometry();
    principal->close();
    QFile::remove(Configuracao::arquivo());
    ASSERT_FALSE(Configuracao::geometriaPrincipal());

    auto primeira = std::make_unique<Tfprincipal>(&interacao, &modelo);
    primeira->posicionaAbertura();
    EXPECT_TRUE(primeira->windowState().testFlag(Qt::WindowMaximized));
    EXPECT_EQ(primeira->geometry(), area);
    primeira->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(primeira.get()));
    EXPECT_TRUE(primeira->isMaximized());
    EXPECT_TRUE(area.contains(primeira->frameGeometry())) << primeira->frameGeometry().y();
    primeira->showNormal();
    const QRect lugar(area.x() + 10, area.y() + 10, std::min(area.width() - 20, 760), std::min(area.height() - 20, 540));
    primeira->setGeometry(lugar);
    ASSERT_TRUE(primeira->close());
    primeira.reset();

    auto segunda = std::make_unique<Tfprincipal>(&interacao, &modelo);
    segunda->posicionaAbertura();
    EXPECT_FALSE(segunda->windowState().testFlag(Qt::WindowMaximized));
    EXPECT_EQ(segunda->geometry(), recolocaNaTela(lugar, {area}));
}

// The window's place and the grid's column widths come back in a second
// window, and the widths after every fill.
TEST_F(TelaDeTrabalho, SecondWindowRestoresPlaceAndColumnWidths)
{
    const QRect tela(0, 0, 1366, 768);
    principal->posicionaAbertura({tela});
    principal->setGeometry(QRect(40, 30, 1000, 700));
    Tfcadrecarga* cad = processaDemo();
    ASSERT_NE(cad, nullptr);
    const int designada = test::filho<RecargaGrid>(*cad, "sgRecarga")->horizontalHeader()->sectionSize(3);
    test::filho<RecargaGrid>(*cad, "sgRecarga")->horizontalHeader()->resizeSection(3, designada + 57);
    ASSERT_TRUE(principal->close());

    principal = std::make_unique<Tfprincipal>(&interacao, &modelo);
    fundo = new Tftelafundo(*principal);
    principal->adicionaJanela(fundo);
    principal->posicionaAbertura({tela});
    principal->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(principal.get()));
    EXPECT_EQ(principal->geometry(), QRect(40, 30, 1000, 700));

    clica(QStringLiteral("Manutenção"));
    cad = principal->fcadrecarga();
    ASSERT_NE(cad, nullptr);
    test::filho<QPushButton>(*cad, "btnprocessar")->click();
    EXPECT_EQ(test::filho<RecargaGrid>(*cad, "sgRecarga")->horizontalHeader()->sectionSize(3), designada + 57);
    escolheTipo(cad, kCreditos);
    EXPECT_EQ(test::filho<RecargaGrid>(*cad, "sgRecarga")->horizontalHeader()->sectionSize(3), designada + 57);
    escolheTipo(cad, kDinheiro);
    EXPECT_EQ(test::filho<RecargaGrid>(*cad, "sgRecarga")->horizontalHeader()->sectionSize(3), designada + 57);
}

TEST_F(TelaDeTrabalho, StatusPanelsAreReadByTheirText)
{
    principal->contexto().status(QStringLiteral("Grid Preenchido."));
    QAccessibleInterface* painel = QAccessible::queryAccessibleInterface(principal->StBGeral->painel(1));
    ASSERT_NE(painel, nullptr);
    EXPECT_EQ(painel->text(QAccessible::Name), QStringLiteral("Grid Preenchido."));
}

// Waits until the focus is on `w`.
bool focoEm(const QWidget* w)
{
    return QTest::qWaitFor([w] { return QApplication::focusWidget() == w; });
}

// A key as the keyboard gives it: to whichever control has the focus, the
// window's shortcuts ("&" keys) first.
void tecla(QWindow*, Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QWidget* foco = QApplication::focusWidget();
    ASSERT_NE(foco, nullptr);
    QTest::keyClick(foco, k, mods);
}

// From the tree to the answer file without a mouse: the arrows and Enter
// on the tree, the buttons' "&" keys, typing straight into the value column
// and Enter moving down; Tab visits the page's controls in reading order.
TEST_F(TelaDeTrabalho, KeyboardAloneTakesTheWorkFromTheTreeToTheAnswerFile)
{
    ASSERT_TRUE(QDir().mkpath(pastaRecebidos()));
    QProcess cli;
    cli.start(QStringLiteral(PLUVEXA_CLI), {QStringLiteral("demo"), QStringLiteral("--folder"), pastaRecebidos()});
    ASSERT_TRUE(cli.waitForFinished(60000));
    QApplication::setActiveWindow(principal.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(principal.get()));
    QWindow* janela = principal->windowHandle();
    ASSERT_TRUE(focoEm(principal->TVwGeral));

    tecla(janela, Qt::Key_Down);
    tecla(janela, Qt::Key_Return);
    Tfcadrecarga* cad = principal->fcadrecarga();
    ASSERT_NE(cad, nullptr);
    const QListWidget* recebidos = test::filho<QListWidget>(*cad, "FLBArquivosRecargaRecebidos");
    ASSERT_TRUE(focoEm(recebidos));
    EXPECT_EQ(recebidos->accessibleName(), QStringLiteral("Arquivos a Processar"));

    tecla(janela, Qt::Key_Tab);
    EXPECT_TRUE(focoEm(test::filho<QPushButton>(*cad, "btnprocessar")));
    // A button's "&" key presses it the way a click would, a moment later.
    tecla(janela, Qt::Key_P, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([cad] { return paginaDe(*cad) == "tbDigitacao"; }))
        << interacao.shown().join(u'|').toStdString();
    const RecargaGrid* grade = test::filho<RecargaGrid>(*cad, "sgRecarga");
    ASSERT_TRUE(focoEm(grade));
    EXPECT_EQ(grade->currentRow(), 1);
    EXPECT_EQ(grade->currentColumn(), 5);

    for (char c : {'1', '2', ',', '5'})
        QTest::keyClick(QApplication::focusWidget(), c);
    tecla(janela, Qt::Key_Return);
    EXPECT_EQ(grade->cell(5, 1), QStringLiteral("12,50"));
    EXPECT_EQ(grade->currentRow(), 2);
    EXPECT_EQ(test::filho<QLabel>(*cad, "lblvlrrecdig")->text(), QStringLiteral("12,50"));

    // Tab skips the buttons that are hidden; the answer file comes last.
    std::vector<QWidget*> ordem;
    for (const char* nome : {"edalteravlr", "btnalteravlr", "btnrepetirrecarga", "btnimportararq", "btnexportarplanilha",
                             "btnimpressao", "btnsalvarrascunho", "btngerararquivo"})
        if (QWidget* w = test::filho<QWidget>(*cad, nome); w->isVisible())
            ordem.push_back(w);
    ASSERT_TRUE(test::filho<QPushButton>(*cad, "btnimpressao")->isVisible());
    for (QWidget* proximo : ordem) {
        tecla(janela, Qt::Key_Tab);
        EXPECT_TRUE(focoEm(proximo)) << proximo->objectName().toStdString();
    }

    // The draft by its key, from wherever the focus is.
    interacao.expectNotice(QStringLiteral("Arquivo de Rascunho Gravado com Sucesso!!"));
    tecla(janela, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(cad->valoresPendentes());

    // The question before the answer (its counts are judged with the
    // maintenance window), answered "Gerar Assim Mesmo".
    interacao.expectChoiceEndingWith(QStringLiteral(". Conferir antes de gerar?"),
                                     {QStringLiteral("Conferir"), QStringLiteral("Gerar Assim Mesmo"),
                                      QStringLiteral("Cancelar")},
                                     1);
    tecla(janela, Qt::Key_G, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([cad] { return paginaDe(*cad) == "tblog"; }));
    EXPECT_TRUE(focoEm(test::filho<QPushButton>(*cad, "btnFechar")));
    EXPECT_EQ(QDir(pastaGerados()).entryList({QStringLiteral("*_2.REC")}, QDir::Files).size(), 1);

    // F6 back to the tree, down to "Carga Arquivos" and Enter.
    tecla(janela, Qt::Key_F6);
    ASSERT_TRUE(focoEm(principal->TVwGeral));
    EXPECT_EQ(principal->TVwGeral->currentItem()->text(0), QStringLiteral("Manutenção"));
    tecla(janela, Qt::Key_Down);
    tecla(janela, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([this] { return principal->fcargaarquivos() != nullptr; }));
    EXPECT_EQ(principal->fcadrecarga(), nullptr);
    // The keyboard goes with the new window, as it did to the maintenance one.
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return principal->fcargaarquivos()->isAncestorOf(QApplication::focusWidget()); }));

    // And out: F6 to the tree, End to "Sair", Enter.
    tecla(janela, Qt::Key_F6);
    ASSERT_TRUE(focoEm(principal->TVwGeral));
    tecla(janela, Qt::Key_End);
    EXPECT_EQ(principal->TVwGeral->currentItem()->text(0), QStringLiteral("Sair"));
    tecla(janela, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !principal->isVisible(); }));
    EXPECT_TRUE(interacao.allConsumed());
}

}  // namespace
}  // namespace pluvexa::test
