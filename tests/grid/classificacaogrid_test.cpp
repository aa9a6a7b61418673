#include "gridfixture.h"

#include "grid/classificacaogrid.h"
#include "grid/preenchegrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

namespace pluvexa {
namespace {

using namespace teste;

class Sort : public ::testing::Test {
protected:
    std::unique_ptr<ModeloRecarga> m = novoModelo();
    TabelaGridMemoria grid;
    SelecaoGrid sel;
    IndiceLinhas indice;
    Gravador gravador;

    void preenche(int tipo = kTipoDinheiro, int tarifa = 3)
    {
        PreencheGrid(grid, *m, sel, entrada(tipo), entrada(tarifa), {}, &indice);
    }
    ResultadoClassificacao classifica(Classificacao c)
    {
        return ClassificaGrid(grid, *m, sel, c, gravador.avisos(), &indice);
    }
    QStringList coluna(int c) const
    {
        QStringList out;
        for (int r = 1; r < grid.rowCount(); ++r)
            out << grid.cell(c, r).trimmed();
        return out;
    }
};

TEST_F(Sort, ByCodeIsNumericThenByCard)
{
    carrega(*m, {
        titular(10, 5, "A", "", kTipoDinheiro, {{3}}),
        titular(9, 5, "B", "", kTipoDinheiro, {{3}}),
        titular(100, 5, "C", "", kTipoDinheiro, {{3}}),
        titular(10, 2, "D", "", kTipoDinheiro, {{3}}),
    });
    preenche();
    ASSERT_FALSE(classifica(Classificacao::Codigo).erro);
    EXPECT_EQ(coluna(0), (QStringList{"9", "10", "10", "100"}));
    EXPECT_EQ(coluna(1), (QStringList{"5", "2", "5", "5"}));
    EXPECT_EQ(indice.titulares(), (std::vector<int>{-1, 1, 3, 0, 2}));
    EXPECT_EQ(indice.linha(2), 4);
}

TEST_F(Sort, ByNameInCodePageByteOrder)
{
    carrega(*m, {
        titular(1, 1, "ana", "", kTipoDinheiro, {{3}}),
        titular(2, 9, "ANA MARIA", "", kTipoDinheiro, {{3}}),
        titular(3, 1, "\xC1LVARO", "", kTipoDinheiro, {{3}}),   // Á in Windows-1252
        titular(4, 5, "ANA", "", kTipoDinheiro, {{3}}),
        titular(5, 7, "BETO", "", kTipoDinheiro, {{3}}),
        titular(6, 3, "ANA", "", kTipoDinheiro, {{3}}),
    });
    preenche();
    ASSERT_FALSE(classifica(Classificacao::Alfabetica).erro);
    EXPECT_EQ(coluna(3), (QStringList{"ANA", "ANA", "ANA MARIA", "BETO", "ana", "ÁLVARO"}));
    EXPECT_EQ(coluna(0), (QStringList{"6", "4", "2", "5", "1", "3"}));
}

TEST_F(Sort, ByRegistrationAsText)
{
    carrega(*m, {
        titular(1, 1, "A", "20", kTipoDinheiro, {{3}}),
        titular(2, 1, "B", "100", kTipoDinheiro, {{3}}),
        titular(3, 1, "C", "", kTipoDinheiro, {{3}}),
        titular(4, 1, "D", "2", kTipoDinheiro, {{3}}),
    });
    preenche();
    ASSERT_FALSE(classifica(Classificacao::Matricula).erro);
    // The card number follows the registration in the key without a
    // separator, so "20" + "00000000001" sorts before "2" + "00000000001".
    EXPECT_EQ(coluna(2), (QStringList{"", "100", "20", "2"}));
}

TEST_F(Sort, EqualKeysKeepTheirOrder)
{
    carrega(*m, {
        titular(3, 1, "X", "", kTipoDinheiro, {{3, 0, 3}}),
        titular(1, 1, "X", "", kTipoDinheiro, {{3, 0, 1}}),
        titular(2, 1, "X", "", kTipoDinheiro, {{3, 0, 2}}),
    });
    preenche();
    ASSERT_FALSE(classifica(Classificacao::Alfabetica).erro);
    EXPECT_EQ(coluna(0), (QStringList{"3", "1", "2"}));
}

TEST_F(Sort, RowsCarryTheirHistoryAndUnconfirmedValues)
{
    carrega(*m, {
        titular(2, 2, "B", "", kTipoDinheiro, {{3, 20, 0, 2.1, 2.2, 2.3}}),
        titular(1, 1, "A", "", kTipoDinheiro, {{3, 10, 0, 1.1, 1.2, 1.3}}),
    });
    preenche();
    grid.setCell(5, 1, " 7,5");   // typed, not yet confirmed
    const ResultadoClassificacao res = classifica(Classificacao::Codigo);
    ASSERT_FALSE(res.erro);
    EXPECT_EQ(linha(grid, 1).mid(4), (QStringList{"10", "0,00", "1,10", "1,20", "1,30"}));
    EXPECT_EQ(linha(grid, 2).mid(4), (QStringList{"20", "7,50", "2,10", "2,20", "2,30"}));
    EXPECT_EQ(m->wRecarga[0].Grupo[0].Valor, 7.5);
    EXPECT_EQ(res.atualizacao.totaisGerais.lblgervlrdig, "7,50");
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.cell(0, 0), "Usuário");
    EXPECT_EQ(grid.cell(6, 0), "Vlr.Última Rec");
    EXPECT_EQ(gravador.eventos.first(), "status:Classificando Grid. Aguarde!!!");
    EXPECT_EQ(gravador.eventos.mid(gravador.eventos.size() - 2),
              (QStringList{"status:Grid Classificado", "mensagens"}));
    EXPECT_TRUE(gravador.eventos.contains("valorPadrao:2"));
}

TEST_F(Sort, NumbersAreWrittenAnewFromWhatWasRead)
{
    carrega(*m, {titular(2, 2, "B", "", kTipoDinheiro, {{3}}), titular(1, 1, "A", "", kTipoDinheiro, {{3}})});
    preenche();
    grid.setCell(4, 1, "007");
    grid.setCell(4, 2, " -0 ");
    grid.setCell(0, 1, "+2");
    ASSERT_FALSE(classifica(Classificacao::Codigo).erro);
    EXPECT_EQ(linha(grid, 1, 4), (QStringList{"1", "1", "", QString::fromStdString(nome50("A")), "0"}));
    EXPECT_EQ(linha(grid, 2, 4), (QStringList{"2", "2", "", QString::fromStdString(nome50("B")), "7"}));
}

TEST_F(Sort, CreditGridKeepsItsWideHeaders)
{
    carrega(*m, {
        titular(2, 2, "B", "", kTipoCreditos, {{3, 0, 4}}),
        titular(1, 1, "A", "", kTipoCreditos, {{3, 0, 6}}),
    });
    preenche(kTipoCreditos, 3);
    grid.setColumnWidth(0, 10);
    ASSERT_FALSE(classifica(Classificacao::Codigo).erro);
    EXPECT_EQ(grid.columnCount(), 18);
    EXPECT_EQ(grid.columnWidth(0), 65);
    EXPECT_EQ(grid.cell(17, 0), "Vlr.Antipenúltima Rec Grupo4");
    EXPECT_EQ(coluna(5), (QStringList{"6", "4"}));
    EXPECT_EQ(sel.FormatoValor, "##0");
}

TEST_F(Sort, OneRowStaysPut)
{
    carrega(*m, {titular(1, 1, "A", "", kTipoDinheiro, {{3, 4, 2}})});
    preenche();
    const auto antes = todasAsCelulas(grid);
    ASSERT_FALSE(classifica(Classificacao::Alfabetica).erro);
    EXPECT_EQ(todasAsCelulas(grid), antes);
}

TEST_F(Sort, EmptySelectionFailsAndLeavesTheGridAsItWas)
{
    carrega(*m, {titular(1, 1, "A", "", kTipoDinheiro, {{3}})});
    preenche(kTipoDinheiro, 4);
    const auto antes = todasAsCelulas(grid);
    const ResultadoClassificacao res = classifica(Classificacao::Codigo);
    ASSERT_TRUE(res.erro);
    EXPECT_EQ(*res.erro, "'' is not a valid integer value");
    EXPECT_EQ(todasAsCelulas(grid), antes);
    EXPECT_FALSE(gravador.eventos.contains("status:Grid Classificado"));
}

TEST_F(Sort, WriteBackFailureStopsBeforeAnyRowMoves)
{
    carrega(*m, {
        titular(2, 2, "B", "", kTipoDinheiro, {{3, 0, 1}}),
        titular(1, 1, "A", "", kTipoDinheiro, {{3, 0, 1}}),
    });
    preenche();
    grid.setCell(5, 2, "1;5");
    const auto antes = todasAsCelulas(grid);
    const ResultadoClassificacao res = classifica(Classificacao::Codigo);
    ASSERT_TRUE(res.erro);
    EXPECT_EQ(*res.erro, "'1;5' is not a valid floating point value");
    EXPECT_EQ(todasAsCelulas(grid), antes);
}

// The ordering exactly as its rule reads: passes of adjacent exchanges
// while the left key is greater, keys compared as unsigned bytes.
std::vector<int> referencia(std::vector<ORecarga> e, Classificacao ordem)
{
    std::vector<int> pos(e.size());
    for (size_t i = 0; i < e.size(); ++i)
        pos[i] = int(i);
    auto maior = [&](const ORecarga& a, const ORecarga& b) {
        const std::string x = chaveClassificacao(a, ordem), y = chaveClassificacao(b, ordem);
        return std::lexicographical_compare(y.begin(), y.end(), x.begin(), x.end(),
                                            [](char p, char q) { return (unsigned char)p < (unsigned char)q; });
    };
    for (bool troca = true; troca;) {
        troca = false;
        for (size_t i = 0; i + 1 < e.size(); ++i)
            if (maior(e[i], e[i + 1])) {
                std::swap(e[i], e[i + 1]);
                std::swap(pos[i], pos[i + 1]);
                troca = true;
            }
    }
    return pos;
}

class SortCrossCheck : public ::testing::TestWithParam<std::tuple<unsigned, int>> {};

TEST_P(SortCrossCheck, SameOrderAsTheExchangeSort)
{
    const auto [semente, ordem] = GetParam();
    std::mt19937 rnd(semente);
    auto pick = [&](int n) { return int(rnd() % unsigned(n)); };
    const std::vector<std::string> partes{"ANA", "ANA MARIA", "ana", "\xC1LVARO", "BETO", "B", "", "10", "2", "ANAB"};
    auto m = novoModelo();
    std::vector<Recarga> hs;
    for (int i = 0; i < 150; ++i)
        hs.push_back(titular(pick(2) ? pick(30) : pick(2000000000), pick(6), partes[size_t(pick(10))],
                             partes[size_t(pick(10))] + partes[size_t(pick(10))], kTipoDinheiro, {{3, i}}));
    carrega(*m, hs);
    TabelaGridMemoria grid;
    SelecaoGrid sel;
    IndiceLinhas indice;
    PreencheGrid(grid, *m, sel, entrada(kTipoDinheiro), entrada(3), {}, &indice);

    std::vector<ORecarga> e;
    for (const Recarga& h : hs)
        e.push_back({h.Usuario, h.Cartao, h.Nome, h.Matricula, kTipoDinheiro, 3, 0, 0});
    const std::vector<int> esperado = referencia(e, Classificacao(ordem));

    ASSERT_FALSE(ClassificaGrid(grid, *m, sel, Classificacao(ordem), {}, &indice).erro);
    std::vector<int> obtido;
    for (int r = 1; r < grid.rowCount(); ++r) {
        obtido.push_back(grid.cell(4, r).toInt());   // CMM carries the holder's number
        EXPECT_EQ(indice.titular(r), obtido.back());
    }
    EXPECT_EQ(obtido, esperado);
}

INSTANTIATE_TEST_SUITE_P(Sementes, SortCrossCheck,
                         ::testing::Combine(::testing::Range(1u, 6u), ::testing::Values(0, 1, 2)));

TEST(ChaveClassificacao, FieldsPaddedAndConcatenated)
{
    ORecarga e;
    e.TipoCartao = 2;
    e.Tarifa = 3;
    e.Usuario = 42;
    e.Cartao = 7;
    e.Nome = "ANA ";
    e.Matricula = "M9";
    EXPECT_EQ(chaveClassificacao(e, Classificacao::Codigo), "02030000000004200000000007");
    EXPECT_EQ(chaveClassificacao(e, Classificacao::Alfabetica), "0203ANA 00000000007");
    EXPECT_EQ(chaveClassificacao(e, Classificacao::Matricula), "0203M900000000007");
    e.Usuario = 123456789;
    e.Cartao = -5;
    EXPECT_EQ(chaveClassificacao(e, Classificacao::Codigo), "020300123456789-00000000005");
}

}  // namespace
}  // namespace pluvexa
