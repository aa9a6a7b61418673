#include "gridfixture.h"

#include "grid/contagemlistas.h"

#include <gtest/gtest.h>

namespace pluvexa::teste {
namespace {

// Money type 1: one holder per tariff 1 and 2, one with no tariff (listed by
// 00), one listed by tariff 4 through its third group. Credit type 2: its
// holder with no group 1 tariff is listed by no entry; one holder carries
// tariffs 2 and 5. Card type 3 has one holder.
std::unique_ptr<ModeloRecarga> modelo()
{
    auto m = novoModelo();
    carrega(*m, {titular(1, 11, "ANA", "1", kTipoDinheiro, {{1}}),
                 titular(2, 12, "BIA", "2", kTipoDinheiro, {{2}}),
                 titular(3, 13, "CAIO", "3", kTipoDinheiro, {{0}}),
                 titular(4, 14, "DORA", "4", kTipoDinheiro, {{0}, {0}, {4}}),
                 titular(5, 15, "EDU", "5", kTipoCreditos, {{0}}),
                 titular(6, 16, "FLA", "6", kTipoCreditos, {{2}, {5}}),
                 titular(7, 17, "GUI", "7", kTipoOutro, {{1}})});
    return m;
}

TEST(ContagemListas, CountsTheHoldersOfEachCardTypeWhateverIsSelected)
{
    auto m = modelo();
    for (int sel : {kTipoDinheiro, kTipoCreditos}) {
        const ContagemListas c = contaPortadores(*m, sel);
        EXPECT_EQ(c.tipo(kTipoDinheiro), 4);
        EXPECT_EQ(c.tipo(kTipoCreditos), 2);
        EXPECT_EQ(c.tipo(kTipoOutro), 1);
        EXPECT_EQ(c.tipo(0), 0);
        EXPECT_EQ(c.tipo(-1), 0);
        EXPECT_EQ(c.tipo(kTiposCartao), 0);
    }
}

TEST(ContagemListas, CountsEachTariffByTheFillsGroupRuleForTheSelectedType)
{
    auto m = modelo();
    const ContagemListas dinheiro = contaPortadores(*m, kTipoDinheiro);
    // Holder 4 is listed by 00 through its group 1 and by 04 through group 3.
    EXPECT_EQ(dinheiro.porTarifa, (std::vector<int>{2, 1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    const ContagemListas creditos = contaPortadores(*m, kTipoCreditos);
    // 00 lists nobody on a credit type.
    EXPECT_EQ(creditos.porTarifa, (std::vector<int>{0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(ContagemListas, TheCountFollowsTheTextInParentheses)
{
    EXPECT_EQ(entradaComContagem(QStringLiteral("01 - ONIBUS"), 120), QStringLiteral("01 - ONIBUS (120)"));
    EXPECT_EQ(entradaComContagem(QStringLiteral("03 - URBANA     - 2,30"), 0),
              QStringLiteral("03 - URBANA     - 2,30 (0)"));
    EXPECT_EQ(entradaComContagem(QStringLiteral("01 - VALE-TRANSPORTE EM DINHEIRO                  "), 154),
              QStringLiteral("01 - VALE-TRANSPORTE EM DINHEIRO (154)"));
}

}  // namespace
}  // namespace pluvexa::teste
