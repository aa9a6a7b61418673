// Values typed into the real grid with the keyboard, the default value, the
// sort and the totals under the grid.

#include "files/pastastrabalho.h"
#include "maintenance/recargagrid.h"
#include "maintenance/ttabnumedit.h"
#include "maintenance/windowfixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QLineEdit>
#include <functional>
#include <tuple>

namespace pluvexa::janela {
namespace {

// Opens the window on the central's standard file (with the rounding mode
// given) and shows the grid of one card type and tariff.
class Digitacao : public JanelaRecargaTest {
protected:
    void mostra(int tipo, int tarifa, const char* arredondamento = "0")
    {
        auto m = modeloCentral();
        m->cabecalho.Arredondamento = arredondamento;
        enviaRecebido(linhasDoModelo(*m, nomeRecebidoPadrao()), nomeRecebidoPadrao());
        abre();
        processa();
        ASSERT_EQ(controle<QComboBox>("cbtipocartao")->count(), 2);
        escolheTarifa(tarifa);
        escolheTipo(tipo);
    }
    RecargaGrid& grid() { return *controle<RecargaGrid>("sgRecarga"); }
};

struct Totais {
    const char* nome;
    const char* arredondamento;
    int tipo;
    int tarifa;
    std::vector<std::pair<int, QString>> valores;   // Usuario, typed text
    QString dinheiro;
    QString creditos;
};

void PrintTo(const Totais& t, std::ostream* os) { *os << t.nome; }

class TotaisDaGrade : public Digitacao, public ::testing::WithParamInterface<Totais> {};

TEST_P(TotaisDaGrade, FollowEveryValueConfirmedWithEnter)
{
    const Totais& t = GetParam();
    mostra(t.tipo, t.tarifa, t.arredondamento);
    for (const auto& [usuario, texto] : t.valores)
        digitaUsuario(usuario, texto);
    EXPECT_TRUE(dialogos.shown().isEmpty()) << dialogos.shown().join(u'\n').toStdString();
    EXPECT_EQ(controle<QLabel>("lblvlrrecdig")->text(), t.dinheiro);
    EXPECT_EQ(controle<QLabel>("lblqtdrecdig")->text(), t.creditos);
}

INSTANTIATE_TEST_SUITE_P(
    Janela, TotaisDaGrade,
    ::testing::Values(
        Totais{"MoneyRows", "0", kTipoDinheiro, 1, {{101, "10"}, {102, "2.5"}}, "12,50", "0"},
        // 50 % of 2,30: 1,15 a credit.
        Totais{"CreditsAtHalfFare", "0", kTipoCreditos, 1, {{104, "10"}, {105, "3"}}, "14,95", "13"},
        // 50 % of 2,25 is 1,125: rounded up, then truncated.
        Totais{"CreditsRoundedUp", "1", kTipoCreditos, 2, {{105, "1"}}, "1,13", "1"},
        Totais{"CreditsTruncated", "2", kTipoCreditos, 2, {{105, "10"}}, "11,20", "10"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Digitacao, TypedValueIsFormattedStoredAndTheRowMovesDown)
{
    mostra(kTipoDinheiro, 1);
    digita(1, "12.5");
    EXPECT_EQ(grid().cell(5, 1), "12,50");
    EXPECT_EQ(grid().currentRow(), 2);
    EXPECT_EQ(grid().currentColumn(), 5);
    EXPECT_DOUBLE_EQ(modelo->wRecarga[0].Grupo[0].Valor, 12.5);
    EXPECT_EQ(controle<QLabel>("lblgervlrdig")->text(), "12,50");
    EXPECT_TRUE(w().valoresPendentes());

    // Enter on the last row keeps it.
    digita(2, "600");
    EXPECT_EQ(grid().cell(5, 2), "600,00");
    EXPECT_EQ(grid().currentRow(), 2);
    EXPECT_EQ(controle<QLabel>("lblvlrrecdig")->text(), "612,50");
}

TEST_F(Digitacao, EnterWithAnotherColumnCurrentChecksTheValueOfThatRow)
{
    mostra(kTipoDinheiro, 1);
    digita(1, "7", false);
    grid().confirmaEdicao();
    grid().setCurrentColumn(3);
    QTest::keyClick(&grid(), Qt::Key_Return);
    EXPECT_EQ(grid().cell(5, 1), "7,00");
    EXPECT_EQ(grid().currentRow(), 2);
    EXPECT_EQ(grid().currentColumn(), 5);
}

struct Recusa {
    const char* nome;
    int tipo;
    const char* digitado;
    bool erro;              // error box, caption "Error", cell reset
    QString mensagem;
    QString celula;         // the cell afterwards
};

void PrintTo(const Recusa& r, std::ostream* os) { *os << r.nome; }

class ValorRecusado : public Digitacao, public ::testing::WithParamInterface<Recusa> {};

TEST_P(ValorRecusado, ShowsItsMessageKeepsTheRowAndStoresNothing)
{
    const Recusa& r = GetParam();
    mostra(r.tipo, 1);
    dialogos.expectNotice(r.mensagem);
    digita(1, QString::fromUtf8(r.digitado));
    EXPECT_TRUE(dialogos.allConsumed());
    if (r.erro) {
        EXPECT_EQ(dialogos.lastIcon(), Interaction::Icon::Error);
        EXPECT_EQ(dialogos.lastCaption(), "Error");
    } else {
        EXPECT_EQ(dialogos.lastIcon(), Interaction::Icon::None);
        EXPECT_EQ(dialogos.lastCaption(), kTituloAplicacao);
    }
    EXPECT_EQ(grid().cell(5, 1), r.celula);
    EXPECT_EQ(grid().currentRow(), 1);
    for (int i = 0; i < modelo->QtdRecarga; ++i)
        for (const GrupoRecarga& g : modelo->wRecarga[size_t(i)].Grupo)
            EXPECT_EQ(g.Valor, 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Janela, ValorRecusado,
    ::testing::Values(
        Recusa{"BlankMoney", kTipoDinheiro, " ", true, "Valor Inválido - Verifique!", "0,00"},
        Recusa{"BlankCredits", kTipoCreditos, " ", true, "Valor Inválido - Verifique!", "0"},
        Recusa{"NotANumber", kTipoDinheiro, "12a", true, "Valor Inválido - Verifique!", "0,00"},
        Recusa{"Negative", kTipoDinheiro, "-5", true, "Valor Inválido - Verifique!", "0,00"},
        Recusa{"AboveTheMoneyMaximum", kTipoDinheiro, "600,01", false,
               "Valor Maior que o Permitido(R$600,00) - Verifique!", "0,00"},
        Recusa{"AboveTheCreditMaximum", kTipoCreditos, "251", false,
               "Valor Maior que o Permitido(250) - Verifique!", "0"}),
    [](const auto& info) { return std::string(info.param.nome); });

// A refused value typed and left unconfirmed, then an action that writes
// the grid back: the value is refused again with its row's message, and
// neither the model nor the totals take it, whatever the action.
struct Gatilho {
    const char* nome;
    std::function<void(Tfcadrecarga&)> aciona;
};

void PrintTo(const Gatilho& g, std::ostream* os) { *os << g.nome; }

void clica(Tfcadrecarga& w, const char* botao)
{
    test::filho<QPushButton>(w, botao)->click();
}

class RecusaAntesDaAtualizacao : public Digitacao, public ::testing::WithParamInterface<std::tuple<Recusa, Gatilho>> {
protected:
    void SetUp() override { outrosDialogos = &anotados; }
    DialogosAnotados anotados;
};

TEST_P(RecusaAntesDaAtualizacao, StoresNothingWhateverWritesTheGridBack)
{
    const auto& [r, g] = GetParam();
    mostra(r.tipo, 1);
    digita(1, "5");
    const QString totalAntes = controle<QLabel>("lblgervlrdig")->text();
    const double antes = modelo->wRecarga[r.tipo == kTipoDinheiro ? 0 : 3].Grupo[0].Valor;
    digita(2, QString::fromUtf8(r.digitado), false);
    g.aciona(w());
    // Whichever check met it first (the cell's own, or the write-back's),
    // its message was shown, and only that.
    ASSERT_EQ(anotados.vistos.size(), 1) << anotados.vistos.join(u'\n').toStdString();
    EXPECT_TRUE(anotados.vistos.first().endsWith(r.mensagem)) << anotados.vistos.first().toStdString();
    EXPECT_EQ(controle<QLabel>("lblgervlrdig")->text(), totalAntes);
    EXPECT_EQ(modelo->wRecarga[r.tipo == kTipoDinheiro ? 0 : 3].Grupo[0].Valor, antes);
    for (int i = 0; i < modelo->QtdRecarga; ++i)
        for (const GrupoRecarga& grupo : modelo->wRecarga[size_t(i)].Grupo)
            EXPECT_TRUE(grupo.Valor == 0 || grupo.Valor == 5) << grupo.Valor;
    EXPECT_TRUE(arquivosEm(pastaRascunho()).isEmpty());
    EXPECT_TRUE(arquivosEm(pastaGerados()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Janela, RecusaAntesDaAtualizacao,
    ::testing::Combine(
        ::testing::Values(Recusa{"AboveTheMoneyMaximum", kTipoDinheiro, "9999", false,
                                 "Valor Maior que o Permitido(R$600,00) - Verifique!", ""},
                          Recusa{"AboveTheCreditMaximum", kTipoCreditos, "251", false,
                                 "Valor Maior que o Permitido(250) - Verifique!", ""},
                          Recusa{"Negative", kTipoDinheiro, "-5", true, "Valor Inválido - Verifique!", ""}),
        ::testing::Values(Gatilho{"Localizar", [](Tfcadrecarga& w) {
                                      QLineEdit* campo = test::filho<QLineEdit>(w, "edlocalizar");
                                      campo->setFocus(Qt::OtherFocusReason);
                                      QTest::keyClicks(campo, "M");
                                  }},
                          Gatilho{"Sort", [](Tfcadrecarga& w) {
                                      test::filho<QButtonGroup>(w, "rbClassificacaoBotoes")->button(1)->click();
                                  }},
                          Gatilho{"SalvarRascunho", [](Tfcadrecarga& w) { clica(w, "btnsalvarrascunho"); }},
                          Gatilho{"GerarArquivo", [](Tfcadrecarga& w) { clica(w, "btngerararquivo"); }},
                          Gatilho{"ExportarPlanilha", [](Tfcadrecarga& w) { clica(w, "btnexportarplanilha"); }},
                          Gatilho{"Imprimir", [](Tfcadrecarga& w) { clica(w, "btnimpressao"); }})),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).nome) + "_" + std::get<1>(info.param).nome;
    });

TEST_F(Digitacao, CreditsAreRoundedToWholeCredits)
{
    mostra(kTipoCreditos, 1);
    digitaUsuario(104, "12,6");
    EXPECT_EQ(valorDoUsuario(104), "13");
    EXPECT_EQ(controle<QLabel>("lblqtdrecdig")->text(), "13");
}

TEST_F(Digitacao, DefaultValueGoesIntoEveryListedRowAndIntoTheLog)
{
    mostra(kTipoDinheiro, 1);
    controle<TTabNumEdit>("edalteravlr")->SetValue(7.5);
    controle<QPushButton>("btnalteravlr")->click();
    EXPECT_EQ(valorDoUsuario(101), "7,50");
    EXPECT_EQ(valorDoUsuario(102), "7,50");
    EXPECT_EQ(w().linhasLog().last(), "Inserido Valor Padrão - Tipo : 1 - Tarifa : 1 - Valor : 7,50");
    EXPECT_DOUBLE_EQ(modelo->wRecarga[0].Grupo[0].Valor, 7.5);
    EXPECT_DOUBLE_EQ(modelo->wRecarga[1].Grupo[0].Valor, 7.5);
    EXPECT_EQ(controle<QLabel>("lblvlrrecdig")->text(), "15,00");
    EXPECT_EQ(controle<QLabel>("lblgervlrdig")->text(), "15,00");
    EXPECT_TRUE(w().valoresPendentes());

    // Above the maximum: refused, nothing copied.
    controle<TTabNumEdit>("edalteravlr")->SetValue(600.01);
    dialogos.expectNotice("Valor Maior para o Tipo de Cartão (600,00) - Verifique!");
    controle<QPushButton>("btnalteravlr")->click();
    EXPECT_EQ(valorDoUsuario(101), "7,50");
    EXPECT_DOUBLE_EQ(modelo->wRecarga[0].Grupo[0].Valor, 7.5);
}

TEST_F(Digitacao, LeavingTheDefaultValueAboveTheMaximumWarnsAndKeepsTheFocus)
{
    mostra(kTipoCreditos, 1);
    EXPECT_EQ(controle<TTabNumEdit>("edalteravlr")->Decimals(), 0);
    controle<TTabNumEdit>("edalteravlr")->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), controle<TTabNumEdit>("edalteravlr"));
    QTest::keyClicks(controle<TTabNumEdit>("edalteravlr"), "300");
    dialogos.expectNotice("Valor Maior para o Tipo de Cartão (250) - Verifique!");
    controle<RecargaGrid>("sgRecarga")->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(QApplication::focusWidget(), controle<TTabNumEdit>("edalteravlr"));
    EXPECT_EQ(controle<TTabNumEdit>("edalteravlr")->text(), "300");
}

TEST_F(Digitacao, SortingKeepsEveryTypedValueWithItsHolder)
{
    mostra(kTipoDinheiro, 1);
    ASSERT_EQ(linhaDoUsuario(101), 1);   // MARIA SOUZA, then ANA LIMA
    digitaUsuario(101, "10");
    // Typed but not confirmed: the sort writes it back first.
    digita(linhaDoUsuario(102), "4,25", false);

    controle<QButtonGroup>("rbClassificacaoBotoes")->button(1)->click();   // "Alfabética"
    EXPECT_EQ(linhaDoUsuario(102), 1);
    EXPECT_EQ(linhaDoUsuario(101), 2);
    EXPECT_EQ(valorDoUsuario(102), "4,25");
    EXPECT_EQ(valorDoUsuario(101), "10,00");
    EXPECT_EQ(grid().cell(6, 2), "50,00");   // MARIA's history moved with her
    EXPECT_DOUBLE_EQ(modelo->wRecarga[1].Grupo[0].Valor, 4.25);
    EXPECT_EQ(controle<QLabel>("lblvlrrecdig")->text(), "14,25");
    EXPECT_EQ(controle<QLabel>("lblgervlrdig")->text(), "14,25");

    controle<QButtonGroup>("rbClassificacaoBotoes")->button(0)->click();   // "Código"
    EXPECT_EQ(linhaDoUsuario(101), 1);
    EXPECT_EQ(valorDoUsuario(101), "10,00");
}

// Closing with values typed and not saved: Cancelar (the default) keeps
// the window, Descartar lets the values go, Salvar Rascunho saves them and
// then closes.
class FechandoComValores : public Digitacao, public ::testing::WithParamInterface<RespostaDescarte> {};

TEST_P(FechandoComValores, TheAnswerDecides)
{
    const RespostaDescarte resposta = GetParam();
    mostra(kTipoDinheiro, 1);
    digita(1, "5");
    dialogos.expectChoice(kPerguntaDescarte, kBotoesDescarte, resposta);
    if (resposta == SalvarRascunho)
        dialogos.expectNotice("Arquivo de Rascunho Gravado com Sucesso!!");
    const bool fechou = w().close();
    EXPECT_EQ(dialogos.lastDefault(), int(Cancelar));
    EXPECT_EQ(dialogos.lastQuestionIcon(), Interaction::Icon::Warning);
    EXPECT_TRUE(dialogos.allConsumed());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(fechou, resposta != Cancelar);
    EXPECT_EQ(janela.isNull(), resposta != Cancelar);
    EXPECT_EQ(arquivosEm(pastaRascunho()).size(), resposta == SalvarRascunho ? 2 : 0);
    if (resposta == Cancelar)
        EXPECT_TRUE(w().valoresPendentes());
}

INSTANTIATE_TEST_SUITE_P(Janela, FechandoComValores, ::testing::Values(SalvarRascunho, Descartar, Cancelar),
                         [](const auto& info) {
                             return std::string(info.param == SalvarRascunho ? "SalvarRascunho"
                                                : info.param == Descartar    ? "Descartar"
                                                                             : "Cancelar");
                         });

TEST_F(Digitacao, AFailedSaveFromTheQuestionDiscardsNothing)
{
    mostra(kTipoDinheiro, 1);
    digita(1, "5");
    dialogos.expectChoice(kPerguntaDescarte, kBotoesDescarte, SalvarRascunho);
    // The draft cannot take its name: a folder stands there.
    ASSERT_TRUE(QDir().mkpath(QDir(pastaRascunho()).filePath("PX_00123_0007_0412091530_2.REC")));
    dialogos.expectErrorStartingWith("");
    const bool fechou = w().close();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_FALSE(fechou);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(janela.isNull());
    EXPECT_TRUE(w().valoresPendentes());
    EXPECT_DOUBLE_EQ(modelo->wRecarga[0].Grupo[0].Valor, 5);
    EXPECT_TRUE(QDir(pastaRascunho()).entryList({"*.LOG"}, QDir::Files).isEmpty());
}

TEST_F(Digitacao, ClosingWithoutTypedValuesAsksNothing)
{
    mostra(kTipoDinheiro, 1);
    EXPECT_TRUE(w().close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(janela.isNull());
}

}  // namespace
}  // namespace pluvexa::janela

namespace pluvexa::janela {
namespace {

// Processing another file empties the model: typed values that were not
// saved are not lost without the operator's word.
TEST_F(Digitacao, ProcessingAgainAsksBeforeTypedValuesGo)
{
    mostra(kTipoDinheiro, 1);
    digita(1, "12.5");
    ASSERT_TRUE(w().valoresPendentes());
    w().mostraPagina(controle<QWidget>("tbarquivos"));

    dialogos.expectChoice(kPerguntaDescarte, kBotoesDescarte, Cancelar);
    controle<QPushButton>("btnprocessar")->click();
    EXPECT_DOUBLE_EQ(modelo->wRecarga[0].Grupo[0].Valor, 12.5);
    EXPECT_EQ(paginaAtual(), "tbarquivos");
    EXPECT_TRUE(dialogos.allConsumed());
}

}  // namespace
}  // namespace pluvexa::janela
