#include "flows/limites.h"
#include "support/titulares.h"

#include <gtest/gtest.h>

namespace pluvexa {
namespace {

class Limites : public ::testing::Test {
protected:
    void SetUp() override
    {
        m.wTipoCartao[1] = {1, "DINHEIRO", Dinheiro, 100.0, 600.0};
        m.wTipoCartao[2] = {2, "CREDITOS", Creditos, 50.0, 250.0};
        m.wTipoCartao[3] = {3, "OUTRO", 7, 50.0, 10.0};
        for (int i = 0; i < 3; ++i)
            test::acrescenta(m, test::titular(100 + i, 0, "TITULAR", "", i + 1));
    }
    ModeloRecarga m;
};

TEST_F(Limites, ValuesUpToTheMaximumPass)
{
    m.wRecarga[0].Grupo[0].Valor = 600.0;
    m.wRecarga[1].Grupo[0].Valor = 250;
    m.wRecarga[1].Grupo[3].Valor = 250;
    m.wRecarga[2].Grupo[0].Valor = 9999;  // no maximum for this kind of card
    EXPECT_TRUE(valoresForaDoLimite(m).isEmpty());
}

TEST_F(Limites, NamesEachHolderAndGroupAboveTheMaximumOrNegative)
{
    m.wRecarga[0].Grupo[0].Valor = 600.01;
    m.wRecarga[1].Grupo[2].Valor = 251;
    m.wRecarga[2].Grupo[1].Valor = -1;
    const QStringList fora = valoresForaDoLimite(m);
    ASSERT_EQ(fora.size(), 3);
    EXPECT_EQ(fora[0], QStringLiteral("Usuário 100 - TITULAR - Grupo 1 - Valor 600,01 (máximo 600,00)"));
    EXPECT_EQ(fora[1], QStringLiteral("Usuário 101 - TITULAR - Grupo 3 - Valor 251 (máximo 250)"));
    EXPECT_TRUE(fora[2].startsWith(QStringLiteral("Usuário 102 - TITULAR - Grupo 2 - Valor -1")));
}

TEST_F(Limites, HoldersBeyondTheCountAreIgnored)
{
    m.wRecarga[5].TipoCartao = 1;
    m.wRecarga[5].Grupo[0].Valor = 1e6;
    EXPECT_TRUE(valoresForaDoLimite(m).isEmpty());
}

}  // namespace
}  // namespace pluvexa
