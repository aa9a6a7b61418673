#include "review/textosconferencia.h"
#include "support/titulares.h"

#include <gtest/gtest.h>

namespace pluvexa {
namespace {

struct CasoUnidades {
    long long unidades;
    bool creditos;
    const char* texto;
};

class UnidadesNaTela : public ::testing::TestWithParam<CasoUnidades> {};

TEST_P(UnidadesNaTela, ThousandsPointAndDecimalComma)
{
    const CasoUnidades& c = GetParam();
    EXPECT_EQ(unidadesNaTela(c.unidades, c.creditos), QString::fromUtf8(c.texto));
}

INSTANTIATE_TEST_SUITE_P(Textos, UnidadesNaTela,
                         ::testing::Values(CasoUnidades{0, false, "0,00"}, CasoUnidades{5, false, "0,05"},
                                           CasoUnidades{123450, false, "1.234,50"},
                                           CasoUnidades{-2025, false, "-20,25"},
                                           CasoUnidades{123456789, false, "1.234.567,89"},
                                           CasoUnidades{0, true, "0"}, CasoUnidades{1234, true, "1.234"}));

// The usual value of `valores` rounded half up to whole units.
struct CasoHabitual {
    long long soma;
    int recargas;
    bool creditos;
    const char* texto;  // empty: no history
};

class HabitualNaTela : public ::testing::TestWithParam<CasoHabitual> {};

TEST_P(HabitualNaTela, RoundsHalfUpToWholeUnits)
{
    const CasoHabitual& c = GetParam();
    TitularConferido t;
    t.creditos = c.creditos;
    t.valores.somaHistorico = c.soma;
    t.valores.recargasHistorico = c.recargas;
    EXPECT_EQ(habitualNaTela(t), QString::fromUtf8(c.texto));
    EXPECT_EQ(habitualArredondado(t).has_value(), c.recargas > 0);
}

INSTANTIATE_TEST_SUITE_P(Textos, HabitualNaTela,
                         ::testing::Values(CasoHabitual{0, 0, false, ""},
                                           CasoHabitual{12050, 3, false, "40,17"},   // 4016,67 cents
                                           CasoHabitual{5, 2, false, "0,03"},        // 2,5 cents: up
                                           CasoHabitual{7, 3, false, "0,02"},        // 2,33 cents
                                           CasoHabitual{25, 2, true, "13"},          // 12,5 credits: up
                                           CasoHabitual{300000, 1, false, "3.000,00"}));

TEST(VariacaoNaTela, SignedWithOneDecimalAndADashWithoutHistory)
{
    EXPECT_EQ(variacaoNaTela(std::nullopt), "-");
    EXPECT_EQ(variacaoNaTela(148.963), "+149,0");
    EXPECT_EQ(variacaoNaTela(-3.2258), "-3,2");
    EXPECT_EQ(variacaoNaTela(-100), "-100,0");
    EXPECT_EQ(variacaoNaTela(0.01), "0,0");
    EXPECT_EQ(variacaoNaTela(1234.5), "+1.234,5");
}

TEST(NomeNaTela, WithoutThePaddingOfTheFile)
{
    EXPECT_EQ(nomeNaTela(test::titular(1, 1, "JOS\xC9 DA SILVA", "", 1)), QStringLiteral("JOSÉ DA SILVA"));
}

}  // namespace
}  // namespace pluvexa
