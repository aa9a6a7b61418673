#include "review/perguntageracao.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace pluvexa {
namespace {

using M = MotivoConferencia;

struct CasoPergunta {
    const char* nome;
    RiscosGeracao riscos;
    const char* texto;  // UTF-8; empty when no question is asked
};

class Pergunta : public ::testing::TestWithParam<CasoPergunta> {};

TEST_P(Pergunta, NamesOnlyTheCountsThatAreNotZero)
{
    const CasoPergunta& c = GetParam();
    EXPECT_EQ(perguntaAntesDeGerar(c.riscos), QString::fromUtf8(c.texto));
    EXPECT_EQ(c.riscos.algum(), *c.texto != '\0');
}

INSTANTIATE_TEST_SUITE_P(
    Geracao, Pergunta,
    ::testing::Values(
        CasoPergunta{"Nenhum", {0, 0, 0, 0}, ""},
        CasoPergunta{"Todos", {3, 2, 4, 5},
                     "3 titulares sem valor, 2 acima do habitual, 4 abaixo do habitual, 5 primeira recarga. "
                     "Conferir antes de gerar?"},
        CasoPergunta{"UmTitularNoSingular", {1, 0, 0, 0}, "1 titular sem valor. Conferir antes de gerar?"},
        CasoPergunta{"SingularSoNoPrimeiro", {1, 1, 0, 1},
                     "1 titular sem valor, 1 acima do habitual, 1 primeira recarga. Conferir antes de gerar?"},
        CasoPergunta{"SemOsSemValor", {0, 2, 0, 0}, "2 titulares acima do habitual. Conferir antes de gerar?"},
        CasoPergunta{"SoAbaixo", {0, 0, 1, 0}, "1 titular abaixo do habitual. Conferir antes de gerar?"},
        CasoPergunta{"PrimeiraESemValor", {10000, 0, 0, 7},
                     "10000 titulares sem valor, 7 primeira recarga. Conferir antes de gerar?"}),
    [](const ::testing::TestParamInfo<CasoPergunta>& info) { return std::string(info.param.nome); });

// A review made of the given motives, in that order.
Conferencia feitaDe(const std::vector<M>& motivos)
{
    Conferencia c;
    int i = 0;
    for (const M m : motivos)
        c.titulares.push_back({i++, false, {}, m});
    return c;
}

struct CasoContagem {
    const char* nome;
    std::vector<M> motivos;
    RiscosGeracao esperado;
    std::optional<M> primeiro;
};

class Contagem : public ::testing::TestWithParam<CasoContagem> {};

TEST_P(Contagem, WithoutValueCountsBothMotivesAndComesFirst)
{
    const CasoContagem& c = GetParam();
    const Conferencia conf = feitaDe(c.motivos);
    const RiscosGeracao r = contaRiscos(conf);
    EXPECT_EQ(r.semValor, c.esperado.semValor);
    EXPECT_EQ(r.acima, c.esperado.acima);
    EXPECT_EQ(r.abaixo, c.esperado.abaixo);
    EXPECT_EQ(r.primeira, c.esperado.primeira);
    EXPECT_EQ(primeiroMotivoContado(conf), c.primeiro);
}

INSTANTIATE_TEST_SUITE_P(
    Geracao, Contagem,
    ::testing::Values(
        CasoContagem{"Vazia", {}, {0, 0, 0, 0}, std::nullopt},
        CasoContagem{"SemValorESemRecargaSomam",
                     {M::AcimaDoHabitual, M::SemRecarga, M::SemValor, M::SemValor},
                     {3, 1, 0, 0},
                     M::SemValor},
        CasoContagem{"SemRecargaSozinho", {M::PrimeiraRecarga, M::SemRecarga}, {1, 0, 0, 1}, M::SemRecarga},
        CasoContagem{"AcimaAntesDeAbaixo", {M::AbaixoDoHabitual, M::AcimaDoHabitual}, {0, 1, 1, 0},
                     M::AcimaDoHabitual},
        CasoContagem{"AbaixoAntesDePrimeira", {M::PrimeiraRecarga, M::AbaixoDoHabitual}, {0, 0, 1, 1},
                     M::AbaixoDoHabitual},
        CasoContagem{"SoPrimeira", {M::PrimeiraRecarga}, {0, 0, 0, 1}, M::PrimeiraRecarga}),
    [](const ::testing::TestParamInfo<CasoContagem>& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace pluvexa
