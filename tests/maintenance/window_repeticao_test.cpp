// "Repetir Última Recarga" in the real window: the question and its three
// buttons, the line about typed values, the rows on screen or the whole
// file, and the holders kept as they were.

#include "maintenance/recargagrid.h"
#include "maintenance/windowfixture.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace pluvexa::janela {
namespace {

const QString kPergunta = QStringLiteral("Preencher os valores com a última recarga de cada titular?");
const QString kSubstituidos = QStringLiteral("\nOs valores já digitados serão substituídos.");
const QStringList kBotoes = {QStringLiteral("Linhas da Tela"), QStringLiteral("Arquivo Inteiro"),
                             QStringLiteral("Cancelar")};
enum { Tela, Arquivo, Cancelar };

// The central's standard file; holder 102's last recharge optionally above
// the money maximum of 600.
class Repeticao : public JanelaRecargaTest {
protected:
    void mostra(double ultima102 = 20.0)
    {
        auto m = modeloCentral();
        m->wRecarga[1].Historico[0][0] = ultima102;
        enviaRecebido(linhasDoModelo(*m, nomeRecebidoPadrao()), nomeRecebidoPadrao());
        abre();
        processa();
        escolheTipo(kTipoDinheiro);
        escolheTarifa(1);
    }
    void repete(const QString& pergunta, int botao)
    {
        dialogos.expectChoice(pergunta, kBotoes, botao);
        controle<QPushButton>("btnrepetirrecarga")->click();
    }
};

TEST_F(Repeticao, TheRowsOnScreenTakeTheLastRechargeWithTheTotals)
{
    mostra();
    repete(kPergunta, Tela);
    EXPECT_EQ(valorDoUsuario(101), "50,00");
    EXPECT_EQ(valorDoUsuario(102), "20,00");
    EXPECT_EQ(controle<QLabel>("lblvlrrecdig")->text(), "70,00");
    EXPECT_EQ(controle<QLabel>("lblgervlrdig")->text(), "70,00");
    EXPECT_TRUE(w().valoresPendentes());
    // The other tariffs were not on screen.
    escolheTarifa(2);
    EXPECT_EQ(valorDoUsuario(106), "0,00");
    EXPECT_TRUE(dialogos.allConsumed());
}

TEST_F(Repeticao, TypedValuesAddTheLineAndCancelKeepsThem)
{
    mostra();
    digitaUsuario(101, "5,00");
    repete(kPergunta + kSubstituidos, Cancelar);
    EXPECT_EQ(valorDoUsuario(101), "5,00");
    EXPECT_EQ(valorDoUsuario(102), "0,00");
    EXPECT_EQ(controle<QLabel>("lblvlrrecdig")->text(), "5,00");
    EXPECT_TRUE(dialogos.allConsumed());
}

TEST_F(Repeticao, TheWholeFileFillsEveryCardTypeAndTariff)
{
    mostra();
    repete(kPergunta, Arquivo);
    EXPECT_EQ(valorDoUsuario(101), "50,00");
    escolheTarifa(2);
    EXPECT_EQ(valorDoUsuario(106), "9,90");
    escolheTipo(kTipoCreditos);
    EXPECT_EQ(valorDoUsuario(105), "11");
    escolheTarifa(1);
    EXPECT_EQ(valorDoUsuario(104), "20");
    EXPECT_EQ(valorDoUsuario(105), "5");
    EXPECT_TRUE(dialogos.allConsumed());
}

TEST_F(Repeticao, AboveTheMaximumIsKeptAndCounted)
{
    mostra(700.0);
    dialogos.expectChoice(kPergunta, kBotoes, Tela);
    dialogos.expectNotice(QStringLiteral("1 titular(es) mantidos sem alteração: última recarga acima do máximo "
                                         "ou linha que não recebe valor."));
    controle<QPushButton>("btnrepetirrecarga")->click();
    EXPECT_EQ(valorDoUsuario(101), "50,00");
    EXPECT_EQ(valorDoUsuario(102), "0,00");
    EXPECT_EQ(controle<QLabel>("lblvlrrecdig")->text(), "50,00");
    EXPECT_TRUE(dialogos.allConsumed());
}

}  // namespace
}  // namespace pluvexa::janela
