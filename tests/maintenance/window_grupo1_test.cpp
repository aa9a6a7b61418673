// A money holder listed by a later group, a headerless file after a file
// with a header, and a negative default value, in the real window.

#include "files/pastastrabalho.h"
#include "maintenance/recargagrid.h"
#include "maintenance/ttabnumedit.h"
#include "maintenance/windowfixture.h"
#include "recharge/escritorrecarga.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>

namespace pluvexa::janela {
namespace {

using GrupoPosterior = JanelaRecargaTest;

// FABIO ALVES (106, money) gets group 2 with tariff 1 besides his group 1
// with tariff 2, and the central sends 2,50 in that group 2.
TEST_F(GrupoPosterior, MoneyHolderByGroupTwoIsLoggedTakesNoValueAndIsAnsweredCleanly)
{
    auto m = modeloCentral();
    ASSERT_EQ(m->wRecarga[5].Usuario, 106);
    m->wRecarga[5].Grupo[1].Tarifa = 1;
    std::vector<Texto> linhas = linhasDoModelo(*m, nomeRecebidoPadrao());
    bool achou = false;
    for (Texto& l : linhas)
        if (l.starts_with("010000000106")) {
            l.replace(159, 3, "250");   // positions 160-162: group 2 value
            achou = true;
        }
    ASSERT_TRUE(achou);
    enviaRecebido(linhas, nomeRecebidoPadrao());
    abre();
    processa();
    ASSERT_EQ(paginaAtual(), "tbDigitacao");
    EXPECT_GE(linhaDoLog("Usuário 0000000106 Grupo 2 - valor ignorado: cartões em valor recebem somente no grupo 1"), 0);
    EXPECT_EQ(modelo->wRecarga[5].Grupo[1].Valor, 0);

    escolheTarifa(1);
    escolheTipo(kTipoDinheiro);
    ASSERT_EQ(valorDoUsuario(106), "0,00");
    dialogos.expectNotice("Tipo de Cartão em valor: a recarga vai somente no grupo 1 (Tarifa 02) - Verifique!");
    digitaUsuario(106, "5");
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(valorDoUsuario(106), "0,00");
    EXPECT_EQ(modelo->wRecarga[5].Grupo[1].Valor, 0);

    controle<TTabNumEdit>("edalteravlr")->SetValue(7.5);
    dialogos.expectNotice("1 linha(s) não receberam o valor: cartões em valor recebem somente no grupo 1.");
    controle<QPushButton>("btnalteravlr")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(valorDoUsuario(101), "7,50");
    EXPECT_EQ(valorDoUsuario(102), "7,50");
    EXPECT_EQ(valorDoUsuario(106), "0,00");
    EXPECT_EQ(controle<QLabel>("lblvlrrecdig")->text(), "15,00");

    const ResultadoEscrita r = EscritorRecarga(*modelo).gera("PX_RESPOSTA_2.REC", agora, agora);
    EXPECT_TRUE(r.ok()) << r.textosRecusas().join(u'\n').toStdString();
}

TEST_F(GrupoPosterior, HeaderlessFileAfterAFileWithAHeaderShowsAndKeepsNoHeader)
{
    auto m = modeloCentral();
    std::vector<Texto> semHeader = linhasDoModelo(*m, nomeRecebidoPadrao());
    semHeader.erase(semHeader.begin());
    enviaRecebidoPadrao();
    enviaRecebido(semHeader, QStringLiteral("PX_00123_0008_0412090900_1.rec"));
    abre();
    processa();
    ASSERT_EQ(controle<QLabel>("lblempresa")->text().left(6), "123 - ");
    ASSERT_EQ(modelo->cabecalho.Remessa, "0007");

    w().mostraPagina(controle<QWidget>("tbarquivos"));
    controle<QListWidget>("FLBArquivosRecargaRecebidos")->setCurrentRow(1);
    processa();
    ASSERT_EQ(paginaAtual(), "tbDigitacao");
    EXPECT_EQ(modelo->cabecalho.Empresa, 0);
    EXPECT_TRUE(modelo->cabecalho.Remessa.empty());
    EXPECT_TRUE(modelo->cabecalho.NomeEmpresa.empty());
    EXPECT_EQ(modelo->ModoArredondamento, 0);
    EXPECT_TRUE(controle<QLabel>("lblempresa")->text().isEmpty());
    EXPECT_TRUE(controle<QLabel>("lblseq")->text().isEmpty());
    EXPECT_TRUE(controle<QLabel>("lbldata")->text().isEmpty());
    EXPECT_TRUE(controle<QLabel>("lblcripta")->text().isEmpty());
    EXPECT_EQ(linhaDoLog("Empresa : "), -1);
}

TEST_F(GrupoPosterior, NegativeDefaultValueIsAnInvalidValue)
{
    enviaRecebidoPadrao();
    abre();
    processa();
    escolheTarifa(1);
    escolheTipo(kTipoDinheiro);
    controle<TTabNumEdit>("edalteravlr")->SetValue(-5);
    dialogos.expectNotice("Valor Inválido - Verifique!");
    controle<QPushButton>("btnalteravlr")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(valorDoUsuario(101), "0,00");
    EXPECT_EQ(modelo->wRecarga[0].Grupo[0].Valor, 0);
}

}  // namespace
}  // namespace pluvexa::janela
