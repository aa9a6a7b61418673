// "Conferir": the review page of the real window over the central's file,
// its summary and flagged holders, the motive filter and the sort, the jump
// to a holder in the grid, the variation limit kept in the settings, the
// printed review, and the question "Gerar Arquivo" asks when the review
// flags anybody.

#include "files/pastastrabalho.h"
#include "flows/modeloconferencia.h"
#include "maintenance/paginaconferencia.h"
#include "maintenance/recargagrid.h"
#include "maintenance/windowfixture.h"
#include "support/pdftext.h"
#include "ui/configuracao.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace pluvexa::janela {
namespace {

const QString kPergunta = QStringLiteral(
    "1 titular sem valor, 1 acima do habitual, 1 abaixo do habitual, 1 primeira recarga. Conferir antes de gerar?");
const QStringList kBotoes{QStringLiteral("Conferir"), QStringLiteral("Gerar Assim Mesmo"), QStringLiteral("Cancelar")};

class Conferencia_ : public JanelaRecargaTest {
protected:
    // The central's file with, against each holder's last three recharges:
    //   101 MARIA  100,00 (usual 40,17)  above
    //   102 ANA      5,00 (usual 20,00)  below
    //   103 CARLA   10,00 (no history)   first recharge
    //   104 DANIEL  30    (usual 30)     not flagged
    //   105 EVA      0    (usual 12)     no recharge
    //   106 FABIO    9,90 (usual 9,90)   not flagged
    void SetUp() override
    {
        abreEProcessa();
        valor(kTipoDinheiro, 1, 101, "100,00");
        valor(kTipoDinheiro, 1, 102, "5,00");
        valor(kTipoDinheiro, 0, 103, "10,00");
        valor(kTipoDinheiro, 2, 106, "9,90");
        valor(kTipoCreditos, 1, 104, "30");
        escolheTipo(kTipoDinheiro);
        escolheTarifa(1);
    }

    void valor(int tipo, int tarifa, int usuario, const char* texto)
    {
        escolheTipo(tipo);
        escolheTarifa(tarifa);
        digitaUsuario(usuario, QString::fromUtf8(texto));
    }

    PaginaConferencia& pagina() { return *controle<PaginaConferencia>("tbconferencia"); }
    QTableView* tabela() { return pagina().sgConferencia; }

    void confere()
    {
        controle<QPushButton>("btnconferir")->click();
        ASSERT_EQ(paginaAtual(), "tbconferencia");
    }

    QString celula(int linha, int coluna) { return tabela()->model()->index(linha, coluna).data().toString(); }

    QList<int> usuariosNaTabela()
    {
        QList<int> out;
        for (int r = 0; r < tabela()->model()->rowCount(); ++r)
            out << celula(r, ModeloConferencia::ColUsuario).toInt();
        return out;
    }

    int linhaNaTabela(int usuario)
    {
        return int(usuariosNaTabela().indexOf(usuario));
    }

    void escolheMotivo(const QString& inicio)
    {
        QComboBox* c = pagina().cbmotivo;
        for (int i = 0; i < c->count(); ++i)
            if (c->itemText(i).startsWith(inicio)) {
                c->setCurrentIndex(i);
                return;
            }
        ADD_FAILURE() << "no motive " << inicio.toStdString();
    }

    const Recarga& titular(int usuario) const
    {
        for (int i = 0; i < modelo->QtdRecarga; ++i)
            if (modelo->wRecarga[size_t(i)].Usuario == usuario)
                return modelo->wRecarga[size_t(i)];
        ADD_FAILURE() << "no holder " << usuario;
        return modelo->wRecarga[0];
    }
};

TEST_F(Conferencia_, ShowsTheSummaryByCardTypeAndTheFlaggedHoldersFarthestFromTheirUsualFirst)
{
    // A value typed and not confirmed is reviewed as it stands.
    digita(linhaDoUsuario(101), QStringLiteral("100,00"), false);
    confere();
    // +149 %, -100 %, -75 %, then the holder without history; up and down
    // alike, so a slip either way comes first.
    EXPECT_EQ(usuariosNaTabela(), (QList<int>{101, 105, 102, 103}));
    const QStringList maria{celula(0, 0), celula(0, 1), celula(0, 2), celula(0, 3),
                            celula(0, 4), celula(0, 5), celula(0, 6)};
    EXPECT_EQ(maria, (QStringList{"101", "MARIA SOUZA", "1", "100,00", "40,17", "+149,0", "Acima do habitual"}));
    EXPECT_EQ(celula(1, ModeloConferencia::ColValor), "0");
    EXPECT_EQ(celula(1, ModeloConferencia::ColHabitual), "12");
    EXPECT_EQ(celula(1, ModeloConferencia::ColVariacao), "-100,0");
    EXPECT_EQ(celula(1, ModeloConferencia::ColMotivo), "Sem recarga");
    EXPECT_EQ(celula(2, ModeloConferencia::ColMotivo), "Abaixo do habitual");
    EXPECT_EQ(celula(3, ModeloConferencia::ColHabitual), "");
    EXPECT_EQ(celula(3, ModeloConferencia::ColVariacao), "-");
    EXPECT_EQ(celula(3, ModeloConferencia::ColMotivo), "Primeira recarga");
    // The first holder's value is ready to be typed over.
    EXPECT_EQ(tabela()->currentIndex().row(), 0);
    EXPECT_EQ(tabela()->currentIndex().column(), int(ModeloConferencia::ColValor));
    EXPECT_EQ(pagina().lblassinalados->text(), "4 titulares assinalados");

    const QTableWidget* r = pagina().sgResumo;
    ASSERT_EQ(r->rowCount(), 2);
    const auto linha = [r](int i) {
        QStringList l;
        for (int c = 0; c < r->columnCount(); ++c)
            l << r->item(i, c)->text();
        return l;
    };
    EXPECT_EQ(linha(0), (QStringList{"1", "VALE DINHEIRO", "4", "124,90", "79,90", "+56,3"}));
    EXPECT_EQ(linha(1), (QStringList{"2", "VALE CRÉDITOS", "1", "30", "31", "-3,2"}));
    EXPECT_EQ(QApplication::focusWidget(), tabela());
    EXPECT_TRUE(dialogos.shown().isEmpty()) << dialogos.shown().join(u'\n').toStdString();
}

TEST_F(Conferencia_, FiltersByMotiveAndSortsByAnyColumn)
{
    confere();
    escolheMotivo(QStringLiteral("Acima do habitual (1)"));
    EXPECT_EQ(usuariosNaTabela(), QList<int>{101});
    EXPECT_EQ(pagina().lblassinalados->text(), "1 titular assinalado");
    EXPECT_EQ(pagina().motivoMostrado(), "Acima do habitual");
    escolheMotivo(QStringLiteral("Todos (4)"));
    EXPECT_EQ(pagina().motivoMostrado(), "Todos");

    // By value, as numbers, not as texts ("100,00" < "5,00" as text).
    tabela()->sortByColumn(ModeloConferencia::ColValor, Qt::DescendingOrder);
    EXPECT_EQ(usuariosNaTabela(), (QList<int>{101, 103, 102, 105}));
    tabela()->sortByColumn(ModeloConferencia::ColNome, Qt::AscendingOrder);
    EXPECT_EQ(usuariosNaTabela(), (QList<int>{102, 103, 105, 101}));
    // The variation: holders without history below every number.
    tabela()->sortByColumn(ModeloConferencia::ColVariacao, Qt::AscendingOrder);
    EXPECT_EQ(usuariosNaTabela(), (QList<int>{103, 105, 102, 101}));
    // The filter keeps the order.
    escolheMotivo(QStringLiteral("Sem recarga"));
    EXPECT_EQ(usuariosNaTabela(), QList<int>{105});
}

TEST_F(Conferencia_, EnterTakesTheOperatorToTheHolderReadyToType)
{
    confere();
    tabela()->setCurrentIndex(tabela()->model()->index(linhaNaTabela(105), 0));
    tabela()->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(tabela(), Qt::Key_Return);

    ASSERT_EQ(paginaAtual(), "tbDigitacao");
    EXPECT_EQ(w().selecao().TipoCartaoSel, kTipoCreditos);
    EXPECT_EQ(w().selecao().TarifaSel, 2);
    EXPECT_EQ(controle<RecargaGrid>("sgRecarga")->currentRow(), linhaDoUsuario(105));
    EXPECT_EQ(controle<RecargaGrid>("sgRecarga")->currentColumn(), 5);
    ASSERT_EQ(QApplication::focusWidget(), controle<RecargaGrid>("sgRecarga"));

    // Typing goes straight into her value cell.
    QTest::keyClick(controle<RecargaGrid>("sgRecarga"), '1');
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(qobject_cast<QLineEdit*>(editor), nullptr);
    QTest::keyClick(editor, '2');
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(titular(105).Grupo[0].Valor, 12.0);

    // Reviewed again, she is no longer flagged.
    confere();
    EXPECT_EQ(usuariosNaTabela(), (QList<int>{101, 102, 103}));
    EXPECT_TRUE(dialogos.shown().isEmpty()) << dialogos.shown().join(u'\n').toStdString();
}

TEST_F(Conferencia_, ADoubleClickGoesToTheHolderEvenWhenTheFindHidesIt)
{
    controle<QLineEdit>("edlocalizar")->setText(QStringLiteral("maria"));
    ASSERT_EQ(linhaDoUsuario(102), -1);
    confere();
    const QModelIndex ana = tabela()->model()->index(linhaNaTabela(102), ModeloConferencia::ColNome);
    const QRect r = tabela()->visualRect(ana);
    QTest::mouseClick(tabela()->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(tabela()->viewport(), Qt::LeftButton, {}, r.center());

    ASSERT_EQ(paginaAtual(), "tbDigitacao");
    EXPECT_TRUE(controle<QLineEdit>("edlocalizar")->text().isEmpty());
    EXPECT_EQ(w().selecao().TipoCartaoSel, kTipoDinheiro);
    EXPECT_EQ(w().selecao().TarifaSel, 1);
    ASSERT_GE(linhaDoUsuario(102), 1);
    EXPECT_EQ(controle<RecargaGrid>("sgRecarga")->currentRow(), linhaDoUsuario(102));
    EXPECT_EQ(controle<RecargaGrid>("sgRecarga")->currentColumn(), 5);
    // Nothing typed was lost on the way.
    EXPECT_DOUBLE_EQ(titular(101).Grupo[0].Valor, 100.0);
    EXPECT_EQ(valorDoUsuario(102), "5,00");
}

TEST_F(Conferencia_, TheLimitIsSetOnThePageAndKeptForTheNextWindow)
{
    EXPECT_EQ(w().limiteConferencia(), 50);
    confere();
    EXPECT_EQ(pagina().edlimite->value(), 50);
    EXPECT_EQ(pagina().edlimite->minimum(), 1);
    EXPECT_EQ(pagina().edlimite->maximum(), 1000);
    // 100,00 is 149 % above 40,17; a limit of 200 % no longer flags it,
    // and nothing can be 200 % below.
    pagina().edlimite->setValue(200);
    EXPECT_EQ(usuariosNaTabela(), (QList<int>{105, 103}));
    EXPECT_EQ(Configuracao::limiteConferencia(), 200);
    // The holder the operator was on stays current when still flagged.
    tabela()->setCurrentIndex(tabela()->model()->index(linhaNaTabela(105), 0));
    pagina().edlimite->setValue(148);
    EXPECT_EQ(usuariosNaTabela(), (QList<int>{101, 105, 103}));
    EXPECT_EQ(celula(tabela()->currentIndex().row(), 0), "105");

    abre();
    EXPECT_EQ(w().limiteConferencia(), 148);
}

TEST_F(Conferencia_, PrintsWhatThePageShowsAndSavesItAsPdf)
{
    confere();
    escolheMotivo(QStringLiteral("Acima do habitual"));
    QTemporaryDir saida;
    const QString pdf = saida.filePath(QStringLiteral("conferencia.pdf"));
    dialogos.expectPrintPreview(nullptr, [](const auto&, const auto& salvarPdf) {
        ASSERT_TRUE(salvarPdf);
        salvarPdf();
    });
    dialogos.expectSaveFile(pdf);
    pagina().btnimprimir->click();
    ASSERT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
    ASSERT_TRUE(QFileInfo::exists(pdf));
    const std::optional<QString> texto = test::textoDoPdf(pdf);
    if (!texto)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    EXPECT_TRUE(texto->contains(QStringLiteral("Conferência da Recarga")));
    EXPECT_TRUE(texto->contains(QStringLiteral("Motivo : Acima do habitual"))) << texto->left(1500).toStdString();
    EXPECT_TRUE(texto->contains(QStringLiteral("MARIA SOUZA")));
    EXPECT_FALSE(texto->contains(QStringLiteral("ANA LIMA")));
    EXPECT_TRUE(texto->contains(QStringLiteral("Resumo por Tipo de Cartão")));
}

TEST_F(Conferencia_, VoltarGoesBackToTheGrid)
{
    confere();
    pagina().btnvoltar->click();
    EXPECT_EQ(paginaAtual(), "tbDigitacao");
    EXPECT_EQ(QApplication::focusWidget(), controle<RecargaGrid>("sgRecarga"));
}

// The question before the answer, and each of its buttons.
enum class Resposta { Conferir, GerarAssimMesmo, Cancelar };

class PerguntaAntesDeGerar : public Conferencia_, public ::testing::WithParamInterface<Resposta> {};

TEST_P(PerguntaAntesDeGerar, EachAnswerDoesWhatItSays)
{
    const Resposta r = GetParam();
    dialogos.expectChoice(kPergunta, kBotoes, int(r));
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
    EXPECT_EQ(dialogos.lastQuestionIcon(), Interaction::Icon::Warning);
    const QStringList gerados = arquivosEm(pastaGerados());
    switch (r) {
    case Resposta::Conferir:
        // The review page, on the first motive counted: EVA, without
        // recharge.
        EXPECT_TRUE(gerados.isEmpty());
        EXPECT_EQ(paginaAtual(), "tbconferencia");
        EXPECT_EQ(usuariosNaTabela(), QList<int>{105});
        EXPECT_EQ(pagina().motivoMostrado(), "Sem recarga");
        EXPECT_EQ(linhaDoLog("Geração de Arquivo Definitivo"), -1);
        EXPECT_TRUE(w().valoresPendentes());
        break;
    case Resposta::GerarAssimMesmo:
        EXPECT_EQ(gerados.size(), 2) << gerados.join(u' ').toStdString();
        EXPECT_EQ(paginaAtual(), "tblog");
        EXPECT_FALSE(w().valoresPendentes());
        break;
    case Resposta::Cancelar:
        EXPECT_TRUE(gerados.isEmpty());
        EXPECT_EQ(paginaAtual(), "tbDigitacao");
        EXPECT_EQ(linhaDoLog("Geração de Arquivo Definitivo"), -1);
        EXPECT_EQ(arquivosEm(pastaRecebidos()), QStringList{nomeRecebidoPadrao()});
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Respostas, PerguntaAntesDeGerar,
                         ::testing::Values(Resposta::Conferir, Resposta::GerarAssimMesmo, Resposta::Cancelar),
                         [](const auto& info) {
                             switch (info.param) {
                             case Resposta::Conferir: return std::string("Conferir");
                             case Resposta::GerarAssimMesmo: return std::string("GerarAssimMesmo");
                             case Resposta::Cancelar: return std::string("Cancelar");
                             }
                             return std::string();
                         });

TEST_F(Conferencia_, TheQuestionCountsWhatIsLeftAfterTheCorrections)
{
    // 60,25 is exactly 50 % above 40,1666...: a bound is not flagged. EVA
    // gets her usual 12 and ANA 20,00: only CARLA's first recharge is left.
    digitaUsuario(101, "60,25");
    digitaUsuario(102, "20,00");
    valor(kTipoCreditos, 2, 105, "12");
    dialogos.expectChoice(QStringLiteral("1 titular primeira recarga. Conferir antes de gerar?"), kBotoes, 1);
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
    EXPECT_EQ(arquivosEm(pastaGerados()).size(), 2);
}

}  // namespace
}  // namespace pluvexa::janela
