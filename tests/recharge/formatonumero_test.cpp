#include "recharge/digitosdecimais.h"
#include "recharge/formatonumero.h"

#include <cstdint>
#include <limits>

#include <QLocale>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

// Expected text of each picture for the values 0, 0.005, 12.5, 1234.5,
// 1234567.891, -12.5, -1234.5 and -0.004, in that order.
constexpr double kValores[] = {0, 0.005, 12.5, 1234.5, 1234567.891, -12.5, -1234.5, -0.004};

struct FiguraCaso {
    const char16_t* figura;
    const char* esperado[8];
};

const FiguraCaso kFiguras[] = {
    {u"##0.00", {"0,00", "0,01", "12,50", "1234,50", "1234567,89", "-12,50", "-1234,50", "0,00"}},
    {u"##0", {"0", "0", "13", "1235", "1234568", "-13", "-1235", "0"}},
    {u"#,##0.00", {"0,00", "0,01", "12,50", "1.234,50", "1.234.567,89", "-12,50", "-1.234,50", "0,00"}},
    {u"###,##0.00", {"0,00", "0,01", "12,50", "1.234,50", "1.234.567,89", "-12,50", "-1.234,50", "0,00"}},
    {u"###,##0", {"0", "0", "13", "1.235", "1.234.568", "-13", "-1.235", "0"}},
    {u"###,####,##0.00",
     {"0,00", "0,01", "12,50", "1.234,50", "1.234.567,89", "-12,50", "-1.234,50", "0,00"}},
    {u"###,####,##0", {"0", "0", "13", "1.235", "1.234.568", "-13", "-1.235", "0"}},
    // No '0' in the picture: zero shows as nothing.
    {u"##,###,###", {"", "", "13", "1.235", "1.234.568", "-13", "-1.235", ""}},
    {u"00", {"00", "00", "13", "1235", "1234568", "-13", "-1235", "00"}},
    {u"0000", {"0000", "0000", "0013", "1235", "1234568", "-0013", "-1235", "0000"}},
    {u"00000", {"00000", "00000", "00013", "01235", "1234568", "-00013", "-01235", "00000"}},
    {u"00000000000",
     {"00000000000", "00000000000", "00000000013", "00000001235", "00001234568", "-00000000013",
      "-00000001235", "00000000000"}},
};

class Figuras : public ::testing::TestWithParam<FiguraCaso> {};

TEST_P(Figuras, DoubleAndCurrencyGiveTheSameText)
{
    const FiguraCaso& c = GetParam();
    const QStringView figura(c.figura);
    for (std::size_t k = 0; k < std::size(kValores); ++k) {
        const QString esperado = QString::fromUtf8(c.esperado[k]);
        EXPECT_EQ(formata(figura, kValores[k]), esperado) << figura.toString().toStdString() << " " << kValores[k];
        EXPECT_EQ(formata(figura, Moeda::deDouble(kValores[k])), esperado)
            << figura.toString().toStdString() << " Moeda " << kValores[k];
    }
}

INSTANTIATE_TEST_SUITE_P(Tabela, Figuras, ::testing::ValuesIn(kFiguras));

TEST(Formata, IgnoresTheMachineLocale)
{
    const QLocale antes;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(formata(u"###,##0.00", 1234.5), QStringLiteral("1.234,50"));
    EXPECT_EQ(formatoGeral(12.5), QStringLiteral("12,5"));
    QLocale::setDefault(antes);
}

TEST(Formata, RoundsHalfAwayFromZeroOnTheDecimalValue)
{
    // 1.005 and 2.675 lie just below the half in binary; the operator typed
    // the half, so it rounds up.
    EXPECT_EQ(formata(u"##0.00", 1.005), QStringLiteral("1,01"));
    EXPECT_EQ(formata(u"##0.00", 2.675), QStringLiteral("2,68"));
    EXPECT_EQ(formata(u"##0.00", 0.125), QStringLiteral("0,13"));
    EXPECT_EQ(formata(u"##0.00", -0.125), QStringLiteral("-0,13"));
    EXPECT_EQ(formata(u"##0.00", 9.995), QStringLiteral("10,00"));
    EXPECT_EQ(formata(u"###,##0", 999999.5), QStringLiteral("1.000.000"));
    EXPECT_EQ(formata(u"##0.00", Moeda::deBruto(-50)), QStringLiteral("-0,01"));
    EXPECT_EQ(formata(u"##0.00", Moeda::deBruto(-49)), QStringLiteral("0,00"));
    EXPECT_EQ(formata(u"#,##0.00", Moeda::deBruto(std::numeric_limits<std::int64_t>::min())),
              QStringLiteral("-922.337.203.685.477,58"));
}

TEST(Formata, IntegersKeepAllTheirDigits)
{
    EXPECT_EQ(formata(u"00", 5), QStringLiteral("05"));
    EXPECT_EQ(formata(u"00000", std::int64_t{42}), QStringLiteral("00042"));
    EXPECT_EQ(formata(u"00000000000", 123456789012LL), QStringLiteral("123456789012"));
    EXPECT_EQ(formata(u"###,##0", -1234567LL), QStringLiteral("-1.234.567"));
    EXPECT_EQ(formata(u"##,###,###", 1048576), QStringLiteral("1.048.576"));
    EXPECT_EQ(formata(u"##,###,###", 0), QString());
    EXPECT_EQ(formata(u"###,##0.00", 600), QStringLiteral("600,00"));
    EXPECT_EQ(formata(u"#,##0", std::numeric_limits<long long>::min()),
              QStringLiteral("-9.223.372.036.854.775.808"));
}

struct GeralCaso {
    double v;
    const char* esperado;
};

class FormatoGeral : public ::testing::TestWithParam<GeralCaso> {};

TEST_P(FormatoGeral, ShowsUpToFifteenSignificantDigits)
{
    EXPECT_EQ(formatoGeral(GetParam().v), QString::fromUtf8(GetParam().esperado)) << GetParam().v;
    EXPECT_EQ(numeroSimples(GetParam().v), QString::fromUtf8(GetParam().esperado)) << GetParam().v;
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, FormatoGeral,
    ::testing::Values(GeralCaso{0, "0"}, GeralCaso{250, "250"}, GeralCaso{12.5, "12,5"},
                      GeralCaso{0.005, "0,005"}, GeralCaso{1234.5, "1234,5"},
                      GeralCaso{1234567.891, "1234567,891"}, GeralCaso{-12.5, "-12,5"},
                      GeralCaso{-1234.5, "-1234,5"}, GeralCaso{0.1 + 0.2, "0,3"},
                      GeralCaso{600, "600"}, GeralCaso{123456789012345.0, "123456789012345"},
                      GeralCaso{1e15, "1E15"}, GeralCaso{1.5e20, "1,5E20"}, GeralCaso{0.00001, "0,00001"},
                      GeralCaso{0.000001, "1E-6"}, GeralCaso{-0.0000015, "-1,5E-6"},
                      GeralCaso{1.0 / 3, "0,333333333333333"}));

TEST(Datas, UseTheDayMonthYearOrder)
{
    const QDateTime dt(QDate(2024, 3, 5), QTime(7, 8, 9));
    EXPECT_EQ(dataHoraLog(dt), QStringLiteral("05/03/2024 07:08:09"));
    EXPECT_EQ(dataCurta(dt.date()), QStringLiteral("05/03/2024"));
    EXPECT_EQ(dataHoraLog(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 58))), QStringLiteral("31/12/2024 23:59:58"));
}

}  // namespace
}  // namespace pluvexa

namespace pluvexa {
namespace {

struct DigitosCaso {
    double valor;
    bool negativo;
    const char* digitos;
    int expoente;
};

class Digitos : public ::testing::TestWithParam<DigitosCaso> {};

// The one conversion behind formata(double) and the numeric edit: 15
// significant digits, so binary noise beyond them never shows.
TEST_P(Digitos, FifteenSignificantDigitsWithoutSurroundingZeros)
{
    const DigitosCaso& c = GetParam();
    const DigitosDecimais d = digitosDecimais(c.valor);
    EXPECT_EQ(d.negativo, c.negativo);
    EXPECT_EQ(d.digitos, c.digitos);
    EXPECT_EQ(d.expoente, c.expoente);
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, Digitos,
    ::testing::Values(DigitosCaso{2.675, false, "2675", 1}, DigitosCaso{0.1 + 0.2, false, "3", 0},
                      DigitosCaso{-1500, true, "15", 4}, DigitosCaso{0.00012, false, "12", -3},
                      DigitosCaso{1e20, false, "1", 21}, DigitosCaso{123456789012345678.0, false, "123456789012346", 18},
                      DigitosCaso{0.0, false, "", 0}, DigitosCaso{-0.0, false, "", 0},
                      DigitosCaso{std::numeric_limits<double>::infinity(), false, "", 0},
                      DigitosCaso{std::numeric_limits<double>::quiet_NaN(), false, "", 0}));

}  // namespace
}  // namespace pluvexa
