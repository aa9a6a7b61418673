#include "gridfixture.h"

#include "grid/preenchegrid.h"
#include "grid/validavalor.h"

#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using namespace teste;

struct CasoValor {
    int tipo;
    const char* digitado;
    ResultadoValor resultado;
    const char* celula;     // the cell afterwards
    const char* mensagem;
};

void PrintTo(const CasoValor& c, std::ostream* os) { *os << c.tipo << " '" << c.digitado << "'"; }

class ValidaValorCasos : public ::testing::TestWithParam<CasoValor> {};

TEST_P(ValidaValorCasos, ChecksNormalisesAndExplains)
{
    const CasoValor c = GetParam();
    auto m = novoModelo();
    carrega(*m, {titular(1, 1, "A", "", c.tipo, {{3}})});
    TabelaGridMemoria grid;
    SelecaoGrid sel;
    PreencheGrid(grid, *m, sel, entrada(c.tipo), entrada(3), {});
    grid.setCurrentRow(1);
    grid.setCell(5, 1, QString::fromUtf8(c.digitado));

    const ValidacaoValor v = ValidaValor(grid, *m, sel);
    EXPECT_EQ(v.resultado, c.resultado);
    EXPECT_EQ(grid.cell(5, 1), QString::fromUtf8(c.celula));
    EXPECT_EQ(v.mensagem, QString::fromUtf8(c.mensagem));
    EXPECT_EQ(v.armazenado, c.resultado == ResultadoValor::Ok);
}

// The review's list checks a value as the grid does and stores in group 1
// what the grid's cell would show.
TEST_P(ValidaValorCasos, OutsideTheGridTheSameChecksAndTheSameStoredValue)
{
    const CasoValor c = GetParam();
    auto m = novoModelo();
    carrega(*m, {titular(1, 1, "A", "", c.tipo, {{3}})});
    m->wRecarga[0].Grupo[0].Valor = 0;

    const ValidacaoValor v = ValidaValorGrupo1(*m, 0, QString::fromUtf8(c.digitado));
    EXPECT_EQ(v.resultado, c.resultado);
    EXPECT_EQ(v.mensagem, QString::fromUtf8(c.mensagem));
    EXPECT_EQ(v.armazenado, c.resultado == ResultadoValor::Ok);
    const double esperado = Moeda::deTexto(QString::fromUtf8(c.celula))->paraDouble();
    EXPECT_DOUBLE_EQ(m->wRecarga[0].Grupo[0].Valor, esperado);
}

TEST(ValidaValorGrupo1, AHolderOutsideTheFileIsRefused)
{
    auto m = novoModelo();
    carrega(*m, {titular(1, 1, "A", "", kTipoDinheiro, {{3}})});
    EXPECT_EQ(ValidaValorGrupo1(*m, 1, QStringLiteral("5")).resultado, ResultadoValor::Invalido);
    EXPECT_EQ(ValidaValorGrupo1(*m, -1, QStringLiteral("5")).resultado, ResultadoValor::Invalido);
}

constexpr const char* kInvalido = "Valor Inválido - Verifique!";

INSTANTIATE_TEST_SUITE_P(Casos, ValidaValorCasos, ::testing::Values(
    CasoValor{kTipoDinheiro, "12.5", ResultadoValor::Ok, "12,50", ""},
    CasoValor{kTipoDinheiro, " 7 ", ResultadoValor::Ok, "7,00", ""},
    CasoValor{kTipoDinheiro, "", ResultadoValor::Invalido, "0,00", kInvalido},
    CasoValor{kTipoCreditos, "", ResultadoValor::Invalido, "0", kInvalido},
    CasoValor{kTipoDinheiro, "12a", ResultadoValor::Invalido, "0,00", kInvalido},
    CasoValor{kTipoDinheiro, "-5,00", ResultadoValor::Invalido, "0,00", kInvalido},
    CasoValor{kTipoCreditos, "-1", ResultadoValor::Invalido, "0", kInvalido},
    CasoValor{kTipoDinheiro, "600,00", ResultadoValor::Ok, "600,00", ""},
    CasoValor{kTipoDinheiro, "600,01", ResultadoValor::AcimaDoMaximo, "0,00",
              "Valor Maior que o Permitido(R$600,00) - Verifique!"},
    CasoValor{kTipoDinheiro, "600.01", ResultadoValor::AcimaDoMaximo, "0,00",
              "Valor Maior que o Permitido(R$600,00) - Verifique!"},
    CasoValor{kTipoCreditos, "250", ResultadoValor::Ok, "250", ""},
    CasoValor{kTipoCreditos, "251", ResultadoValor::AcimaDoMaximo, "0",
              "Valor Maior que o Permitido(250) - Verifique!"},
    CasoValor{kTipoCreditos, "12,6", ResultadoValor::Ok, "13", ""}));

class ValorDigitado : public ::testing::Test {
protected:
    std::unique_ptr<ModeloRecarga> m = novoModelo();
    TabelaGridMemoria grid;
    SelecaoGrid sel;

    void preenche(int tipo, int tarifa) { PreencheGrid(grid, *m, sel, entrada(tipo), entrada(tarifa), {}); }
    ValidacaoValor digita(int linha, const QString& texto)
    {
        grid.setCurrentRow(linha);
        grid.setCell(5, linha, texto);
        return ValidaValor(grid, *m, sel);
    }
};

TEST_F(ValorDigitado, MaximumMessageGroupsThousandsAndCreditsShowDecimalsOnlyWhenPresent)
{
    m->wTipoCartao[kTipoDinheiro].ValorMaximo = 1234.5;
    m->wTipoCartao[kTipoCreditos].ValorMaximo = 12.5;
    carrega(*m, {titular(1, 1, "A", "", kTipoDinheiro, {{3}}), titular(2, 2, "B", "", kTipoCreditos, {{3}})});
    preenche(kTipoDinheiro, 3);
    EXPECT_EQ(digita(1, "2000").mensagem, "Valor Maior que o Permitido(R$1.234,50) - Verifique!");
    preenche(kTipoCreditos, 3);
    EXPECT_EQ(digita(1, "13").mensagem, "Valor Maior que o Permitido(12,5) - Verifique!");
}

TEST_F(ValorDigitado, StoredAtOnceInTheGroupOfTheSelectedTariffWhenTheRowLinesUp)
{
    carrega(*m, {titular(1, 1, "A", "M", kTipoCreditos, {{4}, {3}, {3}})});
    preenche(kTipoCreditos, 3);
    ASSERT_EQ(digita(1, "12,6").resultado, ResultadoValor::Ok);
    // What the cell shows, a whole number of credits, not what was typed.
    EXPECT_EQ(m->wRecarga[0].Grupo[1].Valor, 13);
    EXPECT_EQ(m->wRecarga[0].Grupo[2].Valor, 0);
}

TEST_F(ValorDigitado, NotStoredWhenTheRowShowsAnotherHolder)
{
    carrega(*m, {
        titular(1, 1, "A", "", kTipoOutro, {{3}}),      // row 1 shows holder 1, not 0
        titular(2, 2, "B", "", kTipoDinheiro, {{3}}),
        titular(3, 3, "C", "", kTipoDinheiro, {{3}}),
    });
    preenche(kTipoDinheiro, 3);
    const ValidacaoValor v = digita(1, "5");
    EXPECT_EQ(v.resultado, ResultadoValor::Ok);
    EXPECT_FALSE(v.armazenado);
    EXPECT_EQ(grid.cell(5, 1), "5,00");
    EXPECT_EQ(m->wRecarga[1].Grupo[0].Valor, 0);
    EXPECT_EQ(m->wRecarga[0].Grupo[0].Valor, 0);
}

TEST_F(ValorDigitado, WithTheRowIndexStoredAtOnceInTheHolderTheRowShows)
{
    carrega(*m, {
        titular(1, 1, "A", "", kTipoOutro, {{3}}),
        titular(2, 2, "B", "", kTipoDinheiro, {{3}}),
        titular(3, 3, "C", "", kTipoDinheiro, {{3}}),
    });
    IndiceLinhas indice;
    PreencheGrid(grid, *m, sel, entrada(kTipoDinheiro), entrada(3), {}, &indice);
    grid.setCurrentRow(2);
    grid.setCell(5, 2, QStringLiteral("5"));
    const ValidacaoValor v = ValidaValor(grid, *m, sel, &indice);
    EXPECT_TRUE(v.armazenado);
    EXPECT_EQ(m->wRecarga[2].Grupo[0].Valor, 5);
    EXPECT_EQ(m->wRecarga[1].Grupo[0].Valor, 0);

    // An index that no longer fits the row (its cells name another holder)
    // stores nothing: the full write-back goes by the cells.
    grid.setCell(0, 2, QStringLiteral("1"));
    grid.setCell(5, 2, QStringLiteral("6"));
    EXPECT_FALSE(ValidaValor(grid, *m, sel, &indice).armazenado);
    EXPECT_EQ(m->wRecarga[2].Grupo[0].Valor, 5);
}

TEST_F(ValorDigitado, RefusedValuesStoreNothingAndTheCellShowsThePreviousValue)
{
    carrega(*m, {titular(1, 1, "A", "", kTipoDinheiro, {{3, 0, 4}}), titular(2, 2, "B", "", kTipoDinheiro, {{3, 0, 2.5}})});
    preenche(kTipoDinheiro, 3);
    for (const char* refusado : {"700", "-1", "x"}) {
        SCOPED_TRACE(refusado);
        EXPECT_NE(digita(1, QString::fromLatin1(refusado)).resultado, ResultadoValor::Ok);
        EXPECT_EQ(grid.cell(5, 1), "4,00");
        EXPECT_EQ(m->wRecarga[0].Grupo[0].Valor, 4);
    }
    // Also in a row whose position is not its holder's (a sorted grid): the
    // holder is found by the row's key.
    TabelaGridMemoria ordenada(9, 1);
    acrescenta(ordenada, "2", "2", "", "9999");
    acrescenta(ordenada, "1", "1", "", "4,00");
    ordenada.setCurrentRow(1);
    EXPECT_EQ(ValidaValor(ordenada, *m, sel).resultado, ResultadoValor::AcimaDoMaximo);
    EXPECT_EQ(ordenada.cell(5, 1), "2,50");
    EXPECT_EQ(m->wRecarga[1].Grupo[0].Valor, 2.5);
}

TEST_F(ValorDigitado, HeaderRowIsNeverChecked)
{
    preenche(kTipoDinheiro, 3);
    grid.setCurrentRow(0);
    EXPECT_EQ(ValidaValor(grid, *m, sel).resultado, ResultadoValor::Ok);
    EXPECT_EQ(grid.cell(5, 0), "Valor");
}

// Holder 2 is a money holder listed by its group 2 under tariff 3; its
// group-1 tariff is 4.
class SomenteGrupo1 : public ValorDigitado {
protected:
    void SetUp() override
    {
        carrega(*m, {
            titular(1, 1, "A", "", kTipoDinheiro, {{3}}),
            titular(2, 2, "B", "", kTipoDinheiro, {{4, 0, 7}, {3}}),
            titular(3, 3, "C", "", kTipoCreditos, {{4}, {3}}),
        });
    }
};

TEST_F(SomenteGrupo1, MoneyRowOfALaterGroupRefusesAValueAndGoesBackToZero)
{
    preenche(kTipoDinheiro, 3);
    ASSERT_EQ(grid.cell(0, 2), "2");
    const ValidacaoValor v = digita(2, "5");
    EXPECT_EQ(v.resultado, ResultadoValor::SomenteGrupo1);
    EXPECT_EQ(v.mensagem, "Tipo de Cartão em valor: a recarga vai somente no grupo 1 (Tarifa 04) - Verifique!");
    EXPECT_EQ(grid.cell(5, 2), "0,00");
    EXPECT_FALSE(v.armazenado);
    EXPECT_EQ(m->wRecarga[1].Grupo[0].Valor, 7);
    EXPECT_EQ(m->wRecarga[1].Grupo[1].Valor, 0);
    // Zero is what the row holds anyway; the group-1 row takes values.
    EXPECT_EQ(digita(2, "0").resultado, ResultadoValor::Ok);
    EXPECT_EQ(digita(1, "5").resultado, ResultadoValor::Ok);
}

TEST_F(SomenteGrupo1, CreditRowOfALaterGroupTakesItsValue)
{
    preenche(kTipoCreditos, 3);
    ASSERT_EQ(grid.cell(0, 1), "3");
    EXPECT_EQ(digita(1, "5").resultado, ResultadoValor::Ok);
    EXPECT_EQ(grid.cell(5, 1), "5");
}

TEST_F(SomenteGrupo1, DefaultValueSkipsTheRowAndSaysHowManyWereSkipped)
{
    preenche(kTipoDinheiro, 3);
    const ResultadoValorPadrao r = AplicaValorPadrao(grid, *m, sel, "50,00");
    EXPECT_TRUE(r.aplicado);
    EXPECT_EQ(grid.cell(5, 1), "50,00");
    EXPECT_EQ(grid.cell(5, 2), "0,00");
    EXPECT_EQ(r.avisoPuladas, "1 linha(s) não receberam o valor: cartões em valor recebem somente no grupo 1.");

    preenche(kTipoCreditos, 3);
    EXPECT_TRUE(AplicaValorPadrao(grid, *m, sel, "5").avisoPuladas.isEmpty());
    EXPECT_EQ(grid.cell(5, 1), "5");
}

class ValorPadrao : public ValorDigitado {};

TEST_F(ValorPadrao, CopiedIntoEveryDataRowAndLogged)
{
    carrega(*m, {titular(1, 1, "A", "", kTipoDinheiro, {{3}}), titular(2, 2, "B", "", kTipoDinheiro, {{3}})});
    preenche(kTipoDinheiro, 3);
    const ResultadoValorPadrao r = AplicaValorPadrao(grid, *m, sel, " 50,00");
    EXPECT_TRUE(r.aplicado);
    EXPECT_EQ(r.linhaLog, "Inserido Valor Padrão - Tipo : 1 - Tarifa : 3 - Valor :  50,00");
    EXPECT_EQ(grid.cell(5, 0), "Valor");
    EXPECT_EQ(grid.cell(5, 1), "50,00");
    EXPECT_EQ(grid.cell(5, 2), "50,00");
    EXPECT_TRUE(r.avisoPuladas.isEmpty());
}

struct CasoPadrao {
    int tipo;
    const char* texto;
    const char* recusa;   // nullptr: accepted
};

class ValorPadraoCasos : public ::testing::TestWithParam<CasoPadrao> {};

TEST_P(ValorPadraoCasos, AboveTheMaximumOrNegativeIsRefusedAndNothingCopied)
{
    const CasoPadrao c = GetParam();
    auto m = novoModelo();
    carrega(*m, {titular(1, 1, "A", "", c.tipo, {{3, 0, 2}})});
    TabelaGridMemoria grid;
    SelecaoGrid sel;
    PreencheGrid(grid, *m, sel, entrada(c.tipo), entrada(3), {});
    const QString antes = grid.cell(5, 1);

    const std::optional<QString> aviso = VerificaValorPadrao(*m, sel, c.texto);
    const ResultadoValorPadrao r = AplicaValorPadrao(grid, *m, sel, c.texto);
    if (c.recusa) {
        EXPECT_EQ(aviso, QString::fromUtf8(c.recusa));
        EXPECT_FALSE(r.aplicado);
        EXPECT_EQ(r.mensagem, QString::fromUtf8(c.recusa));
        EXPECT_TRUE(r.linhaLog.isEmpty());
        EXPECT_EQ(grid.cell(5, 1), antes);
    } else {
        EXPECT_FALSE(aviso);
        EXPECT_TRUE(r.aplicado);
        EXPECT_EQ(grid.cell(5, 1), c.texto);
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, ValorPadraoCasos, ::testing::Values(
    CasoPadrao{kTipoDinheiro, "600,00", nullptr},
    CasoPadrao{kTipoDinheiro, "600,01", "Valor Maior para o Tipo de Cartão (600,00) - Verifique!"},
    CasoPadrao{kTipoDinheiro, "-1,00", "Valor Inválido - Verifique!"},
    CasoPadrao{kTipoCreditos, "-1", "Valor Inválido - Verifique!"},
    CasoPadrao{kTipoCreditos, "250", nullptr},
    CasoPadrao{kTipoCreditos, "251", "Valor Maior para o Tipo de Cartão (250) - Verifique!"},
    CasoPadrao{kTipoDinheiro, "abc", "Valor Inválido - Verifique!"}));

// A selection that lists no holder shows one blank row; leaving it (for
// "Gerar Arquivo", say) is no invalid value, while a value typed into it is
// still checked.
TEST(ValidaValorLinhaVazia, TheBlankRowOfAnEmptySelectionIsNoInvalidValue)
{
    auto m = novoModelo();
    carrega(*m, {titular(1, 1, "A", "", kTipoDinheiro, {{3}})});
    TabelaGridMemoria grid;
    SelecaoGrid sel;
    PreencheGrid(grid, *m, sel, entrada(kTipoDinheiro), entrada(5), {});
    ASSERT_EQ(grid.rowCount(), 2);
    ASSERT_TRUE(grid.cell(0, 1).isEmpty());
    grid.setCurrentRow(1);

    const ValidacaoValor vazia = ValidaValor(grid, *m, sel);
    EXPECT_EQ(vazia.resultado, ResultadoValor::Ok);
    EXPECT_TRUE(vazia.mensagem.isEmpty());
    EXPECT_FALSE(vazia.armazenado);

    grid.setCell(5, 1, QStringLiteral("12a"));
    EXPECT_EQ(ValidaValor(grid, *m, sel).resultado, ResultadoValor::Invalido);
}

}  // namespace
}  // namespace pluvexa
