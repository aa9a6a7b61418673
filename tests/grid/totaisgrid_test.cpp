#include "gridfixture.h"

#include "grid/totaisgrid.h"

#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using namespace teste;

// A grid whose value column holds the given texts, rows 1 on.
TabelaGridMemoria gradeDeValores(const QStringList& valores)
{
    TabelaGridMemoria g(9, 1 + int(valores.size()));
    for (int r = 0; r < valores.size(); ++r)
        g.setCell(5, r + 1, valores[r]);
    return g;
}

TEST(CalculaGrid, MoneyRowsAreSummed)
{
    auto m = novoModelo();
    const SelecaoGrid sel{kTipoDinheiro, 3, "##0.00"};
    const TotaisGrid t = CalculaGrid(gradeDeValores({"10,00", "2,50"}), *m, sel);
    EXPECT_EQ(t.lblvlrrecdig, "12,50");
    EXPECT_EQ(t.lblqtdrecdig, "0");
}

TEST(CalculaGrid, UnreadableCellsAndTheBlankRowAddNothing)
{
    auto m = novoModelo();
    const SelecaoGrid sel{kTipoDinheiro, 3, "##0.00"};
    EXPECT_EQ(CalculaGrid(gradeDeValores({"1.234,50", "abc", " 3,00 ", ""}), *m, sel).lblvlrrecdig, "3,00");
    const TotaisGrid vazio = CalculaGrid(gradeDeValores({""}), *m, sel);
    EXPECT_EQ(vazio.lblvlrrecdig, "0,00");
    EXPECT_EQ(vazio.lblqtdrecdig, "0");
}

TEST(CalculaGrid, ThousandsAreGrouped)
{
    auto m = novoModelo();
    const SelecaoGrid sel{kTipoDinheiro, 3, "##0.00"};
    EXPECT_EQ(CalculaGrid(gradeDeValores({"1234,5"}), *m, sel).lblvlrrecdig, "1.234,50");
}

struct CasoCreditos {
    double tarifa;
    int modo;
    double preco;
    const char* dinheiro;
};

class CalculaGridCreditos : public ::testing::TestWithParam<CasoCreditos> {};

TEST_P(CalculaGridCreditos, CreditsTimesRoundedUnitPrice)
{
    const CasoCreditos c = GetParam();
    auto m = novoModelo();
    m->wTarifa[3].Valor = c.tarifa;
    m->ModoArredondamento = c.modo;
    const SelecaoGrid sel{kTipoCreditos, 3, "##0"};
    EXPECT_DOUBLE_EQ(precoCredito(*m, kTipoCreditos, 3), c.preco);
    const TotaisGrid t = CalculaGrid(gradeDeValores({"10", "3"}), *m, sel);
    EXPECT_EQ(t.lblvlrrecdig, c.dinheiro);
    EXPECT_EQ(t.lblqtdrecdig, "13");
}

INSTANTIATE_TEST_SUITE_P(Arredondamento, CalculaGridCreditos, ::testing::Values(
    CasoCreditos{2.30, 0, 1.15, "14,95"},
    CasoCreditos{2.25, 1, 1.13, "14,69"},
    CasoCreditos{2.25, 2, 1.12, "14,56"}));

TEST(CalculaGrid, SelectionOutsideTheTablesReadsNoPrice)
{
    auto m = novoModelo();
    EXPECT_EQ(precoCredito(*m, 99, 3), 0);
    EXPECT_EQ(precoCredito(*m, kTipoCreditos, 15), 0);
    EXPECT_EQ(precoCredito(*m, -1, -1), 0);
    const SelecaoGrid sel{kTipoCreditos, 40, "##0"};
    const TotaisGrid t = CalculaGrid(gradeDeValores({"10"}), *m, sel);
    EXPECT_EQ(t.lblvlrrecdig, "0,00");
    EXPECT_EQ(t.lblqtdrecdig, "10");
}

TEST(CalculaRecargasGeral, MoneyHolderAddsAllFourGroups)
{
    auto m = novoModelo();
    carrega(*m, {titular(1, 1, "A", "", kTipoDinheiro, {{3, 0, 10}, {0, 0, 0}, {4, 0, 5}, {1, 0, 0}})});
    const TotaisGerais t = CalculaRecargasGeral(*m, false);
    EXPECT_EQ(t.lblgervlrdig, "15,00");
    EXPECT_EQ(t.lblgerqtddig, "0");
}

TEST(CalculaRecargasGeral, CreditHolderTakesWholePartsOfTheRunningCount)
{
    auto m = novoModelo();
    // 1,5 + 1,5 + 1,5 + 1,5: whole parts 1, 2, 3, 4 (not 6)
    carrega(*m, {titular(1, 1, "A", "", kTipoCreditos, {{1, 0, 1.5}, {2, 0, 1.5}, {4, 0, 1.5}, {4, 0, 1.5}})});
    const TotaisGerais t = CalculaRecargasGeral(*m, false);
    EXPECT_EQ(t.lblgerqtddig, "4");
    // 1,5 x (0,50 + 1,00 + 2,00 + 2,00)
    EXPECT_EQ(t.lblgervlrdig, "8,25");
}

TEST(CalculaRecargasGeral, ImportDisablesPrintAndImport)
{
    auto m = novoModelo();
    const TotaisGerais durante = CalculaRecargasGeral(*m, true);
    EXPECT_FALSE(durante.btnimpressao);
    EXPECT_FALSE(durante.btnimportararq);
    const TotaisGerais depois = CalculaRecargasGeral(*m, false);
    EXPECT_TRUE(depois.btnimpressao);
    EXPECT_TRUE(depois.btnimportararq);
    EXPECT_EQ(depois.lblgervlrdig, "0,00");
    EXPECT_EQ(depois.lblgerqtddig, "0");
}

TEST(CalculaRecargasGeral, HoldersWithCodesOutsideTheTablesAddNothing)
{
    auto m = novoModelo();
    carrega(*m, {
        titular(1, 1, "A", "", 45, {{3, 0, 100}}),                        // no such card type
        titular(2, 2, "B", "", kTipoCreditos, {{3, 0, 7}, {20, 0, 9}}),   // tariff 20
        titular(3, 3, "C", "", kTipoCreditos, {{3, 0, 1e300}}),            // no whole count
        titular(4, 4, "D", "", kTipoDinheiro, {{3, 0, 2}}),
        titular(5, 5, "E", "", kTipoCreditos, {{3, 0, 2}}),
    });
    const TotaisGerais t = CalculaRecargasGeral(*m, false);
    EXPECT_EQ(t.lblgervlrdig, "4,30");
    EXPECT_EQ(t.lblgerqtddig, "2");
}

TEST(CalculaRecargasGeral, HolderCountBeyondTheTableIsClamped)
{
    auto m = novoModelo();
    m->wRecarga[0] = titular(1, 1, "A", "", kTipoDinheiro, {{3, 0, 1}});
    m->QtdRecarga = kRecargas + 5;
    EXPECT_EQ(CalculaRecargasGeral(*m, false).lblgervlrdig, "1,00");
}

}  // namespace
}  // namespace pluvexa
