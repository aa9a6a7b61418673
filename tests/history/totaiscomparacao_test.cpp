#include "history/core/totaiscomparacao.h"

#include <gtest/gtest.h>

namespace pluvexa {
namespace {

struct CasoTexto {
    std::optional<double> valor;
    bool creditos;
    const char* texto;
};

TEST(TotaisComparacao, EveryValueCarriesItsUnit)
{
    const CasoTexto casos[] = {
        {1234.5, false, "R$ 1.234,50"},  {0.0, false, "R$ 0,00"},       {-2.0, false, "-R$ 2,00"},
        {-0.001, false, "R$ 0,00"},      {12.0, true, "12 créditos"},   {-3.0, true, "-3 créditos"},
        {1500.0, true, "1.500 créditos"}, {std::nullopt, false, ""},     {std::nullopt, true, ""},
    };
    for (const CasoTexto& c : casos)
        EXPECT_EQ(textoComUnidade(c.valor, c.creditos), QString::fromUtf8(c.texto)) << c.texto;
}

LinhaComparacao linha(bool creditos, std::optional<double> a, std::optional<double> b)
{
    LinhaComparacao l;
    l.creditos = creditos;
    l.valorA = a;
    l.valorB = b;
    return l;
}

TEST(TotaisComparacao, MoneyAndCreditsAreTotalledApartInWholeCents)
{
    // 0,10 added ten times is 1,00 exactly, and a holder missing from one
    // batch counts as 0 there.
    std::vector<LinhaComparacao> linhas(10, linha(false, 0.1, 0.2));
    linhas.push_back(linha(true, 30, std::nullopt));
    linhas.push_back(linha(false, std::nullopt, 5.55));
    linhas.push_back(linha(true, 10, 25));
    std::vector<const LinhaComparacao*> todas;
    for (const LinhaComparacao& l : linhas)
        todas.push_back(&l);

    const std::vector<TotalComparacao> t = totalizaComparacao(todas);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_FALSE(t[0].creditos);
    EXPECT_EQ(t[0].titulares, 11);
    EXPECT_EQ(t[0].somaA, 100);
    EXPECT_EQ(t[0].somaB, 755);
    EXPECT_EQ(textoComUnidade(t[0].diferenca(), false), QStringLiteral("R$ 6,55"));
    EXPECT_EQ(rotuloTotal(t[0]), QStringLiteral("Total em R$ (11 titulares)"));
    EXPECT_TRUE(t[1].creditos);
    EXPECT_EQ(t[1].somaA, 40);
    EXPECT_EQ(t[1].somaB, 25);
    EXPECT_EQ(textoComUnidade(t[1].diferenca(), true), QStringLiteral("-15 créditos"));
    EXPECT_EQ(rotuloTotal(t[1]), QStringLiteral("Total em créditos (2 titulares)"));
}

TEST(TotaisComparacao, AUnitWithoutRowsIsLeftOut)
{
    const LinhaComparacao so = linha(true, 1, 2);
    const std::vector<TotalComparacao> t = totalizaComparacao({&so});
    ASSERT_EQ(t.size(), 1u);
    EXPECT_TRUE(t[0].creditos);
    EXPECT_EQ(rotuloTotal(t[0]), QStringLiteral("Total em créditos (1 titular)"));
    EXPECT_TRUE(totalizaComparacao({}).empty());
}

}  // namespace
}  // namespace pluvexa
