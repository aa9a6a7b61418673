// The menu bar of the main window: where it sits, its items' state following
// the maintenance window's buttons through a whole recharge, its keys, and
// the work window's title and status panels naming the open file.

#include "janelaprincipal.h"

#include "files/pastastrabalho.h"
#include "help/tfmanual.h"
#include "maintenance/recargagrid.h"
#include "maintenance/tfcadrecarga.h"
#include "shell/barrastatus.h"
#include "shell/menuprincipal.h"
#include "shell/tfsobre.h"
#include "support/widgets.h"
#include "support/pdftext.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace pluvexa::test {
namespace {

class Menu : public JanelaPrincipal {
protected:
    void SetUp() override
    {
        JanelaPrincipal::SetUp();
        QApplication::setActiveWindow(principal.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(principal.get()));
    }

    MenuPrincipal& m() const { return *principal->menu(); }

    // A 200-holder demonstration file in the received folder, the
    // maintenance window opened from the tree.
    Tfcadrecarga* abreManutencao()
    {
        EXPECT_TRUE(QDir().mkpath(pastaRecebidos()));
        QProcess cli;
        cli.start(QStringLiteral(PLUVEXA_CLI), {QStringLiteral("demo"), QStringLiteral("--holders"),
                                                QStringLiteral("200"), QStringLiteral("--folder"), pastaRecebidos()});
        EXPECT_TRUE(cli.waitForFinished(60000));
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        clica(QStringLiteral("Manutenção"));
        return principal->fcadrecarga();
    }

    static QString recebido()
    {
        const QStringList nomes = QDir(pastaRecebidos()).entryList({QStringLiteral("*_1.rec")}, QDir::Files);
        return nomes.value(0);
    }

    // The names of the enabled items of the three menus, once the events
    // of what just happened are through.
    QStringList habilitados() const
    {
        QCoreApplication::processEvents();
        QStringList nomes;
        for (QMenu* menu : {m().mnuarquivo, m().mnueditar, m().mnuajuda})
            for (const QAction* a : menu->actions())
                if (!a->isSeparator() && a->isEnabled())
                    nomes << a->objectName();
        return nomes;
    }

    // A key as the keyboard gives it, to the control with the focus.
    static void tecla(Qt::Key k, Qt::KeyboardModifiers mods = Qt::ControlModifier)
    {
        QWidget* foco = QApplication::focusWidget();
        ASSERT_NE(foco, nullptr);
        QTest::keyClick(foco, k, mods);
    }

    // Each key to whichever control has the focus: the first opens the
    // cell's editor, the rest go to it.
    static void digita(const QString& texto)
    {
        for (QChar c : texto)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }

    static void digitaNaGrade(Tfcadrecarga* cad, const QString& texto)
    {
        RecargaGrid* grade = test::filho<RecargaGrid>(*cad, "sgRecarga");
        grade->setFocus(Qt::OtherFocusReason);
        grade->setCurrentRow(1);
        grade->setCurrentColumn(5);
        digita(texto);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }

    QString painel(int i) const { return principal->StBGeral->painel(i)->text(); }
};

const QStringList kSempre = {"mnusair", "mnumanual", "mnusobre"};
// The end of the question before the answer (the maintenance window's
// tests judge its counts).
const QString kFimPergunta = QStringLiteral(". Conferir antes de gerar?");
const QStringList kBotoesGerar = {QStringLiteral("Conferir"), QStringLiteral("Gerar Assim Mesmo"),
                                  QStringLiteral("Cancelar")};
const QStringList kDigitacao = {"mnusalvarrascunho", "mnugerararquivo",    "mnuconferir", "mnuimprimir",
                                "mnuimportararq",    "mnuexportarplanilha", "mnusair",     "mnulocalizar",
                                "mnumanual",         "mnusobre"};

TEST_F(Menu, SitsAboveTheTreeAndTheWorkAreaAndLeavesTheCaptionAlone)
{
    const QMenuBar* barra = m().barra;
    EXPECT_FALSE(barra->isNativeMenuBar());
    EXPECT_EQ(principal->menuBar()->actions().size(), 0) << "the window's own menu bar would take the caption";
    EXPECT_TRUE(barra->isVisible());
    const QPoint topo = barra->mapTo(principal.get(), QPoint(0, 0));
    EXPECT_LT(topo.y() + barra->height(), principal->PnlLateral->mapTo(principal.get(), QPoint(0, 0)).y() + 1);
    EXPECT_LE(topo.y() + barra->height(), principal->mdiArea->mapTo(principal.get(), QPoint(0, 0)).y());
    QStringList titulos;
    for (const QAction* a : barra->actions())
        titulos << a->text();
    EXPECT_EQ(titulos, (QStringList{"Ar&quivo", "E&ditar", "A&juda"}));

    Tfcadrecarga* cad = abreManutencao();
    ASSERT_NE(cad, nullptr);
    test::filho<QPushButton>(*cad, "btnprocessar")->click();
    EXPECT_EQ(principal->windowTitle(), QApplication::applicationName() + QStringLiteral(" - Versão:") + principal->Versao());
}

// The items are enabled exactly when their buttons can be pressed, from no
// window at all to the answer written.
TEST_F(Menu, ItemsFollowTheButtonsThroughAWholeRecharge)
{
    EXPECT_EQ(habilitados(), kSempre);

    Tfcadrecarga* cad = abreManutencao();
    ASSERT_NE(cad, nullptr);
    EXPECT_EQ(habilitados(), (QStringList{"mnuprocessar", "mnusair", "mnumanual", "mnusobre"}));

    m().mnuprocessar->trigger();
    ASSERT_EQ(paginaDe(*cad), "tbDigitacao") << interacao.shown().join(u'|').toStdString();
    EXPECT_EQ(habilitados(), kDigitacao);

    digitaNaGrade(cad, QStringLiteral("12,5"));
    QStringList comPasso = kDigitacao;
    comPasso.insert(comPasso.indexOf("mnulocalizar"), "mnudesfazer");
    EXPECT_EQ(habilitados(), comPasso);
    EXPECT_EQ(m().mnudesfazer->text(), QStringLiteral("&Desfazer Valor Digitado"));

    // A button hidden or disabled takes its item with it.
    test::filho<QPushButton>(*cad, "btnimpressao")->hide();
    test::filho<QPushButton>(*cad, "btnexportarplanilha")->setEnabled(false);
    QStringList semDois = comPasso;
    semDois.removeAll("mnuimprimir");
    semDois.removeAll("mnuexportarplanilha");
    EXPECT_EQ(habilitados(), semDois);
    test::filho<QPushButton>(*cad, "btnimpressao")->show();
    test::filho<QPushButton>(*cad, "btnexportarplanilha")->setEnabled(true);

    interacao.expectChoiceEndingWith(kFimPergunta, kBotoesGerar, 1);
    m().mnugerararquivo->trigger();
    ASSERT_EQ(paginaDe(*cad), "tblog") << interacao.shown().join(u'|').toStdString();
    EXPECT_EQ(QDir(pastaGerados()).entryList({QStringLiteral("*_2.REC")}, QDir::Files).size(), 1);
    EXPECT_EQ(habilitados(), kSempre);

    test::filho<QPushButton>(*cad, "btnFechar")->click();
    EXPECT_EQ(habilitados(), (QStringList{"mnuprocessar", "mnusair", "mnumanual", "mnusobre"}));

    clica(QStringLiteral("Carga Arquivos"));
    EXPECT_EQ(principal->fcadrecarga(), nullptr);
    EXPECT_EQ(habilitados(), kSempre);
    // Only the question before the answer was asked.
    EXPECT_TRUE(interacao.allConsumed());
    EXPECT_EQ(interacao.shown().size(), 1) << interacao.shown().join(u'\n').toStdString();
}

TEST_F(Menu, ItsKeysSaveUndoRedoAndFind)
{
    Tfcadrecarga* cad = abreManutencao();
    ASSERT_NE(cad, nullptr);
    test::filho<QPushButton>(*cad, "btnprocessar")->click();
    ASSERT_EQ(paginaDe(*cad), "tbDigitacao");
    RecargaGrid* grade = test::filho<RecargaGrid>(*cad, "sgRecarga");
    const QString antes = grade->cell(5, 1);

    digitaNaGrade(cad, QStringLiteral("12,5"));
    EXPECT_EQ(grade->cell(5, 1), QStringLiteral("12,50"));
    QCoreApplication::processEvents();
    tecla(Qt::Key_Z);
    EXPECT_EQ(grade->cell(5, 1), antes);
    QCoreApplication::processEvents();
    tecla(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(grade->cell(5, 1), QStringLiteral("12,50"));

    // In an open cell Ctrl+Z takes back only what is being typed there.
    grade->setCurrentRow(2);
    digita(QStringLiteral("45"));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(editor->text(), QStringLiteral("45"));
    tecla(Qt::Key_Z);
    EXPECT_NE(editor->text(), QStringLiteral("45"));
    EXPECT_EQ(grade->cell(5, 1), QStringLiteral("12,50"));
    QTest::keyClick(editor, Qt::Key_Escape);

    EXPECT_TRUE(cad->valoresPendentes());
    interacao.expectNotice(QStringLiteral("Arquivo de Rascunho Gravado com Sucesso!!"));
    tecla(Qt::Key_S);
    EXPECT_FALSE(cad->valoresPendentes());
    EXPECT_EQ(QDir(pastaRascunho()).entryList({QStringLiteral("*.REC")}, QDir::Files).size(), 1);

    grade->setFocus(Qt::OtherFocusReason);
    tecla(Qt::Key_F);
    EXPECT_EQ(QApplication::focusWidget(), test::filho<QLineEdit>(*cad, "edlocalizar"));
    EXPECT_TRUE(interacao.allConsumed());
}

TEST_F(Menu, CtrlQLeavesLikeTheTreeAskingFirstForUnsavedValues)
{
    Tfcadrecarga* cad = abreManutencao();
    ASSERT_NE(cad, nullptr);
    test::filho<QPushButton>(*cad, "btnprocessar")->click();
    digitaNaGrade(cad, QStringLiteral("3"));
    const QString pergunta = QStringLiteral("Existem valores digitados que não foram salvos. Deseja descartá-los?");
    const QStringList botoes = {QStringLiteral("Salvar Rascunho"), QStringLiteral("Descartar"),
                                QStringLiteral("Cancelar")};
    interacao.expectChoice(pergunta, botoes, 2);
    tecla(Qt::Key_Q);
    EXPECT_TRUE(principal->isVisible());
    interacao.expectChoice(pergunta, botoes, 1);
    m().mnusair->trigger();
    EXPECT_FALSE(principal->isVisible());
    EXPECT_TRUE(interacao.allConsumed());
}

// F1 from anywhere opens the operator's manual on its contents, once.
TEST_F(Menu, F1OpensTheManual)
{
    principal->TVwGeral->setFocus(Qt::OtherFocusReason);
    tecla(Qt::Key_F1, Qt::NoModifier);
    Tfmanual* manual = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&manual] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if ((manual = qobject_cast<Tfmanual*>(w)) && manual->isVisible())
                return true;
        return false;
    }));
    EXPECT_EQ(manual->windowTitle(), QStringLiteral("Manual do Operador - Pluvexa"));
    EXPECT_EQ(mostraManual(principal.get()), manual) << "a second request brings back the same window";
    m().mnumanual->trigger();
    int abertos = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        abertos += qobject_cast<Tfmanual*>(w) && w->isVisible() ? 1 : 0;
    EXPECT_EQ(abertos, 1);
    manual->close();
}

TEST_F(Menu, SobreOpensTheAboutBox)
{
    m().mnusobre->trigger();
    Tfsobre* sobre = principal->findChild<Tfsobre*>();
    ASSERT_NE(sobre, nullptr);
    EXPECT_TRUE(sobre->isVisible());
    EXPECT_TRUE(sobre->isModal());
    sobre->close();
}

// The work window names its file, marks unsaved values, and panels 2 to 4
// tell the company, the batch and the holders while the file is open.
TEST_F(Menu, TheTitleAndPanelsNameTheOpenFile)
{
    Tfcadrecarga* cad = abreManutencao();
    ASSERT_NE(cad, nullptr);
    const QString nome = recebido();
    ASSERT_TRUE(nome.startsWith(QStringLiteral("PX_")));
    EXPECT_EQ(cad->windowTitle(), QStringLiteral("Cadastro Pluvexa"));
    EXPECT_EQ((QStringList{painel(2), painel(3), painel(4)}), (QStringList{"", "", ""}));

    test::filho<QPushButton>(*cad, "btnprocessar")->click();
    EXPECT_EQ(cad->windowTitle(), QStringLiteral("Cadastro Pluvexa - %1[*]").arg(nome));
    EXPECT_FALSE(cad->isWindowModified());
    // The name carries the company and the batch: "PX_<company>_<batch>_...".
    const QStringList partes = nome.split(u'_');
    EXPECT_EQ((QStringList{painel(2), painel(3), painel(4)}),
              (QStringList{"Empresa " + partes.value(1), "Remessa " + partes.value(2), "200 titulares"}));

    digitaNaGrade(cad, QStringLiteral("7"));
    EXPECT_TRUE(cad->isWindowModified());
    EXPECT_TRUE(cad->parentWidget()->isWindowModified()) << "the window's frame shows the marker";
    interacao.expectNotice(QStringLiteral("Arquivo de Rascunho Gravado com Sucesso!!"));
    test::filho<QPushButton>(*cad, "btnsalvarrascunho")->click();
    EXPECT_FALSE(cad->isWindowModified());

    interacao.expectChoiceEndingWith(kFimPergunta, kBotoesGerar, 1);
    test::filho<QPushButton>(*cad, "btngerararquivo")->click();
    ASSERT_EQ(paginaDe(*cad), "tblog");
    test::filho<QPushButton>(*cad, "btnFechar")->click();
    EXPECT_EQ(cad->windowTitle(), QStringLiteral("Cadastro Pluvexa"));
    EXPECT_EQ((QStringList{painel(2), painel(3), painel(4)}), (QStringList{"", "", ""}));
    EXPECT_TRUE(interacao.allConsumed());
}

// On the review page the month ends as on the grid: the "Arquivo" menu's
// keys save the draft and print the review's own report, its item
// generates the answer.
TEST_F(Menu, OnTheReviewPageTheFileMenuSavesPrintsTheReviewAndGenerates)
{
    Tfcadrecarga* cad = abreManutencao();
    ASSERT_NE(cad, nullptr);
    m().mnuprocessar->trigger();
    digitaNaGrade(cad, QStringLiteral("12,5"));
    m().mnuconferir->trigger();
    QWidget* conferencia = cad->findChild<QWidget*>(QStringLiteral("tbconferencia"));
    ASSERT_NE(conferencia, nullptr);
    ASSERT_TRUE(conferencia->isVisible());
    EXPECT_EQ(habilitados(), (QStringList{"mnusalvarrascunho", "mnugerararquivo", "mnuimprimir", "mnusair",
                                          "mnumanual", "mnusobre"}));

    QTemporaryDir saida;
    const QString pdf = saida.filePath(QStringLiteral("conferencia.pdf"));
    interacao.expectPrintPreview(nullptr, [](const auto&, const auto& salvarPdf) {
        ASSERT_TRUE(salvarPdf);
        salvarPdf();
    });
    interacao.expectSaveFile(pdf);
    tecla(Qt::Key_P);
    ASSERT_TRUE(interacao.allConsumed()) << interacao.shown().join(u'\n').toStdString();
    if (const std::optional<QString> texto = textoDoPdf(pdf)) {
        EXPECT_TRUE(texto->contains(QStringLiteral("Conferência da Recarga"))) << texto->left(800).toStdString();
        EXPECT_FALSE(texto->contains(QStringLiteral("Listagem de Cartões a Recarregar")));
    }

    interacao.expectNotice(QStringLiteral("Arquivo de Rascunho Gravado com Sucesso!!"));
    tecla(Qt::Key_S);
    EXPECT_FALSE(cad->valoresPendentes());
    EXPECT_TRUE(conferencia->isVisible());

    // The flagged holders are in sight: no question whether to review them.
    m().mnugerararquivo->trigger();
    EXPECT_TRUE(interacao.allConsumed()) << interacao.shown().join(u'\n').toStdString();
    EXPECT_EQ(QDir(pastaGerados()).entryList({QStringLiteral("*_2.REC")}, QDir::Files).size(), 1);
}

TEST_F(Menu, ThePanelsAreBlankOnceTheWindowGoes)
{
    Tfcadrecarga* cad = abreManutencao();
    ASSERT_NE(cad, nullptr);
    test::filho<QPushButton>(*cad, "btnprocessar")->click();
    ASSERT_EQ(painel(4), QStringLiteral("200 titulares"));
    clica(QStringLiteral("Histórico"));
    EXPECT_EQ((QStringList{painel(2), painel(3), painel(4)}), (QStringList{"", "", ""}));
}

}  // namespace
}  // namespace pluvexa::test
