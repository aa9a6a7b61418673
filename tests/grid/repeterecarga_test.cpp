#include "gridfixture.h"

#include "grid/atualizacaogrid.h"
#include "grid/preenchegrid.h"
#include "grid/repeterecarga.h"

#include <gtest/gtest.h>

namespace pluvexa::teste {
namespace {

const QString kAviso2 = QStringLiteral(
    "2 titular(es) mantidos sem alteração: última recarga acima do máximo ou linha que não recebe valor.");
const QString kAviso3 = QStringLiteral(
    "3 titular(es) mantidos sem alteração: última recarga acima do máximo ou linha que não recebe valor.");

// Money type 1 (maximum 600), credit type 2 (maximum 250):
//   0 money, tariff 3, last 50
//   1 money, tariff 3, last 700: above the maximum
//   2 money, tariff 1 (last 10), and tariff 3 by group 2 (last 30): that
//     group takes no value
//   3 credits, tariff 3, last 20
//   4 credits, tariff 3, last 300: above the maximum
//   5 credits, tariff 3, last 12,6: a whole number of credits is taken
class Repeticao : public ::testing::Test {
protected:
    void SetUp() override
    {
        carrega(*m, {titular(1, 11, "A", "1", kTipoDinheiro, {{3, 0, 0, 50}}),
                     titular(2, 12, "B", "2", kTipoDinheiro, {{3, 0, 0, 700}}),
                     titular(3, 13, "C", "3", kTipoDinheiro, {{1, 0, 0, 10}, {3, 0, 0, 30}}),
                     titular(4, 14, "D", "4", kTipoCreditos, {{3, 0, 0, 20}}),
                     titular(5, 15, "E", "5", kTipoCreditos, {{3, 0, 0, 300}}),
                     titular(6, 16, "F", "6", kTipoCreditos, {{3, 0, 0, 12.6}})});
    }
    void preenche(int tipo) { PreencheGrid(grid, *m, sel, entrada(tipo), entrada(3), {}); }
    double valor(int h, int g = 0) const { return m->wRecarga[size_t(h)].Grupo[size_t(g)].Valor; }

    std::unique_ptr<ModeloRecarga> m = novoModelo();
    TabelaGridMemoria grid{9, 2};
    SelecaoGrid sel;
};

TEST_F(Repeticao, TheMoneyRowsOnScreenTakeTheirLastRechargeButAboveTheMaximumOrWithoutValue)
{
    preenche(kTipoDinheiro);
    grid.setCell(5, 2, "1,00");
    const ResultadoRepeticao r = repeteNaTela(grid, *m, sel);
    EXPECT_EQ(grid.cell(5, 1), "50,00");
    EXPECT_EQ(grid.cell(5, 2), "1,00");
    EXPECT_EQ(grid.cell(5, 3), "0,00");
    EXPECT_EQ(r.alterados, 1);
    EXPECT_EQ(r.mantidos, 2);
    EXPECT_EQ(r.aviso, kAviso2);
    ASSERT_FALSE(AtualizaArrayRecargas(grid, *m, sel, {}).erro);
    EXPECT_DOUBLE_EQ(valor(0), 50);
    EXPECT_DOUBLE_EQ(valor(1), 1);
    EXPECT_DOUBLE_EQ(valor(2, 1), 0);
    // Other card types are not on screen and keep theirs.
    EXPECT_DOUBLE_EQ(valor(3), 0);
}

TEST_F(Repeticao, CreditRowsTakeWholeCredits)
{
    preenche(kTipoCreditos);
    const ResultadoRepeticao r = repeteNaTela(grid, *m, sel);
    EXPECT_EQ(linha(grid, 1).at(5), "20");
    EXPECT_EQ(linha(grid, 2).at(5), "0");
    EXPECT_EQ(linha(grid, 3).at(5), "13");
    EXPECT_EQ(r.mantidos, 1);
    EXPECT_EQ(r.alterados, 2);
}

TEST_F(Repeticao, AnEmptyGridChangesNothing)
{
    PreencheGrid(grid, *m, sel, entrada(kTipoDinheiro), entrada(5), {});
    const ResultadoRepeticao r = repeteNaTela(grid, *m, sel);
    EXPECT_EQ(grid.cell(5, 1), "");
    EXPECT_EQ(r.alterados, 0);
    EXPECT_TRUE(r.aviso.isEmpty());
}

TEST_F(Repeticao, TheWholeFileFillsEveryListedGroupAndCountsEachKeptHolderOnce)
{
    const ResultadoRepeticao r = repeteNoArquivo(*m);
    EXPECT_DOUBLE_EQ(valor(0), 50);
    EXPECT_DOUBLE_EQ(valor(1), 0);
    EXPECT_DOUBLE_EQ(valor(2, 0), 10);
    EXPECT_DOUBLE_EQ(valor(2, 1), 0);
    EXPECT_DOUBLE_EQ(valor(3), 20);
    EXPECT_DOUBLE_EQ(valor(4), 0);
    EXPECT_DOUBLE_EQ(valor(5), 13);
    EXPECT_EQ(r.alterados, 4);
    EXPECT_EQ(r.mantidos, 3);
    EXPECT_EQ(r.aviso, kAviso3);
    // Again: nothing left to change.
    EXPECT_EQ(repeteNoArquivo(*m).alterados, 0);
}

TEST_F(Repeticao, TheQuestionSaysWhenTypedValuesWouldBeReplaced)
{
    const QString pergunta = QStringLiteral("Preencher os valores com a última recarga de cada titular?");
    EXPECT_EQ(perguntaRepeticao(false), pergunta);
    EXPECT_EQ(perguntaRepeticao(true), pergunta + QStringLiteral("\nOs valores já digitados serão substituídos."));

    EXPECT_FALSE(substituiNoArquivo(*m));
    // A typed value equal to the last recharge is not replaced.
    m->wRecarga[0].Grupo[0].Valor = 50;
    EXPECT_FALSE(substituiNoArquivo(*m));
    // Nor one the checks keep.
    m->wRecarga[1].Grupo[0].Valor = 5;
    EXPECT_FALSE(substituiNoArquivo(*m));
    m->wRecarga[3].Grupo[0].Valor = 7;
    EXPECT_TRUE(substituiNoArquivo(*m));
}

}  // namespace
}  // namespace pluvexa::teste
