#include "gridfixture.h"

#include "grid/preenchegrid.h"

#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using namespace teste;

class GridFill : public ::testing::Test {
protected:
    std::unique_ptr<ModeloRecarga> m = novoModelo();
    TabelaGridMemoria grid;
    SelecaoGrid sel;
    Gravador gravador;
    IndiceLinhas indice;

    ResultadoPreenchimento preenche(int tipo, int tarifa)
    {
        return PreencheGrid(grid, *m, sel, entrada(tipo), entrada(tarifa),
                            gravador.avisos(), &indice);
    }
};

TEST_F(GridFill, MoneyTypeListsItsHoldersInModelOrderOnConsecutiveRows)
{
    carrega(*m, {
        titular(10, 100, "ANA", "M1", kTipoDinheiro, {{3, 7, 12.5, 1, 2, 3.25}}),
        titular(11, 110, "BIA", "M2", kTipoCreditos, {{3, 1, 4}}),      // other type
        titular(12, 120, "CAIO", "", kTipoDinheiro, {{4, 1, 9}}),       // other tariff
        titular(13, 130, "DANI", "M4", kTipoDinheiro, {{3, 8, 0.1}}),
    });
    const ResultadoPreenchimento res = preenche(kTipoDinheiro, 3);

    EXPECT_EQ(sel.TipoCartaoSel, kTipoDinheiro);
    EXPECT_EQ(sel.TarifaSel, 3);
    EXPECT_EQ(sel.FormatoValor, "##0.00");
    EXPECT_EQ(grid.columnCount(), 9);
    EXPECT_EQ(grid.fixedRows(), 1);
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(linha(grid, 0), (QStringList{"Usuário", "Cartão", "Matrícula", "Nome", "CMM", "Valor",
                                            "Vlr.Última Rec", "Vlr.Penúltima Rec", "Vlr.Antipenúltima Rec"}));
    const QList<int> larguras{65, 65, 65, 240, 50, 65, 100, 100, 100};
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(grid.columnWidth(c), larguras[c]) << c;
    EXPECT_EQ(linha(grid, 1), (QStringList{"10", "100", "M1", QString::fromStdString(nome50("ANA")), "7",
                                            "12,50", "1,00", "2,00", "3,25"}));
    EXPECT_EQ(linha(grid, 2, 5), (QStringList{"13", "130", "M4", QString::fromStdString(nome50("DANI")), "8", "0,10"}));
    EXPECT_EQ(res.lblqtdrec, "2");
    EXPECT_EQ(res.lbltipo, entrada(kTipoDinheiro));
    EXPECT_EQ(res.lbltarifa, entrada(3));
    EXPECT_EQ(res.totaisGrid.lblvlrrecdig, "12,60");
    EXPECT_EQ(res.totaisGerais.lblgervlrdig, "26,20");   // 12,50 + 4 x 1,15 + 9,00 + 0,10
    EXPECT_EQ(res.totaisGerais.lblgerqtddig, "4");
    EXPECT_EQ(indice.titulares(), (std::vector<int>{-1, 0, 3}));
    EXPECT_EQ(indice.linha(3), 2);
    EXPECT_EQ(indice.linha(1), -1);
}

TEST_F(GridFill, ReportsStatusAndControlsInOrder)
{
    carrega(*m, {titular(1, 1, "A", "", kTipoCreditos, {{3}})});
    preenche(kTipoCreditos, 3);
    EXPECT_EQ(gravador.eventos,
              (QStringList{"valorPadrao:0", "status:Preenchendo Grid. Aguarde...", "habilita:1",
                           "progresso:0", "mensagens", "status:Grid Preenchido.", "habilita:1",
                           "mensagens"}));
}

TEST_F(GridFill, CreditTypeWidensToEighteenColumnsWithGroupHeaders)
{
    carrega(*m, {titular(5, 50, "ANA", "", kTipoCreditos, {{3, 2, 12, 10, 20, 30}})});
    const ResultadoPreenchimento res = preenche(kTipoCreditos, 3);

    EXPECT_EQ(sel.FormatoValor, "##0");
    ASSERT_EQ(grid.columnCount(), 18);
    EXPECT_EQ(grid.cell(5, 0), "Créditos");
    EXPECT_EQ(grid.cell(6, 0), "Vlr.Última Rec Grupo1 ");   // the blank is part of it
    EXPECT_EQ(grid.cell(7, 0), "Vlr.Penúltima Rec Grupo1");
    EXPECT_EQ(grid.cell(8, 0), "Vlr.Antipenúltima Rec Grupo1");
    EXPECT_EQ(grid.cell(9, 0), "Vlr.Última Rec Grupo2");
    EXPECT_EQ(grid.cell(14, 0), "Vlr.Antipenúltima Rec Grupo3");
    EXPECT_EQ(grid.cell(17, 0), "Vlr.Antipenúltima Rec Grupo4");
    for (int c = 9; c < 18; ++c) {
        EXPECT_EQ(grid.columnWidth(c), 100);
        EXPECT_TRUE(grid.cell(c, 1).isEmpty()) << c;
    }
    EXPECT_EQ(linha(grid, 1, 8).mid(4), (QStringList{"2", "12", "10", "20", "30"}));
    EXPECT_EQ(res.totaisGrid.lblqtdrecdig, "12");
    EXPECT_EQ(res.totaisGrid.lblvlrrecdig, "13,80");   // 12 x 1,15
}

TEST_F(GridFill, MoneyTypeAfterCreditTypeKeepsEighteenBlankedColumns)
{
    carrega(*m, {
        titular(1, 1, "A", "", kTipoCreditos, {{3, 0, 5}}),
        titular(2, 2, "B", "", kTipoDinheiro, {{3, 0, 5}}),
    });
    preenche(kTipoCreditos, 3);
    preenche(kTipoDinheiro, 3);

    EXPECT_EQ(grid.columnCount(), 18);
    for (int c = 9; c < 18; ++c) {
        EXPECT_EQ(grid.columnWidth(c), 100) << c;
        EXPECT_TRUE(grid.cell(c, 0).isEmpty()) << c;
        EXPECT_TRUE(grid.cell(c, 1).isEmpty()) << c;
    }
    EXPECT_EQ(grid.cell(6, 0), "Vlr.Última Rec");
    EXPECT_EQ(grid.cell(5, 1), "5,00");
}

TEST_F(GridFill, HolderIsShownWithTheGroupOfTheSelectedTariff)
{
    carrega(*m, {titular(1, 1, "A", "", kTipoDinheiro,
                         {{3, 31, 1.5, 1, 2, 3}, {5, 52, 7.25, 4, 5, 6}})});
    preenche(kTipoDinheiro, 5);
    EXPECT_EQ(linha(grid, 1).mid(4), (QStringList{"52", "7,25", "4,00", "5,00", "6,00"}));
    preenche(kTipoDinheiro, 3);
    EXPECT_EQ(linha(grid, 1).mid(4), (QStringList{"31", "1,50", "1,00", "2,00", "3,00"}));
}

TEST_F(GridFill, EmptySelectionShowsOneBlankRow)
{
    carrega(*m, {titular(1, 1, "A", "", kTipoDinheiro, {{3, 0, 5}})});
    preenche(kTipoDinheiro, 3);
    const ResultadoPreenchimento res = preenche(kTipoDinheiro, 4);

    ASSERT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.fixedRows(), 1);
    for (int c = 0; c < grid.columnCount(); ++c)
        EXPECT_TRUE(grid.cell(c, 1).isEmpty()) << c;
    EXPECT_EQ(grid.cell(0, 0), "Usuário");
    EXPECT_EQ(res.lblqtdrec, "0");
    EXPECT_EQ(res.totaisGrid.lblvlrrecdig, "0,00");
    EXPECT_EQ(res.totaisGrid.lblqtdrecdig, "0");
    EXPECT_EQ(res.totaisGerais.lblgervlrdig, "5,00");
    EXPECT_EQ(indice.titular(1), -1);
}

TEST_F(GridFill, NoSelectedEntryListsNobody)
{
    carrega(*m, {titular(1, 1, "A", "", kTipoDinheiro, {{3, 0, 5}})});
    PreencheGrid(grid, *m, sel, QString(), QString(), {}, &indice);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_TRUE(grid.cell(0, 1).isEmpty());
}

TEST_F(GridFill, TariffZeroListsMoneyHoldersWithoutGroupOneTariffOnly)
{
    carrega(*m, {
        titular(1, 1, "A", "", kTipoDinheiro, {{0, 4, 2}, {3}}),
        titular(2, 2, "B", "", kTipoDinheiro, {{3}, {0}}),
        titular(3, 3, "C", "", kTipoCreditos, {{0, 4, 2}}),
    });
    EXPECT_EQ(preenche(kTipoDinheiro, 0).lblqtdrec, "1");
    EXPECT_EQ(grid.cell(0, 1), "1");
    EXPECT_EQ(preenche(kTipoCreditos, 0).lblqtdrec, "0");
}

struct CasoGrupo {
    std::array<int, 4> tarifas;
    int tarifaSel;
    int modalidade;
    int esperado;
};

class GrupoMostrado : public ::testing::TestWithParam<CasoGrupo> {};

TEST_P(GrupoMostrado, FirstMatchingGroupInOrder)
{
    const CasoGrupo c = GetParam();
    Recarga h;
    for (int g = 0; g < 4; ++g)
        h.Grupo[size_t(g)].Tarifa = c.tarifas[size_t(g)];
    EXPECT_EQ(grupoMostrado(h, c.tarifaSel, c.modalidade), c.esperado);
}

INSTANTIATE_TEST_SUITE_P(Casos, GrupoMostrado, ::testing::Values(
    CasoGrupo{{3, 5, 0, 0}, 3, Dinheiro, 0},
    CasoGrupo{{3, 5, 0, 0}, 5, Dinheiro, 1},
    CasoGrupo{{3, 5, 5, 7}, 7, Creditos, 3},
    CasoGrupo{{3, 5, 0, 0}, 4, Dinheiro, -1},
    CasoGrupo{{0, 5, 0, 0}, 0, Dinheiro, 0},
    CasoGrupo{{0, 5, 0, 0}, 0, Creditos, -1},
    CasoGrupo{{3, 0, 0, 0}, 0, Dinheiro, -1},   // tariff 0 never looks past group 1
    CasoGrupo{{4, 4, 4, 4}, 4, Creditos, 0}));

TEST(SelecionaCelula, OnlyTheValueCellOfADataRowIsEditable)
{
    TabelaGridMemoria g;
    SelecionaCelula(g, 5, 1);
    EXPECT_TRUE(g.editing());
    SelecionaCelula(g, 4, 1);
    EXPECT_FALSE(g.editing());
    SelecionaCelula(g, 5, 0);
    EXPECT_FALSE(g.editing());
}

}  // namespace
}  // namespace pluvexa
