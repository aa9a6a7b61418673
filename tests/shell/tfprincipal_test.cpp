#include "janelaprincipal.h"

#include "maintenance/recargagrid.h"
#include "maintenance/tfcadrecarga.h"
#include "shell/barrastatus.h"
#include "support/widgets.h"
#include "transfer/tfcargaarquivos.h"

#include <QLabel>
#include <QPointer>
#include <QTest>

namespace pluvexa::test {
namespace {

TEST_F(JanelaPrincipal, CaptionIsTitleThenVersionWithItsTrailingBlank)
{
    principal->setWindowTitle(QString());
    principal->FormActivate();
    EXPECT_EQ(principal->windowTitle(), QStringLiteral("Pluvexa - Versão:2.1.1.01C "));
    EXPECT_EQ(principal->Versao(), QStringLiteral("2.1.1.01C "));
}

TEST_F(JanelaPrincipal, ActivationSetsTheCaption)
{
    principal->setWindowTitle(QStringLiteral("x"));
    principal->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(principal.get()));
    // Activation may already have happened at show; force a fresh one.
    QEvent ativacao(QEvent::ActivationChange);
    QApplication::sendEvent(principal.get(), &ativacao);
    EXPECT_EQ(principal->windowTitle(), QStringLiteral("Pluvexa - Versão:2.1.1.01C "));
}

TEST_F(JanelaPrincipal, HoldsTheRunWideValues)
{
    EXPECT_DOUBLE_EQ(principal->FatorMoeda(), 0.01);
    EXPECT_EQ(principal->ModoArredondamento(), 0);
    modelo.ModoArredondamento = 2;
    EXPECT_EQ(principal->ModoArredondamento(), 2);
}

TEST_F(JanelaPrincipal, TreeMenuHasItsNodesWithTheirIcons)
{
    QTreeWidget* t = principal->TVwGeral;
    ASSERT_EQ(t->topLevelItemCount(), 2);
    QTreeWidgetItem* raiz = t->topLevelItem(0);
    EXPECT_EQ(raiz->text(0), QStringLiteral("Principal"));
    ASSERT_EQ(raiz->childCount(), 3);
    EXPECT_EQ(raiz->child(0)->text(0), QStringLiteral("Manutenção"));
    EXPECT_EQ(raiz->child(1)->text(0), QStringLiteral("Carga Arquivos"));
    // What was sent, after the work that sends it.
    EXPECT_EQ(raiz->child(2)->text(0), QStringLiteral("Histórico"));
    EXPECT_EQ(t->topLevelItem(1)->text(0), QStringLiteral("Sair"));
    EXPECT_EQ(t->editTriggers(), QAbstractItemView::NoEditTriggers);

    const std::pair<QTreeWidgetItem*, int> icones[] = {
        {raiz, 8}, {raiz->child(0), 1}, {raiz->child(1), 0}, {raiz->child(2), 2}, {t->topLevelItem(1), 7}};
    for (const auto& [item, indice] : icones) {
        EXPECT_FALSE(item->icon(0).isNull()) << indice;
        EXPECT_EQ(item->icon(0).cacheKey(), principal->ImLGeral.at(indice).cacheKey()) << indice;
    }
}

TEST_F(JanelaPrincipal, StatusBarPanelsHaveTheirWidthsAndPanelOneTakesProgress)
{
    BarraStatus* barra = principal->StBGeral;
    // The six designed panels, then the one of the last file saved.
    ASSERT_EQ(barra->quantidade(), 7);
    EXPECT_EQ(barra->painel(6)->objectName(), QStringLiteral("PainelGravado"));
    EXPECT_EQ(barra->largura(0), principal->TVwGeral->width());
    // Panel 0 is as wide as the tree (131 at the designed width).
    const int esperadas[] = {principal->TVwGeral->width(), 160, 130, 130, 130, 50};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(barra->largura(i), esperadas[i]) << i;
        EXPECT_EQ(barra->painel(i)->width(), esperadas[i]) << i;
    }
    EXPECT_EQ(barra->height(), 23);

    principal->contexto().status(QStringLiteral("Lendo registros..."));
    EXPECT_EQ(barra->painel(1)->text(), QStringLiteral("Lendo registros..."));
    for (int i : {0, 2, 3, 4, 5, 6})
        EXPECT_TRUE(barra->painel(i)->text().isEmpty()) << i;
}

TEST_F(JanelaPrincipal, WorkWindowsGetTheMainWindowsContext)
{
    EXPECT_EQ(principal->contexto().interaction, &interacao);
    EXPECT_EQ(principal->contexto().modelo, &modelo);
}

// Tree clicks, in order, and the child windows left (oldest first).
struct Troca {
    const char* nome;
    std::vector<QString> cliques;
    QStringList janelas;
    QString ativa;
};

void PrintTo(const Troca& t, std::ostream* os)
{
    *os << t.nome;
}

class TrocaDeJanelas : public JanelaPrincipal, public ::testing::WithParamInterface<Troca> {};

TEST_P(TrocaDeJanelas, LeavesOneWorkWindowOverTheBackground)
{
    for (const QString& c : GetParam().cliques)
        clica(c);
    EXPECT_EQ(janelas(), GetParam().janelas);
    EXPECT_EQ(ativa(), GetParam().ativa);
    EXPECT_TRUE(principal->isVisible());
    EXPECT_TRUE(principal->updatesEnabled());
    ASSERT_NE(principal->mdiArea->currentSubWindow(), nullptr);
    EXPECT_TRUE(principal->mdiArea->currentSubWindow()->isMaximized());
}

const QString kFundo = QStringLiteral("ftelafundo");
const QString kCad = QStringLiteral("fcadrecarga");
const QString kCarga = QStringLiteral("fcargaarquivos");
const QString kHistorico = QStringLiteral("fhistorico");

INSTANTIATE_TEST_SUITE_P(
    Arvore, TrocaDeJanelas,
    ::testing::Values(
        Troca{"PrincipalOverBackgroundChangesNothing", {QStringLiteral("Principal")}, {kFundo}, kFundo},
        Troca{"ManutencaoOpensMaintenance", {QStringLiteral("Manutenção")}, {kFundo, kCad}, kCad},
        Troca{"CargaOpensTransfer", {QStringLiteral("Carga Arquivos")}, {kFundo, kCarga}, kCarga},
        Troca{"HistoricoOpensHistory", {QStringLiteral("Histórico")}, {kFundo, kHistorico}, kHistorico},
        Troca{"HistoricoReplacesMaintenance",
              {QStringLiteral("Manutenção"), QStringLiteral("Histórico")}, {kFundo, kHistorico}, kHistorico},
        Troca{"CargaReplacesMaintenance",
              {QStringLiteral("Manutenção"), QStringLiteral("Carga Arquivos")}, {kFundo, kCarga}, kCarga},
        Troca{"ManutencaoReplacesTransfer",
              {QStringLiteral("Carga Arquivos"), QStringLiteral("Manutenção")}, {kFundo, kCad}, kCad},
        Troca{"PrincipalLeavesOnlyTheBackground",
              {QStringLiteral("Manutenção"), QStringLiteral("Principal")}, {kFundo}, kFundo},
        Troca{"RootThenChildAgain",
              {QStringLiteral("Manutenção"), QStringLiteral("Principal"), QStringLiteral("Carga Arquivos")},
              {kFundo, kCarga}, kCarga}),
    [](const ::testing::TestParamInfo<Troca>& info) { return std::string(info.param.nome); });

// A second click on the open window's own entry must not close the
// operator's file: the window stays as it is.
TEST_F(JanelaPrincipal, SecondManutencaoLeavesTheOpenWindowAsItIs)
{
    clica(QStringLiteral("Manutenção"));
    QPointer<Tfcadrecarga> primeira = principal->fcadrecarga();
    ASSERT_FALSE(primeira.isNull());
    clica(QStringLiteral("Manutenção"));
    EXPECT_FALSE(primeira.isNull());
    EXPECT_EQ(principal->fcadrecarga(), primeira.data());
    EXPECT_EQ(janelas(), (QStringList{kFundo, kCad}));
    EXPECT_EQ(principal->fcadrecarga()->windowTitle(), QStringLiteral("Cadastro Pluvexa"));
}

TEST_F(JanelaPrincipal, SairRemovesTheWorkWindowAndClosesTheMainWindow)
{
    clica(QStringLiteral("Carga Arquivos"));
    QPointer<Tfcargaarquivos> carga = principal->fcargaarquivos();
    ASSERT_FALSE(carga.isNull());
    EXPECT_EQ(carga->windowTitle(), QStringLiteral("Cargas de Arquivos"));
    clica(QStringLiteral("Sair"));
    EXPECT_TRUE(carga.isNull());
    EXPECT_FALSE(principal->isVisible());
}

TEST_F(JanelaPrincipal, BackgroundIsNeverDestroyedByTheTree)
{
    QPointer<Tftelafundo> guarda(fundo);
    for (const char* c : {"Principal", "Manutenção", "Principal", "Carga Arquivos", "Principal"})
        clica(QString::fromUtf8(c));
    EXPECT_FALSE(guarda.isNull());
    EXPECT_EQ(ativa(), kFundo);
}

TEST_F(JanelaPrincipal, NoSelectedNodeOpensNothing)
{
    principal->TVwGeral->clearSelection();
    principal->TVwGeralClick();
    EXPECT_EQ(janelas(), QStringList{kFundo});
    EXPECT_TRUE(principal->isVisible());
}

TEST_F(JanelaPrincipal, ClickOnBlankTreeAreaKeepsTheWorkWindow)
{
    clica(QStringLiteral("Manutenção"));
    QPointer<Tfcadrecarga> cad = principal->fcadrecarga();
    const QWidget* vp = principal->TVwGeral->viewport();
    QTest::mouseClick(principal->TVwGeral->viewport(), Qt::LeftButton, {},
                      QPoint(vp->width() / 2, vp->height() - 5));
    EXPECT_FALSE(cad.isNull());
    EXPECT_EQ(janelas(), (QStringList{kFundo, kCad}));
}

// A child that records whether its close handler ran before it was destroyed.
class Espia : public QWidget {
public:
    Espia(bool* fechou, bool* destruida) : m_fechou(fechou), m_destruida(destruida)
    {
        setObjectName(QStringLiteral("espia"));
    }
    ~Espia() override { *m_destruida = true; }

protected:
    void closeEvent(QCloseEvent* e) override
    {
        *m_fechou = true;
        QWidget::closeEvent(e);
    }

private:
    bool* m_fechou;
    bool* m_destruida;
};

TEST_F(JanelaPrincipal, ActiveWorkWindowIsDestroyedWithoutItsCloseHandler)
{
    bool fechou = false;
    bool destruida = false;
    principal->adicionaJanela(new Espia(&fechou, &destruida));
    ASSERT_EQ(ativa(), QStringLiteral("espia"));
    clica(QStringLiteral("Principal"));
    EXPECT_TRUE(destruida);
    EXPECT_FALSE(fechou);
    EXPECT_EQ(janelas(), QStringList{kFundo});
}

TEST_F(JanelaPrincipal, WorkWindowClosedByItselfIsGoneAndTheBackgroundShows)
{
    clica(QStringLiteral("Manutenção"));
    QPointer<Tfcadrecarga> cad = principal->fcadrecarga();
    principal->mdiArea->currentSubWindow()->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return cad.isNull(); }));
    EXPECT_EQ(janelas(), QStringList{kFundo});
    EXPECT_TRUE(principal->mdiArea->currentSubWindow()->isMaximized());
}

// With the background active (a work window restored and the background
// clicked), opening another work window still leaves only one.
TEST_F(JanelaPrincipal, NewWorkWindowReplacesEveryOtherEvenWithTheBackgroundActive)
{
    clica(QStringLiteral("Manutenção"));
    QPointer<Tfcadrecarga> primeira = principal->fcadrecarga();
    for (QMdiSubWindow* sub : principal->mdiArea->subWindowList())
        if (sub->widget() == fundo)
            principal->mdiArea->setActiveSubWindow(sub);
    ASSERT_EQ(ativa(), kFundo);
    // Its own entry brings the open window back as it is.
    clica(QStringLiteral("Manutenção"));
    EXPECT_FALSE(primeira.isNull());
    EXPECT_EQ(ativa(), QStringLiteral("fcadrecarga"));
    for (QMdiSubWindow* sub : principal->mdiArea->subWindowList())
        if (sub->widget() == fundo)
            principal->mdiArea->setActiveSubWindow(sub);
    ASSERT_EQ(ativa(), kFundo);
    clica(QStringLiteral("Carga Arquivos"));
    EXPECT_TRUE(primeira.isNull());
    EXPECT_EQ(janelas(), (QStringList{kFundo, QStringLiteral("fcargaarquivos")}));
}

// A value typed into the grid and not yet saved makes the tree ask before the
// maintenance window goes; "No" keeps it and cancels the click.
TEST_F(JanelaPrincipal, TreeClickAsksBeforeDiscardingUnsavedValues)
{
    clica(QStringLiteral("Manutenção"));
    QPointer<Tfcadrecarga> cad = principal->fcadrecarga();
    ASSERT_FALSE(cad.isNull());
    RecargaGridModel* grade = test::filho<RecargaGrid>(*cad, "sgRecarga")->gridModel();
    grade->setEditing(true);
    ASSERT_TRUE(grade->setData(grade->index(0, 5), QStringLiteral("12,50"), Qt::EditRole));
    ASSERT_TRUE(cad->valoresPendentes());

    const QString pergunta = QStringLiteral("Existem valores digitados que não foram salvos. Deseja descartá-los?");
    const QStringList botoes{QStringLiteral("Salvar Rascunho"), QStringLiteral("Descartar"), QStringLiteral("Cancelar")};
    interacao.expectChoice(pergunta, botoes, 2);
    clica(QStringLiteral("Carga Arquivos"));
    EXPECT_FALSE(cad.isNull());
    EXPECT_EQ(ativa(), QStringLiteral("fcadrecarga"));

    // Its own entry again leaves the open file as it is, asking nothing.
    clica(QStringLiteral("Manutenção"));
    EXPECT_FALSE(cad.isNull());
    EXPECT_EQ(ativa(), QStringLiteral("fcadrecarga"));
    EXPECT_TRUE(cad->valoresPendentes());

    interacao.expectChoice(pergunta, botoes, 1);
    clica(QStringLiteral("Principal"));
    EXPECT_TRUE(cad.isNull());
    EXPECT_EQ(janelas(), QStringList{kFundo});
    EXPECT_TRUE(interacao.allConsumed());
}

}  // namespace
}  // namespace pluvexa::test

namespace pluvexa::test {
namespace {

// F6 takes the keyboard from the tree to the open work window and back, so
// that the tree's "Carga Arquivos" and "Sair" need no mouse.
TEST_F(JanelaPrincipal, F6MovesTheKeyboardBetweenTheTreeAndTheWorkWindow)
{
    clica(QStringLiteral("Manutenção"));
    QPointer<Tfcadrecarga> cad = principal->fcadrecarga();
    ASSERT_FALSE(cad.isNull());
    principal->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(principal.get()));
    principal->TVwGeral->setFocus();
    ASSERT_TRUE(principal->TVwGeral->hasFocus());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    QWidget* foco = QApplication::focusWidget();
    ASSERT_NE(foco, nullptr);
    EXPECT_TRUE(cad->isAncestorOf(foco)) << foco->metaObject()->className();

    QTest::keyClick(foco, Qt::Key_F6);
    EXPECT_TRUE(principal->TVwGeral->hasFocus());

    // From the tree, the keyboard alone opens "Carga Arquivos".
    principal->TVwGeral->setCurrentItem(
        principal->TVwGeral->findItems(QStringLiteral("Carga Arquivos"), Qt::MatchRecursive).value(0));
    QTest::keyClick(principal->TVwGeral, Qt::Key_Return);
    EXPECT_EQ(ativa(), QStringLiteral("fcargaarquivos"));
}

}  // namespace
}  // namespace pluvexa::test
