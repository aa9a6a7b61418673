#include "gridfixture.h"

#include "grid/passovalores.h"
#include "grid/preenchegrid.h"

#include <gtest/gtest.h>

namespace pluvexa::teste {
namespace {

class PassoValores : public ::testing::Test {
protected:
    void SetUp() override
    {
        carrega(*m, {titular(1, 11, "A", "1", kTipoDinheiro, {{3, 0, 5}}),
                     titular(2, 12, "B", "2", kTipoDinheiro, {{3, 0, 0}, {4, 0, 2}}),
                     titular(3, 13, "C", "3", kTipoCreditos, {{3, 0, 9}})});
    }
    double valor(int h, int g = 0) const { return m->wRecarga[size_t(h)].Grupo[size_t(g)].Valor; }
    std::unique_ptr<ModeloRecarga> m = novoModelo();
};

TEST_F(PassoValores, RecordsOnlyTheValuesTheActionChangedAndPutsThemBackAndForth)
{
    const ValoresModelo antes = fotografaValores(*m);
    m->wRecarga[1].Grupo[1].Valor = 20;
    m->wRecarga[2].Grupo[0].Valor = 0;
    const std::vector<MudancaValor> d = diferencas(antes, *m);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].titular, 1);
    EXPECT_EQ(d[0].grupo, 1);
    EXPECT_EQ(d[0].antes, 2);
    EXPECT_EQ(d[0].depois, 20);
    EXPECT_EQ(d[1].titular, 2);

    // A value changed after the step (another step) is not touched.
    m->wRecarga[0].Grupo[0].Valor = 77;
    aplicaMudancas(*m, d, true);
    EXPECT_EQ(valor(1, 1), 2);
    EXPECT_EQ(valor(2), 9);
    EXPECT_EQ(valor(0), 77);
    aplicaMudancas(*m, d, false);
    EXPECT_EQ(valor(1, 1), 20);
    EXPECT_EQ(valor(2), 0);
}

TEST_F(PassoValores, NothingChangedOrAnotherFileGivesNoStep)
{
    const ValoresModelo antes = fotografaValores(*m);
    EXPECT_TRUE(diferencas(antes, *m).empty());
    m->wRecarga[0].Grupo[0].Valor = 1;
    m->QtdRecarga = 2;
    EXPECT_TRUE(diferencas(antes, *m).empty());
}

TEST_F(PassoValores, OnlyTheCellsShowingAChangedValueAreRewritten)
{
    TabelaGridMemoria grid;
    SelecaoGrid sel;
    IndiceLinhas indice;
    // Money, tariff 3: holders 0 and 1 on rows 1 and 2, by their group 1.
    PreencheGrid(grid, *m, sel, entrada(kTipoDinheiro), entrada(3), {}, &indice);
    ASSERT_EQ(grid.cell(0, 2), "2");
    grid.setCell(5, 1, QStringLiteral("typed"));

    const ValoresModelo antes = fotografaValores(*m);
    m->wRecarga[1].Grupo[0].Valor = 20;  // on screen
    m->wRecarga[1].Grupo[1].Valor = 7;   // not the group shown
    m->wRecarga[2].Grupo[0].Valor = 1;   // another card type
    const std::vector<MudancaValor> d = diferencas(antes, *m);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(mostraMudancas(grid, *m, sel, indice, d), 2);
    EXPECT_EQ(grid.cell(5, 2), "20,00");
    EXPECT_EQ(grid.cell(5, 1), "typed");

    aplicaMudancas(*m, d, true);
    EXPECT_EQ(mostraMudancas(grid, *m, sel, indice, d), 2);
    EXPECT_EQ(grid.cell(5, 2), "0,00");
    EXPECT_EQ(mostraMudancas(grid, *m, sel, indice, {{2, 0, 9, 1}}), -1);
}

}  // namespace
}  // namespace pluvexa::teste
