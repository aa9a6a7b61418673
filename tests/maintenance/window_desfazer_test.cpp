// Undo and redo of the values in the real window: each kind of step taken
// back and done again with both totals following, the context menu, a
// filtered or sorted grid, values typed and not confirmed, the saved state,
// a new processing, the answer file written after an undo, and the lines
// the processing log gets for each undo and redo.

#include "exchange/registroexterno.h"
#include "files/pastastrabalho.h"
#include "grid/passovalores.h"
#include "maintenance/recargagrid.h"
#include "maintenance/ttabnumedit.h"
#include "maintenance/windowfixture.h"
#include "recharge/cp1252.h"
#include "recharge/empacotamento.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace pluvexa::janela {
namespace {

const QString kPerguntaRepeticao = QStringLiteral("Preencher os valores com a última recarga de cada titular?");
const QStringList kBotoesRepeticao = {QStringLiteral("Linhas da Tela"), QStringLiteral("Arquivo Inteiro"),
                                      QStringLiteral("Cancelar")};
const QString kZero18(18, u'0');

enum class Acao { Digitado, AlterarVlr, RepetirTela, RepetirArquivo, Importacao };

struct CasoPasso {
    const char* nome;
    Acao acao;
    const char* passo;     // the step's name in the menu
    const char* valor101;  // the rows on screen after the step
    const char* valor102;
};

// The central's file processed, money card type and tariff 1 on screen
// (MARIA SOUZA 101 and ANA LIMA 102), every value 0.
class Desfazer : public JanelaRecargaTest {
protected:
    void SetUp() override
    {
        abreEProcessa();
        escolheTipo(kTipoDinheiro);
        escolheTarifa(1);
    }

    void faz(Acao acao)
    {
        switch (acao) {
        case Acao::Digitado:
            digitaUsuario(101, QStringLiteral("12,5"));
            break;
        case Acao::AlterarVlr:
            alteraValor(7.5);
            break;
        case Acao::RepetirTela:
        case Acao::RepetirArquivo:
            dialogos.expectChoice(kPerguntaRepeticao, kBotoesRepeticao, acao == Acao::RepetirTela ? 0 : 1);
            controle<QPushButton>("btnrepetirrecarga")->click();
            break;
        case Acao::Importacao: {
            const QString arquivo = externos.filePath(QStringLiteral("folha.csv"));
            test::gravaTexto(arquivo, "Matricula;Valor\r\n111;12,34\r\n222;1\r\n");
            esperaImportacaoSemFalhas(arquivo, QStringLiteral("folha.csv"));
            controle<QPushButton>("btnimportararq")->click();
            break;
        }
        }
        EXPECT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
    }
    void alteraValor(double valor)
    {
        controle<TTabNumEdit>("edalteravlr")->SetValue(valor);
        controle<QPushButton>("btnalteravlr")->click();
    }
    // The grid's own menu, with the focus in the grid as the operator has
    // it (the keys are the main window's: see its menu's tests).
    void passo(QAction* acao)
    {
        controle<RecargaGrid>("sgRecarga")->setFocus(Qt::OtherFocusReason);
        acao->trigger();
    }
    void desfaz() { passo(controle<QAction>("ppmdesfazer")); }
    void refaz() { passo(controle<QAction>("ppmrefazer")); }

    // Both totals under the grid: rows on screen, then the whole file.
    QStringList totais() const
    {
        return {controle<QLabel>("lblvlrrecdig")->text(), controle<QLabel>("lblqtdrecdig")->text(),
                controle<QLabel>("lblgervlrdig")->text(), controle<QLabel>("lblgerqtddig")->text()};
    }
    QStringList menu() const
    {
        QStringList out;
        for (const QAction* a : controle<QMenu>("PopupMenu1")->actions())
            out << a->text() + (a->isEnabled() ? "" : " (off)");
        return out;
    }
    static QStringList menuVazio() { return {"Desfazer (off)", "Refazer (off)"}; }

    QTemporaryDir externos;
};

class CadaPasso : public Desfazer, public ::testing::WithParamInterface<CasoPasso> {};

TEST_P(CadaPasso, IsOneStepUndoneAndRedoneWithTheTotals)
{
    const CasoPasso& c = GetParam();
    const QString passo = QString::fromUtf8(c.passo);
    const QStringList totaisAntes = totais();
    const ValoresModelo modeloAntes = fotografaValores(*modelo);
    EXPECT_EQ(menu(), menuVazio());

    faz(c.acao);
    ASSERT_EQ(valorDoUsuario(101), c.valor101);
    ASSERT_EQ(valorDoUsuario(102), c.valor102);
    const QStringList totaisDepois = totais();
    const ValoresModelo modeloDepois = fotografaValores(*modelo);
    ASSERT_NE(totaisDepois, totaisAntes);
    EXPECT_TRUE(w().valoresPendentes());
    EXPECT_EQ(menu(), (QStringList{"Desfazer " + passo, "Refazer (off)"}));

    desfaz();
    EXPECT_EQ(valorDoUsuario(101), "0,00");
    EXPECT_EQ(valorDoUsuario(102), "0,00");
    EXPECT_EQ(totais(), totaisAntes);
    EXPECT_EQ(fotografaValores(*modelo), modeloAntes);
    // Back to the values as processed: nothing left unsaved.
    EXPECT_FALSE(w().valoresPendentes());
    EXPECT_EQ(menu(), (QStringList{"Desfazer (off)", "Refazer " + passo}));

    refaz();
    EXPECT_EQ(valorDoUsuario(101), c.valor101);
    EXPECT_EQ(valorDoUsuario(102), c.valor102);
    EXPECT_EQ(totais(), totaisDepois);
    EXPECT_EQ(fotografaValores(*modelo), modeloDepois);
    EXPECT_TRUE(w().valoresPendentes());
    EXPECT_EQ(menu(), (QStringList{"Desfazer " + passo, "Refazer (off)"}));
    EXPECT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
}

TEST_P(CadaPasso, TheLogRecordsTheUndoAndTheRedoByTheStepsName)
{
    const QString passo = QString::fromUtf8(GetParam().passo);
    faz(GetParam().acao);
    const qsizetype antes = w().linhasLog().size();

    desfaz();
    EXPECT_EQ(w().linhasLog().mid(antes), QStringList{"Desfeito: " + passo});
    refaz();
    EXPECT_EQ(w().linhasLog().mid(antes), (QStringList{"Desfeito: " + passo, "Refeito: " + passo}));
    // The LOG page shows what the file will hold.
    EXPECT_EQ(controle<QPlainTextEdit>("memolog")->toPlainText(), w().linhasLog().join(u'\n'));
}

INSTANTIATE_TEST_SUITE_P(
    Passos, CadaPasso,
    ::testing::Values(CasoPasso{"Digitado", Acao::Digitado, "Valor Digitado", "12,50", "0,00"},
                      CasoPasso{"AlterarVlr", Acao::AlterarVlr, "Alterar Vlr.", "7,50", "7,50"},
                      CasoPasso{"RepetirTela", Acao::RepetirTela, "Repetir Última Recarga", "50,00", "20,00"},
                      CasoPasso{"RepetirArquivo", Acao::RepetirArquivo, "Repetir Última Recarga", "50,00",
                                "20,00"},
                      CasoPasso{"Importacao", Acao::Importacao, "Importar Arquivo", "12,34", "1,00"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Desfazer, TheContextMenuNamesTheStepAndTakesIt)
{
    EXPECT_EQ(controle<RecargaGrid>("sgRecarga")->contextMenuPolicy(), Qt::CustomContextMenu);
    digitaUsuario(102, QStringLiteral("3"));
    alteraValor(9);
    EXPECT_EQ(menu(), (QStringList{"Desfazer Alterar Vlr.", "Refazer (off)"}));

    emit controle<RecargaGrid>("sgRecarga")->customContextMenuRequested(QPoint(5, 5));
    EXPECT_TRUE(controle<QMenu>("PopupMenu1")->isVisible());
    controle<QAction>("ppmdesfazer")->trigger();
    controle<QMenu>("PopupMenu1")->hide();
    EXPECT_EQ(valorDoUsuario(101), "0,00");
    EXPECT_EQ(valorDoUsuario(102), "3,00");
    EXPECT_EQ(controle<QLabel>("lblvlrrecdig")->text(), "3,00");
    EXPECT_EQ(menu(), (QStringList{"Desfazer Valor Digitado", "Refazer Alterar Vlr."}));
    // The cursor goes to the first value that changed back.
    EXPECT_EQ(controle<RecargaGrid>("sgRecarga")->currentRow(), linhaDoUsuario(101));
    EXPECT_EQ(controle<RecargaGrid>("sgRecarga")->currentColumn(), 5);

    controle<QAction>("ppmdesfazer")->trigger();
    EXPECT_EQ(valorDoUsuario(102), "0,00");
    EXPECT_EQ(menu(), (QStringList{"Desfazer (off)", "Refazer Valor Digitado"}));
    // Nothing to take: the keys do nothing.
    desfaz();
    EXPECT_EQ(menu(), (QStringList{"Desfazer (off)", "Refazer Valor Digitado"}));

    // A new step drops the steps that were taken back.
    digitaUsuario(101, QStringLiteral("1"));
    EXPECT_EQ(menu(), (QStringList{"Desfazer Valor Digitado", "Refazer (off)"}));
}

TEST_F(Desfazer, UnderAFilterTheRowsShownFollowAndTheOthersKeepTheirValues)
{
    digitaUsuario(101, QStringLiteral("10"));
    controle<QLineEdit>("edlocalizar")->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(controle<QLineEdit>("edlocalizar"), QStringLiteral("ana"));
    ASSERT_EQ(linhaDoUsuario(101), -1);
    alteraValor(40);
    ASSERT_EQ(valorDoUsuario(102), "40,00");
    ASSERT_EQ(controle<QLabel>("lblgervlrdig")->text(), "50,00");

    desfaz();
    EXPECT_EQ(controle<QLineEdit>("edlocalizar")->text(), "ana");
    EXPECT_EQ(linhaDoUsuario(101), -1);
    EXPECT_EQ(valorDoUsuario(102), "0,00");
    EXPECT_EQ(controle<QLabel>("lblvlrrecdig")->text(), "0,00");
    EXPECT_EQ(controle<QLabel>("lblgervlrdig")->text(), "10,00");

    controle<QLineEdit>("edlocalizar")->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(controle<QLineEdit>("edlocalizar"), Qt::Key_Escape);
    EXPECT_EQ(valorDoUsuario(101), "10,00");
    EXPECT_EQ(valorDoUsuario(102), "0,00");
    EXPECT_EQ(controle<QLabel>("lblvlrrecdig")->text(), "10,00");
}

TEST_F(Desfazer, TheRowsKeepTheOrderTheOperatorChose)
{
    controle<QButtonGroup>("rbClassificacaoBotoes")->button(1)->click();   // "Alfabética": ANA first
    ASSERT_EQ(linhaDoUsuario(102), 1);
    digitaUsuario(102, QStringLiteral("5"));
    desfaz();
    EXPECT_EQ(linhaDoUsuario(102), 1);
    EXPECT_EQ(linhaDoUsuario(101), 2);
    EXPECT_EQ(valorDoUsuario(102), "0,00");
    EXPECT_DOUBLE_EQ(modelo->wRecarga[1].Grupo[0].Valor, 0.0);
}

TEST_F(Desfazer, EachTypedValueIsAStepOfItsOwnOnAnyCardType)
{
    // Credits, tariff 1: DANIEL (the 4th holder) and EVA (the 5th) on rows 1 and 2.
    escolheTipo(kTipoCreditos);
    digitaUsuario(104, QStringLiteral("7"));
    digitaUsuario(105, QStringLiteral("8"));
    ASSERT_EQ(controle<QLabel>("lblgerqtddig")->text(), "15");
    desfaz();
    EXPECT_EQ(valorDoUsuario(104), "7");
    EXPECT_EQ(valorDoUsuario(105), "0");
    EXPECT_EQ(controle<QLabel>("lblqtdrecdig")->text(), "7");
    EXPECT_EQ(controle<QLabel>("lblgerqtddig")->text(), "7");
    desfaz();
    EXPECT_EQ(valorDoUsuario(104), "0");
    EXPECT_EQ(controle<QLabel>("lblgerqtddig")->text(), "0");
}

TEST_F(Desfazer, AValueTypedAndNotConfirmedIsTheLastChangeAndIsNotLost)
{
    digitaUsuario(102, QStringLiteral("10"));
    // Typed on MARIA's row, then the arrow: in the cell, not checked, not stored.
    digita(linhaDoUsuario(101), QStringLiteral("4,25"), false);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    ASSERT_EQ(valorDoUsuario(101), "4,25");
    ASSERT_DOUBLE_EQ(modelo->wRecarga[0].Grupo[0].Valor, 0.0);

    desfaz();
    EXPECT_EQ(valorDoUsuario(101), "0,00");
    EXPECT_EQ(valorDoUsuario(102), "10,00");
    EXPECT_EQ(controle<QLabel>("lblvlrrecdig")->text(), "10,00");
    EXPECT_EQ(menu(), (QStringList{"Desfazer Valor Digitado", "Refazer Valor Digitado"}));
    refaz();
    EXPECT_EQ(valorDoUsuario(101), "4,25");
    EXPECT_DOUBLE_EQ(modelo->wRecarga[0].Grupo[0].Valor, 4.25);
    EXPECT_EQ(controle<QLabel>("lblgervlrdig")->text(), "14,25");
}

TEST_F(Desfazer, SavingKeepsTheStepsAndTheSavedStateFollowsThem)
{
    alteraValor(2);
    salvaRascunho();
    EXPECT_FALSE(w().valoresPendentes());
    EXPECT_EQ(menu(), (QStringList{"Desfazer Alterar Vlr.", "Refazer (off)"}));
    desfaz();
    EXPECT_TRUE(w().valoresPendentes());
    refaz();
    EXPECT_FALSE(w().valoresPendentes());
    // Back at the saved values: closing asks nothing.
    const qsizetype vistos = dialogos.shown().size();
    EXPECT_TRUE(w().close());
    EXPECT_EQ(dialogos.shown().size(), vistos) << dialogos.shown().join(u'\n').toStdString();
}

TEST_F(Desfazer, ProcessingAnotherFileClearsTheStepsOnceTheOperatorLetsTheValuesGo)
{
    alteraValor(2);
    dialogos.expectChoice(kPerguntaDescarte, kBotoesDescarte, Cancelar);
    processa();
    EXPECT_EQ(menu(), (QStringList{"Desfazer Alterar Vlr.", "Refazer (off)"}));
    EXPECT_EQ(valorDoUsuario(101), "2,00");

    dialogos.expectChoice(kPerguntaDescarte, kBotoesDescarte, Descartar);
    processa();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(menu(), menuVazio());
    EXPECT_FALSE(w().valoresPendentes());
}

TEST_F(Desfazer, TheAnswerWrittenAfterAnUndoCarriesTheValuesAsUndone)
{
    digitaUsuario(101, QStringLiteral("12,34"));
    dialogos.expectChoice(kPerguntaRepeticao + QStringLiteral("\nOs valores já digitados serão substituídos."),
                          kBotoesRepeticao, 1);
    controle<QPushButton>("btnrepetirrecarga")->click();
    ASSERT_EQ(valorDoUsuario(101), "50,00");
    ASSERT_EQ(valorDoUsuario(102), "20,00");
    desfaz();
    ASSERT_EQ(valorDoUsuario(101), "12,34");
    ASSERT_EQ(valorDoUsuario(102), "0,00");

    const std::map<int, QString> valores = geraEAbreResposta();
    ASSERT_EQ(valores.size(), 6u);
    EXPECT_EQ(valores.at(101), "000000000000001234");
    for (int usuario : {102, 103, 104, 105, 106})
        EXPECT_EQ(valores.at(usuario), kZero18) << usuario;
}

TEST_F(Desfazer, WithNothingToTakeTheLogGetsNoLine)
{
    const QStringList processado = w().linhasLog();
    desfaz();
    refaz();
    EXPECT_EQ(w().linhasLog(), processado);

    alteraValor(3);
    desfaz();
    const QStringList desfeito = w().linhasLog();
    ASSERT_EQ(desfeito.last(), "Desfeito: Alterar Vlr.");
    desfaz();
    EXPECT_EQ(w().linhasLog(), desfeito);
    refaz();
    refaz();
    EXPECT_EQ(w().linhasLog(), desfeito + QStringList{"Refeito: Alterar Vlr."});
}

TEST_F(Desfazer, TheAnswersLogSaysWhatWasUndoneAfterWhatItTookBack)
{
    dialogos.expectChoice(kPerguntaRepeticao, kBotoesRepeticao, 0);
    controle<QPushButton>("btnrepetirrecarga")->click();
    alteraValor(7.5);
    desfaz();
    desfaz();
    ASSERT_EQ(valorDoUsuario(101), "0,00");

    geraEAbreResposta();
    const QString log = QDir(pastaGerados()).filePath(QStringLiteral("PX_00123_0007_0412091530_2.LOG"));
    QStringList linhas;
    for (const Texto& l : carregaLinhas(log))
        linhas.append(deCp1252(l));
    const qsizetype inserido = linhas.indexOf("Inserido Valor Padrão - Tipo : 1 - Tarifa : 1 - Valor : 7,50");
    ASSERT_GE(inserido, 0) << linhas.join(u'\n').toStdString();
    // Written as Windows-1252 and read back: the accent of the step's name survives.
    EXPECT_EQ(linhas.mid(inserido + 1, 2),
              (QStringList{"Desfeito: Alterar Vlr.", "Desfeito: Repetir Última Recarga"}));
}

}  // namespace
}  // namespace pluvexa::janela
