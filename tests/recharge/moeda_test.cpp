#include "recharge/moeda.h"

#include <cstdint>
#include <limits>

#include <QString>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

struct DeDoubleCaso {
    double x;
    std::int64_t bruto;
};

class MoedaDeDouble : public ::testing::TestWithParam<DeDoubleCaso> {};

TEST_P(MoedaDeDouble, RoundsToTheNearestTenThousandthTiesToEven)
{
    EXPECT_EQ(Moeda::deDouble(GetParam().x).bruto(), GetParam().bruto) << GetParam().x;
}

// Each tie below is exact in binary after the multiplication by 10000.
INSTANTIATE_TEST_SUITE_P(Tabela, MoedaDeDouble,
                         ::testing::Values(DeDoubleCaso{0, 0}, DeDoubleCaso{12.5, 125000},
                                           DeDoubleCaso{1.85, 18500}, DeDoubleCaso{0.00005, 0},
                                           DeDoubleCaso{0.00025, 2}, DeDoubleCaso{0.00035, 4},
                                           DeDoubleCaso{-0.00035, -4}, DeDoubleCaso{2.00025, 20002},
                                           DeDoubleCaso{0.12345, 1234}, DeDoubleCaso{0.00006, 1},
                                           DeDoubleCaso{1e300, std::numeric_limits<std::int64_t>::max()},
                                           DeDoubleCaso{-1e300, std::numeric_limits<std::int64_t>::min()}));

TEST(Moeda, ConvertsIntegersAndBackToDouble)
{
    EXPECT_EQ(Moeda::deInteiro(13).bruto(), 130000);
    EXPECT_EQ(Moeda::deInteiro(-2).bruto(), -20000);
    EXPECT_EQ(Moeda::deBruto(11500).paraDouble(), 1.15);
    EXPECT_EQ(Moeda::deInteiro(std::numeric_limits<std::int64_t>::max()).bruto(),
              std::numeric_limits<std::int64_t>::max());
}

TEST(Moeda, WholePartTruncatesTowardZero)
{
    EXPECT_EQ(Moeda::deBruto(129999).parteInteira(), 12);
    EXPECT_EQ(Moeda::deBruto(-129999).parteInteira(), -12);
    EXPECT_EQ(Moeda::deBruto(9999).parteInteira(), 0);
}

TEST(Moeda, ProductDividesByTenThousandTruncatingTowardZero)
{
    // A unit price of 1,15 times 13 credits.
    EXPECT_EQ((Moeda::deDouble(1.15) * Moeda::deInteiro(13)).bruto(), 149500);
    // 0,0003 * 0,5 = 0,00015: the last fraction is cut, not rounded.
    EXPECT_EQ((Moeda::deBruto(3) * Moeda::deBruto(5000)).bruto(), 1);
    EXPECT_EQ((Moeda::deBruto(-3) * Moeda::deBruto(5000)).bruto(), -1);
    EXPECT_EQ((Moeda::deBruto(1) * Moeda::deBruto(9999)).bruto(), 0);
    // The intermediate product exceeds 64 bits yet the result does not.
    const Moeda grande = Moeda::deInteiro(100000000);  // 1e12 counts
    EXPECT_EQ((grande * Moeda::deInteiro(1000)).bruto(), 1000000000000000LL);
}

TEST(Moeda, ComparesAndAdds)
{
    EXPECT_LT(Moeda::deDouble(1.15), Moeda::deDouble(1.16));
    EXPECT_EQ(Moeda::deDouble(10) + Moeda::deDouble(2.5), Moeda::deDouble(12.5));
    EXPECT_EQ(Moeda::deDouble(10) - Moeda::deDouble(12.5), -Moeda::deDouble(2.5));
}

struct TextoCaso {
    const char16_t* texto;
    std::optional<std::int64_t> bruto;
};

class MoedaDeTexto : public ::testing::TestWithParam<TextoCaso> {};

TEST_P(MoedaDeTexto, ReadsTheDecimalCommaAndNothingElse)
{
    const auto v = Moeda::deTexto(QStringView(GetParam().texto));
    ASSERT_EQ(v.has_value(), GetParam().bruto.has_value()) << QString::fromUtf16(GetParam().texto).toStdString();
    if (v) {
        EXPECT_EQ(v->bruto(), *GetParam().bruto);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, MoedaDeTexto,
    ::testing::Values(TextoCaso{u"12,5", 125000}, TextoCaso{u"-1,25", -12500}, TextoCaso{u"+3", 30000},
                      TextoCaso{u"0", 0}, TextoCaso{u",5", 5000}, TextoCaso{u"7,", 70000},
                      TextoCaso{u"1,23456", 12346}, TextoCaso{u"1,00005", 10000},
                      TextoCaso{u"1,00015", 10002}, TextoCaso{u"1,000050001", 10001},
                      TextoCaso{u"922337203685477,5807", std::numeric_limits<std::int64_t>::max()},
                      TextoCaso{u"922337203685477,5808", std::nullopt}, TextoCaso{u"", std::nullopt},
                      TextoCaso{u"-", std::nullopt}, TextoCaso{u",", std::nullopt},
                      TextoCaso{u" 1", std::nullopt}, TextoCaso{u"1 ", std::nullopt},
                      TextoCaso{u"1.000,00", std::nullopt}, TextoCaso{u"1.5", std::nullopt},
                      TextoCaso{u"1e3", std::nullopt}, TextoCaso{u"1,2,3", std::nullopt},
                      TextoCaso{u"abc", std::nullopt}, TextoCaso{u"--1", std::nullopt}));

struct ArredondaCaso {
    double x;
    int n;
    int modo;
    double esperado;
};

class ArredondaTabela : public ::testing::TestWithParam<ArredondaCaso> {};

TEST_P(ArredondaTabela, FollowsTheRoundingModeOfTheFile)
{
    const ArredondaCaso& c = GetParam();
    EXPECT_DOUBLE_EQ(Arredonda(c.x, c.n, c.modo), c.esperado) << c.x << " n=" << c.n << " modo=" << c.modo;
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, ArredondaTabela,
    ::testing::Values(ArredondaCaso{1.125, 2, 1, 1.13}, ArredondaCaso{1.1212, 2, 1, 1.13},
                      ArredondaCaso{1.1205, 2, 1, 1.12}, ArredondaCaso{1.15, 2, 1, 1.15},
                      ArredondaCaso{1.125, 2, 2, 1.12}, ArredondaCaso{1.1299, 2, 2, 1.12},
                      ArredondaCaso{1.125, 2, 0, 1.125}, ArredondaCaso{1.125, 2, 3, 1.125},
                      ArredondaCaso{0.01 * 50 * 2.25, 2, 1, 1.13}, ArredondaCaso{0.01 * 50 * 2.25, 2, 2, 1.12},
                      ArredondaCaso{0.01 * 50 * 2.30, 2, 0, 1.15}, ArredondaCaso{2.34, 1, 1, 2.4},
                      ArredondaCaso{2.304, 1, 1, 2.3}));

}  // namespace
}  // namespace pluvexa
