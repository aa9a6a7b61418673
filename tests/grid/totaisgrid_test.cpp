#include "gridfixture.h"

#include "grid/totaisgrid.h"

#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using namespace teste;

// A grid whose value column holds the given texts, rows 1 on.
TabelaGridMemoria gradeDeValores(const QStringList& valores)
{
    TabelaGridMemoria g(9, 1 + int(valores.size()));
    for (int r = 0; r < valores.size(); ++r)
        g.setCell(5, r + 1, valores[r]);
    return g;
}

TEST(CalculaGrid, MoneyRowsAreSummed)
{
    auto m = novoModelo();
    const SelecaoGrid sel{kTipoDinheiro, 3, "##0.00"};
    const TotaisGrid t = CalculaGrid(gradeDeValores({"10,00", "2,50"}), *m, sel);
    EXPECT_EQ(t.lblvlrrecdig, "12,50");
    EXPECT_EQ(t.lblqtdrecdig, "0");
}

TEST(CalculaGrid, UnreadableCellsAndTheBlankRowAddNothing)
{
    auto m = novoModelo();
    const SelecaoGrid sel{kTipoDinheiro, 3, "##0.00"};
    EXPECT_EQ(CalculaGrid(gradeDeValores({"1.234,50", "abc", " 3,00 ", ""}), *m, sel).lblvlrrecdig, "3,00");
    const TotaisGrid vazio = CalculaGrid(gradeDeValores({""}), *m, sel);
    EXPECT_EQ(vazio.lblvlrrecdig, "0,00");
    EXPECT_EQ(vazio.lblqtdrecdig, "0");
}

TEST(CalculaGrid, ThousandsAreGrouped)
{
    auto m = novoModelo();
    const SelecaoGrid sel{kTipoDinheiro, 3, "##0.00"};
    EXPECT_EQ(CalculaGrid(gradeDeValores({"1234,5"}), *m, sel).lblvlrrecdig, "1.234,50");
}

struct CasoCreditos {
    double tarifa;
    int modo;
    double preco;
    const char* dinheiro;
};

class CalculaGridCreditos : public ::testing::TestWithParam<CasoCreditos> {};

TEST_P(CalculaGridCreditos, CreditsTimesRoundedUnitPrice)
{
    const CasoCreditos c = GetParam();
    auto m = novoModelo();
    m->wTarifa[3].Valor = c.tarifa;
    m->ModoArredondamento = c.modo;
    const SelecaoGrid sel{kTipoCreditos, 3, "##0"};
    EXPECT_DOUBLE_EQ(precoCredito(*m, kTipoCreditos, 3), c.preco);
    const TotaisGrid t = CalculaGrid(gradeDeValores({"10", "3"}), *m, sel);
    EXPECT_EQ(t.lblvlrrecdig, c.dinheiro);
    EXPECT_EQ(t.lblqtdrecdig, "13");
}

INSTANTIATE_TEST_SUITE_P(Arredondamento, CalculaGridCreditos, ::testing::Values(
    CasoCreditos{2.30, 0, 1.15, "14,95"},
    CasoCreditos{2.25, 1, 1.13, "14,69"},
    CasoCreditos{2.25, 2, 1.12, "14,56"}));

TEST(CalculaGrid, SelectionOutsideTheTablesReadsNoPrice)
{
    auto m = novoModelo();
    EXPECT_EQ(precoCredito(*m, 99, 3), 0);
    EXPECT_EQ(precoCredito(*m, kTipoCreditos, 15), 0);
    EXPECT_EQ(precoCredito(*m, -1, -1), 0);
    const SelecaoGrid sel{kTipoCreditos, 40, "##0"};
    const TotaisGrid t = CalculaGrid(gradeDeValores({"10"}), *m, sel);
    EXPECT_EQ(t.lblvlrrecdig, "0,00");
    EXPECT_EQ(t.lblqtdrecdig, "10");
}

}  // namespace
}  // namespace pluvexa
