#include "recharge/listagem.h"
#include "support/titulares.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using test::carrega;
using test::nome50;
using test::titular;

// Expected lines are laid out by column positions (1-based, inclusive), not
// by the format the composition uses, so a wrong width shows up.
void poe(std::string& s, int coluna, const std::string& v)
{
    if (s.size() < size_t(coluna - 1) + v.size())
        s.resize(size_t(coluna - 1) + v.size(), ' ');
    s.replace(size_t(coluna - 1), v.size(), v);
}

void poeDireita(std::string& s, int ultimaColuna, const std::string& v)
{
    poe(s, ultimaColuna - int(v.size()) + 1, v);
}

std::string detalhe(const std::string& usuario, const std::string& cartao, const std::string& matricula,
                    const std::string& nome, const std::string& tipo, const std::string& tarifa,
                    const std::string& valor, const std::string& total)
{
    std::string s(147, ' ');
    poe(s, 1, usuario);
    poe(s, 18, cartao);
    poe(s, 35, matricula);
    poe(s, 56, nome50(nome));
    poe(s, 107, tipo);
    poeDireita(s, 115, tarifa);
    poeDireita(s, 131, valor);
    poeDireita(s, 147, total);
    return s;
}

std::string secao(const std::string& tipo, const std::string& descricao, bool creditos)
{
    std::string s = "Tipo Cart\xE3o : " + tipo + std::string(2 - tipo.size(), ' ') + " - "
                    + nome50(descricao) + std::string(21, ' ') + "Tipo : ";
    const std::string modalidade = creditos ? "Cr\xE9" "dito" : "Unidade Tarif\xE1" "ria";
    return s + modalidade + std::string(16 - std::min<size_t>(16, modalidade.size()), ' ');
}

std::string subTotal(const std::string& valores, const std::string& dinheiro)
{
    std::string s = "Sub-Total :";
    poeDireita(s, 131, valores);
    poe(s, 142, dinheiro + std::string(15 - dinheiro.size(), ' '));
    return s;
}

std::string totalGeral(const std::string& dinheiro)
{
    std::string s = "Total Geral :";
    poe(s, 142, dinheiro + std::string(30 - dinheiro.size(), ' '));
    return s;
}

// A money card type 1, a credit card type 2 at 50 % of the fare, and three
// tariffs.
ModeloRecarga modeloBase()
{
    ModeloRecarga m;
    m.wTipoCartao[1] = {1, nome50("ESCOLAR"), Dinheiro, 100, 500};
    m.wTipoCartao[2] = {2, nome50("COMUM"), Creditos, 50, 500};
    m.wTipoCartao[3] = {3, nome50("INTEGRAL"), Creditos, 100, 50000};
    m.wTarifa[1] = {1, "PASSE     ", 4.40, 0};
    m.wTarifa[2] = {2, "METRO     ", 2.25, 0};
    m.wTarifa[3] = {3, "ONIBUS    ", 5.00, 0};
    return m;
}

struct CasoListagem {
    const char* nome;
    std::function<void(ModeloRecarga&)> monta;
    std::vector<std::string> esperado;
};

class Listagem : public ::testing::TestWithParam<CasoListagem> {};

TEST_P(Listagem, ComposesTheHandWorkedLines)
{
    ModeloRecarga m = modeloBase();
    GetParam().monta(m);
    const int ultima = preparaListagem(m);
    const std::vector<Texto> linhas = compoeLinhas(m, ultima);
    EXPECT_EQ(linhas, GetParam().esperado);
    // The composition reads the table only: a second preparation of the
    // report prints the same lines.
    EXPECT_EQ(compoeLinhas(m, ultima), linhas);
}

const std::string kVazia;

INSTANTIATE_TEST_SUITE_P(
    Tabela, Listagem,
    ::testing::Values(
        CasoListagem{
            "MoneySectionThenCreditSectionEachWithItsOwnSubTotal",
            [](ModeloRecarga& m) {
                carrega(m, {titular(20, 2000, "ANA", "M20", 1, {{1, 1, 10.0}, {2, 1, 5.5}}),
                            titular(7, 700, "BIA", "M7", 2, {{1, 3, 3}})});
            },
            {secao("1", "ESCOLAR", false), kVazia,
             detalhe("20", "2000", "M20", "ANA", "1", " - ", "10,00", "10,00"),
             detalhe("20", "2000", "M20", "ANA", "1", " - ", "5,50", "5,50"), kVazia,
             subTotal("15,50", "15,50"), kVazia, secao("2", "COMUM", true), kVazia,
             // 4,40 x 50 % = 2,20 a credit.
             detalhe("7", "700", "M7", "BIA", "2", "4,40", "3", "6,60"), kVazia,
             subTotal("3", "6,60"), kVazia, totalGeral("22,10"), kVazia}},
        CasoListagem{
            "GroupOneAlwaysListedOtherGroupsNeedTariffCmmAndValue",
            [](ModeloRecarga& m) {
                carrega(m, {titular(1, 11, "CAIO", "M1", 1,
                                    {{1, 1, 0}, {0, 1, 5}, {2, 0, 6}, {3, 1, 0}}),
                            titular(2, 22, "DORA", "M2", 1, {{0, 0, 0}, {3, 2, 7}})});
            },
            {secao("1", "ESCOLAR", false), kVazia,
             detalhe("2", "22", "M2", "DORA", "1", " - ", "0,00", "0,00"),
             detalhe("1", "11", "M1", "CAIO", "1", " - ", "0,00", "0,00"),
             detalhe("2", "22", "M2", "DORA", "1", " - ", "7,00", "7,00"), kVazia,
             subTotal("7,00", "7,00"), kVazia, totalGeral("7,00"), kVazia}},
        CasoListagem{
            "OneCardTypeOverSeveralTariffsIsOneSectionInKeyOrder",
            [](ModeloRecarga& m) {
                carrega(m, {titular(100, 2, "EVA", "M100", 1, {{2, 1, 1}}),
                            titular(10, 1, "FABIO", "M10", 1, {{1, 1, 2}}),
                            titular(9, 2, "GIL", "M9", 1, {{2, 1, 3}}),
                            titular(9, 1, "HELO", "M9", 1, {{2, 1, 4}}),
                            // Same key twice: group 1 stays before group 2.
                            titular(5, 5, "IVO", "M5", 1, {{1, 1, 5}, {1, 1, 6}})});
            },
            {secao("1", "ESCOLAR", false), kVazia,
             detalhe("5", "5", "M5", "IVO", "1", " - ", "5,00", "5,00"),
             detalhe("5", "5", "M5", "IVO", "1", " - ", "6,00", "6,00"),
             detalhe("10", "1", "M10", "FABIO", "1", " - ", "2,00", "2,00"),
             detalhe("9", "1", "M9", "HELO", "1", " - ", "4,00", "4,00"),
             detalhe("9", "2", "M9", "GIL", "1", " - ", "3,00", "3,00"),
             detalhe("100", "2", "M100", "EVA", "1", " - ", "1,00", "1,00"), kVazia,
             subTotal("21,00", "21,00"), kVazia, totalGeral("21,00"), kVazia}},
        CasoListagem{
            // 2,25 x 50 % = 1,125 a credit, unrounded in mode 0: each line
            // shows 1,13, yet the sum is 3,375 and shows 3,38, not 3,39.
            "TotalsSumUnroundedAmounts",
            [](ModeloRecarga& m) {
                carrega(m, {titular(1, 1, "JOAO", "M1", 2, {{2, 1, 1}}),
                            titular(2, 2, "LIA", "M2", 2, {{2, 1, 1}}),
                            titular(3, 3, "MAU", "M3", 2, {{2, 1, 1}})});
            },
            {secao("2", "COMUM", true), kVazia,
             detalhe("1", "1", "M1", "JOAO", "2", "2,25", "1", "1,13"),
             detalhe("2", "2", "M2", "LIA", "2", "2,25", "1", "1,13"),
             detalhe("3", "3", "M3", "MAU", "2", "2,25", "1", "1,13"), kVazia,
             subTotal("3", "3,38"), kVazia, totalGeral("3,38"), kVazia}},
        CasoListagem{
            // Mode 1 rounds the unit price up first: 1,13 a credit.
            "UnitPriceRoundedByTheFilesMode",
            [](ModeloRecarga& m) {
                m.ModoArredondamento = 1;
                carrega(m, {titular(1, 1, "JOAO", "M1", 2, {{2, 1, 3}})});
            },
            {secao("2", "COMUM", true), kVazia,
             detalhe("1", "1", "M1", "JOAO", "2", "2,25", "3", "3,39"), kVazia,
             subTotal("3", "3,39"), kVazia, totalGeral("3,39"), kVazia}},
        CasoListagem{"EmptyModelGivesTheZeroBlock", [](ModeloRecarga&) {},
                     {kVazia, subTotal("0,00", "0,00"), kVazia, totalGeral("0,00"), kVazia}},
        CasoListagem{
            "LargeValuesGroupThousands",
            [](ModeloRecarga& m) {
                m.wTarifa[4] = {4, "EXPRESSO  ", 123.45, 0};
                carrega(m, {titular(1234567890, 2000000000, "NINA", "M1234567890", 1, {{1, 1, 1234567.89}}),
                            titular(3, 3, "OTO", "M3", 3, {{4, 1, 12345}})});
            },
            {secao("1", "ESCOLAR", false), kVazia,
             detalhe("1234567890", "2000000000", "M1234567890", "NINA", "1", " - ", "1.234.567,89",
                     "1.234.567,89"),
             kVazia, subTotal("1.234.567,89", "1.234.567,89"), kVazia, secao("3", "INTEGRAL", true),
             kVazia,
             // 12.345 credits at 123,45 each.
             detalhe("3", "3", "M3", "OTO", "3", "123,45", "12.345", "1.523.990,25"), kVazia,
             subTotal("12.345", "1.523.990,25"), kVazia, totalGeral("2.758.558,14"), kVazia}}),
    [](const ::testing::TestParamInfo<CasoListagem>& i) { return std::string(i.param.nome); });

TEST(Listagem, TableIsClearedAndRefilledOnEveryPreparation)
{
    ModeloRecarga m = modeloBase();
    carrega(m, {titular(2, 2, "A", "M2", 1, {{1, 1, 1}, {2, 1, 2}}),
                titular(1, 1, "B", "M1", 1, {{1, 1, 3}})});
    EXPECT_EQ(preparaListagem(m), 2);
    EXPECT_EQ(m.woRecarga.size(), size_t(kListagem));
    EXPECT_EQ(m.woRecarga[0].Usuario, 1);
    EXPECT_EQ(m.woRecarga[2].Tarifa, 2);

    m.QtdRecarga = 1;
    m.wRecarga[0].Grupo[1] = {};
    EXPECT_EQ(preparaListagem(m), 0);
    // Nothing of the longer listing is left behind.
    EXPECT_EQ(m.woRecarga[1].Usuario, 0);
    EXPECT_TRUE(m.woRecarga[2].Nome.empty());

    m.QtdRecarga = 0;
    EXPECT_EQ(preparaListagem(m), -1);
}

TEST(Listagem, KeyPadsNumbersAndKeepsLongerOnes)
{
    ORecarga e;
    e.TipoCartao = 3;
    e.Tarifa = 14;
    e.Usuario = 42;
    e.Cartao = 2147483647;
    EXPECT_EQ(chaveListagem(e), "031400000000042" "02147483647");
    e.TipoCartao = 123;
    e.Usuario = -5;
    EXPECT_EQ(chaveListagem(e).substr(0, 16), "12314-0000000000");
}

}  // namespace
}  // namespace pluvexa
