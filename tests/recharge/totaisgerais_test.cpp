#include "modelofixture.h"

#include "recharge/totaisgerais.h"

#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using namespace teste;

TEST(CalculaRecargasGeral, MoneyHolderAddsAllFourGroups)
{
    auto m = novoModelo();
    carrega(*m, {titular(1, 1, "A", "", kTipoDinheiro, {{3, 0, 10}, {0, 0, 0}, {4, 0, 5}, {1, 0, 0}})});
    const TotaisGerais t = CalculaRecargasGeral(*m);
    EXPECT_EQ(t.lblgervlrdig, "15,00");
    EXPECT_EQ(t.lblgerqtddig, "0");
}

TEST(CalculaRecargasGeral, CreditHolderTakesWholePartsOfTheRunningCount)
{
    auto m = novoModelo();
    // 1,5 + 1,5 + 1,5 + 1,5: whole parts 1, 2, 3, 4 (not 6)
    carrega(*m, {titular(1, 1, "A", "", kTipoCreditos, {{1, 0, 1.5}, {2, 0, 1.5}, {4, 0, 1.5}, {4, 0, 1.5}})});
    const TotaisGerais t = CalculaRecargasGeral(*m);
    EXPECT_EQ(t.lblgerqtddig, "4");
    // 1,5 x (0,50 + 1,00 + 2,00 + 2,00)
    EXPECT_EQ(t.lblgervlrdig, "8,25");
}

TEST(CalculaRecargasGeral, NoHoldersShowZero)
{
    auto m = novoModelo();
    const TotaisGerais t = CalculaRecargasGeral(*m);
    EXPECT_EQ(t.lblgervlrdig, "0,00");
    EXPECT_EQ(t.lblgerqtddig, "0");
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
    const TotaisGerais t = CalculaRecargasGeral(*m);
    EXPECT_EQ(t.lblgervlrdig, "4,30");
    EXPECT_EQ(t.lblgerqtddig, "2");
}

TEST(CalculaRecargasGeral, HolderCountBeyondTheTableIsClamped)
{
    auto m = novoModelo();
    m->wRecarga[0] = titular(1, 1, "A", "", kTipoDinheiro, {{3, 0, 1}});
    m->QtdRecarga = kRecargas + 5;
    EXPECT_EQ(CalculaRecargasGeral(*m).lblgervlrdig, "1,00");
}

}  // namespace
}  // namespace pluvexa
