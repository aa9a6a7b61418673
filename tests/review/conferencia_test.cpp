#include "review/conferencia.h"
#include "support/titulares.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

namespace pluvexa {
namespace {

using M = MotivoConferencia;

// A value and up to three history values in whole units, the limit, and the
// motive worked out by hand.
struct CasoRegra {
    const char* nome;
    long long valor;
    std::array<long long, 3> historico;
    int limite;
    std::optional<M> esperado;
};

ValoresTitular valores(const CasoRegra& c)
{
    ValoresTitular v;
    v.valor = c.valor;
    for (const long long h : c.historico) {
        if (h != 0) {
            v.somaHistorico += h;
            ++v.recargasHistorico;
        }
    }
    return v;
}

class Regras : public ::testing::TestWithParam<CasoRegra> {};

TEST_P(Regras, FlagTheValueOnlyBeyondItsBound)
{
    const CasoRegra& c = GetParam();
    EXPECT_EQ(motivoDe(valores(c), c.limite), c.esperado);
}

// One history value of 100,00 (10000 cents), P = 50: the bounds are 150,00
// and 50,00. Two values 1,00 and 2,00 (mean 1,50), P = 1: 1,515 and 1,485.
// Three credit values 10, 20, 30 (mean 20), P = 1000: 220 above, none below.
INSTANTIATE_TEST_SUITE_P(
    Conferencia, Regras,
    ::testing::Values(
        CasoRegra{"UmValorNoLimiteSuperior", 15000, {10000, 0, 0}, 50, std::nullopt},
        CasoRegra{"UmValorUmCentavoAcima", 15001, {10000, 0, 0}, 50, M::AcimaDoHabitual},
        CasoRegra{"UmValorNoLimiteInferior", 5000, {10000, 0, 0}, 50, std::nullopt},
        CasoRegra{"UmValorUmCentavoAbaixo", 4999, {10000, 0, 0}, 50, M::AbaixoDoHabitual},
        CasoRegra{"UmCentavoEhAbaixo", 1, {10000, 0, 0}, 50, M::AbaixoDoHabitual},
        CasoRegra{"ZeroComHistoricoEhSemRecarga", 0, {10000, 0, 0}, 50, M::SemRecarga},
        CasoRegra{"HistoricoNaUltimaPosicaoConta", 15001, {0, 0, 10000}, 50, M::AcimaDoHabitual},
        CasoRegra{"DoisValoresDentro", 151, {100, 200, 0}, 1, std::nullopt},
        CasoRegra{"DoisValoresAcima", 152, {100, 200, 0}, 1, M::AcimaDoHabitual},
        CasoRegra{"DoisValoresDentroEmBaixo", 149, {100, 200, 0}, 1, std::nullopt},
        CasoRegra{"DoisValoresAbaixo", 148, {100, 200, 0}, 1, M::AbaixoDoHabitual},
        CasoRegra{"TresValoresNoLimite", 220, {10, 20, 30}, 1000, std::nullopt},
        CasoRegra{"TresValoresAcima", 221, {10, 20, 30}, 1000, M::AcimaDoHabitual},
        CasoRegra{"LimiteAltoNuncaEhAbaixo", 1, {10, 20, 30}, 1000, std::nullopt},
        CasoRegra{"LimiteAltoZeroAindaEhSemRecarga", 0, {10, 20, 30}, 1000, M::SemRecarga},
        CasoRegra{"IgualAoHabitual", 20, {10, 20, 30}, 50, std::nullopt},
        CasoRegra{"SemHistoricoComValor", 1, {0, 0, 0}, 50, M::PrimeiraRecarga},
        CasoRegra{"SemHistoricoSemValor", 0, {0, 0, 0}, 50, M::SemValor}),
    [](const ::testing::TestParamInfo<CasoRegra>& info) { return std::string(info.param.nome); });

// A money card type (code 1, maximum 600,00) and a credit card type (code 3).
class ConferenciaDoModelo : public ::testing::Test {
protected:
    void SetUp() override
    {
        m.wTipoCartao[1] = {1, "DINHEIRO", Dinheiro, 0, 600};
        m.wTipoCartao[3] = {3, "CREDITOS", Creditos, 100, 500};
        titular(1, 1, 150.00, {100.00, 100.00, 0});   // 150 vs 100: on the bound
        titular(2, 1, 150.01, {100.00, 0, 0});        // above
        titular(3, 1, 0, {80.00, 0, 0});              // no recharge
        titular(4, 1, 25.00, {0, 0, 0});              // first
        titular(5, 3, 45, {20, 20, 20});              // credits, above
        titular(6, 3, 20, {20, 10, 30});              // usual
    }

    void titular(int usuario, int tipo, double valor, std::array<double, 3> historico)
    {
        test::acrescenta(m, test::titular(usuario, 0, "", "", tipo,
                                          {{1, 0, valor, historico[0], historico[1], historico[2]}}));
    }

    ModeloRecarga m;
};

TEST_F(ConferenciaDoModelo, FlagsTheHoldersInModelOrderWithTheirUsualValues)
{
    const Conferencia c = confere(m, 50);
    ASSERT_EQ(c.titulares.size(), 4u);
    EXPECT_EQ(m.wRecarga[std::size_t(c.titulares[0].indice)].Usuario, 2);
    EXPECT_EQ(c.titulares[0].motivo, M::AcimaDoHabitual);
    EXPECT_DOUBLE_EQ(c.titulares[0].habitual(), 10000);
    EXPECT_NEAR(*c.titulares[0].variacao(), 50.01, 1e-9);
    EXPECT_EQ(c.titulares[1].motivo, M::SemRecarga);
    EXPECT_EQ(c.titulares[2].motivo, M::PrimeiraRecarga);
    EXPECT_FALSE(c.titulares[2].variacao().has_value());
    EXPECT_EQ(c.titulares[3].motivo, M::AcimaDoHabitual);
    EXPECT_TRUE(c.titulares[3].creditos);
    EXPECT_EQ(c.titulares[3].valores.valor, 45);
    EXPECT_EQ(c.quantos(M::AcimaDoHabitual), 2);
}

TEST_F(ConferenciaDoModelo, SumsEachCardTypeNowAndAtTheLastRecharge)
{
    const Conferencia c = confere(m);
    ASSERT_EQ(c.resumo.size(), 2u);
    const ResumoTipoCartao& dinheiro = c.resumo[0];
    EXPECT_EQ(dinheiro.tipo, 1);
    EXPECT_FALSE(dinheiro.creditos);
    EXPECT_EQ(dinheiro.titularesComValor, 3);
    EXPECT_EQ(dinheiro.totalAgora, 15000 + 15001 + 2500);
    EXPECT_EQ(dinheiro.totalUltimas, 10000 + 10000 + 8000);
    EXPECT_NEAR(*dinheiro.variacao(), (32501.0 - 28000.0) * 100 / 28000.0, 1e-9);
    const ResumoTipoCartao& creditos = c.resumo[1];
    EXPECT_EQ(creditos.tipo, 3);
    EXPECT_TRUE(creditos.creditos);
    EXPECT_EQ(creditos.titularesComValor, 2);
    EXPECT_EQ(creditos.totalAgora, 65);
    EXPECT_EQ(creditos.totalUltimas, 40);
}

// "Sem valor" needs every group the grid lists the holder by at 0, and a
// tariff that lists it at all.
TEST_F(ConferenciaDoModelo, WithoutValueOnlyWhenNoListedGroupHoldsOne)
{
    titular(7, 3, 0, {0, 0, 0});   // credits, tariff 1 only: without value
    titular(8, 3, 0, {0, 0, 0});   // credits, a value in group 2 (tariff 2)
    m.wRecarga[7].Grupo[1] = {2, 0, 12};
    titular(9, 3, 0, {0, 0, 0});   // credits, group 2 holds a value but no tariff lists it
    m.wRecarga[8].Grupo[0].Tarifa = 0;
    m.wRecarga[8].Grupo[1] = {0, 0, 12};
    titular(10, 1, 0, {0, 0, 0});  // money listed under tariff 0 ("00")
    m.wRecarga[9].Grupo[0].Tarifa = 0;
    const Conferencia c = confere(m);
    std::vector<int> semValor;
    for (const TitularConferido& t : c.titulares)
        if (t.motivo == M::SemValor)
            semValor.push_back(m.wRecarga[std::size_t(t.indice)].Usuario);
    EXPECT_EQ(semValor, (std::vector<int>{7, 10}));
    EXPECT_EQ(c.quantos(M::SemValor), 2);
    EXPECT_EQ(textoMotivo(M::SemValor), QStringLiteral("Sem valor"));
}

TEST_F(ConferenciaDoModelo, OnlyTheHoldersOfTheFileCount)
{
    m.wRecarga[std::size_t(m.QtdRecarga)].Grupo[0].Valor = 999;  // beyond the file's holders
    EXPECT_EQ(confere(m).titulares.size(), 4u);
}

TEST(UnidadesComoTexto, MoneyWithADecimalCommaAndCreditsWhole)
{
    EXPECT_EQ(unidadesComoTexto(123450, false), QStringLiteral("1234,50"));
    EXPECT_EQ(unidadesComoTexto(5, false), QStringLiteral("0,05"));
    EXPECT_EQ(unidadesComoTexto(0, false), QStringLiteral("0,00"));
    EXPECT_EQ(unidadesComoTexto(12, true), QStringLiteral("12"));
    EXPECT_EQ(emUnidades(150.01, false), 15001);
    EXPECT_EQ(emUnidades(0.29, false), 29);  // 28.999... in binary
}

}  // namespace
}  // namespace pluvexa
