#include "gridfixture.h"

#include "grid/atualizacaogrid.h"
#include "grid/filtroportadores.h"
#include "grid/preenchegrid.h"
#include "grid/validavalor.h"
#include "recharge/cp1252.h"

#include <gtest/gtest.h>

namespace pluvexa::teste {
namespace {

// Names as the file holds them: Windows-1252 bytes, accents included.
std::unique_ptr<ModeloRecarga> modelo()
{
    auto m = novoModelo();
    carrega(*m, {titular(1, 5001, paraCp1252(QStringLiteral("JOSÉ CONCEIÇÃO")), "A100", kTipoDinheiro, {{3}}),
                 titular(2, 5012, paraCp1252(QStringLiteral("Maria José Alves")), "A101", kTipoDinheiro, {{3}}),
                 titular(3, 6100, "ANTONIO LIMA", "B200", kTipoDinheiro, {{3}}),
                 titular(4, 6200, "JOSE OUTRO TIPO", "A102", kTipoOutro, {{3}}),
                 titular(5, 7300, "JOAO SEM TARIFA", "A103", kTipoDinheiro, {{4}})});
    return m;
}

struct Consulta {
    const char* nome;
    QString consulta;
    QList<int> usuarios;   // the rows shown, by Usuario, in grid order
};

void PrintTo(const Consulta& c, std::ostream* os) { *os << c.nome; }

class Localizar : public ::testing::TestWithParam<Consulta> {};

// Only the holders of the type and tariff shown can match.
TEST_P(Localizar, ShowsTheMatchingRowsOfTheSelection)
{
    auto m = modelo();
    TabelaGridMemoria grid(9, 2);
    SelecaoGrid sel;
    IndiceLinhas indice;
    const FiltroPortadores filtro(GetParam().consulta);
    const ResultadoPreenchimento r = PreencheGrid(grid, *m, sel, entrada(kTipoDinheiro), entrada(3), {},
                                                  &indice, &filtro);
    QList<int> mostrados;
    for (int row = 1; row < grid.rowCount(); ++row)
        if (!grid.cell(0, row).isEmpty())
            mostrados << grid.cell(0, row).toInt();
    EXPECT_EQ(mostrados, GetParam().usuarios);
    EXPECT_EQ(r.lblqtdrec, QString::number(mostrados.size()));
    for (int row = 1; row <= int(mostrados.size()); ++row)
        EXPECT_EQ(m->wRecarga[size_t(indice.titular(row))].Usuario, mostrados[row - 1]);
}

INSTANTIATE_TEST_SUITE_P(
    Consultas, Localizar,
    ::testing::Values(
        Consulta{"EmptyShowsAll", "", {1, 2, 3}},
        Consulta{"BlankShowsAll", "   ", {1, 2, 3}},
        Consulta{"NameWithoutAccents", "jose", {1, 2}},
        Consulta{"NameWithAccentsAndCase", QStringLiteral("JOSÉ"), {1, 2}},
        Consulta{"AccentedPartOfAName", QStringLiteral("conceição"), {1}},
        Consulta{"UnaccentedPartOfAName", "conceicao", {1}},
        Consulta{"MiddleOfAName", "lim", {3}},
        Consulta{"RegistrationPrefix", "A10", {1, 2}},
        Consulta{"WholeRegistration", "B200", {3}},
        Consulta{"CardNumberPrefix", "50", {1, 2}},
        Consulta{"WholeCardNumber", "5012", {2}},
        Consulta{"CardNumberIsAPrefixNotAPart", "012", {}},
        Consulta{"NoMatch", "zzz", {}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(LocalizarVazio, NoMatchLeavesOneBlankRowAndNoTotals)
{
    auto m = modelo();
    TabelaGridMemoria grid(9, 2);
    SelecaoGrid sel;
    const FiltroPortadores filtro(QStringLiteral("zzz"));
    const ResultadoPreenchimento r =
        PreencheGrid(grid, *m, sel, entrada(kTipoDinheiro), entrada(3), {}, nullptr, &filtro);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(linha(grid, 1), QStringList(9));
    EXPECT_EQ(r.lblqtdrec, "0");
    EXPECT_EQ(r.totaisGrid.lblvlrrecdig, "0,00");
}

TEST(LocalizarNoArquivo, FindsEveryListedHolderWhateverItsTypeAndTariff)
{
    auto m = modelo();
    // A credit holder with no group 1 tariff is listed by its group 2 only;
    // one with no tariff at all is listed nowhere and cannot be found.
    m->wRecarga[5] = titular(6, 8100, "JOSEFA CREDITO", "C1", kTipoCreditos, {{0}, {5}});
    m->wRecarga[6] = titular(7, 8200, "JOSEFINA NADA", "C2", kTipoCreditos, {{0}});
    m->QtdRecarga = 7;
    EXPECT_EQ(localizaNoArquivo(*m, FiltroPortadores(QStringLiteral("jose"))), (std::vector<int>{0, 1, 3, 5}));
    EXPECT_EQ(localizaNoArquivo(*m, FiltroPortadores(QStringLiteral("A103"))), (std::vector<int>{4}));
    EXPECT_TRUE(localizaNoArquivo(*m, FiltroPortadores(QString())).empty());

    const OndeListado a = ondeListado(*m, 4);
    EXPECT_EQ(a.tipo, kTipoDinheiro);
    EXPECT_EQ(a.tarifa, 4);
    const OndeListado b = ondeListado(*m, 5);
    EXPECT_EQ(b.tipo, kTipoCreditos);
    EXPECT_EQ(b.tarifa, 5);
    EXPECT_EQ(ondeListado(*m, 6).tarifa, -1);
    EXPECT_EQ(ondeListado(*m, 99).tipo, -1);
}

class LocalizarEscrita : public ::testing::Test {
protected:
    std::unique_ptr<ModeloRecarga> m = modelo();
    TabelaGridMemoria grid{9, 2};
    SelecaoGrid sel;

    void preenche(const QString& consulta)
    {
        const FiltroPortadores filtro(consulta);
        PreencheGrid(grid, *m, sel, entrada(kTipoDinheiro), entrada(3), {}, nullptr, &filtro);
    }
    double valor(int h) const { return m->wRecarga[size_t(h)].Grupo[0].Valor; }
};

TEST_F(LocalizarEscrita, AValueTypedInAFilteredRowReachesItsHolder)
{
    m->wRecarga[0].Grupo[0].Valor = 7;
    preenche(QStringLiteral("lima"));
    ASSERT_EQ(grid.cell(0, 1), "3");
    grid.setCell(5, 1, "33,50");
    ASSERT_FALSE(AtualizaArrayRecargas(grid, *m, sel, {}).erro);
    EXPECT_DOUBLE_EQ(valor(2), 33.5);
    // The holders not shown keep theirs.
    EXPECT_DOUBLE_EQ(valor(0), 7);
    EXPECT_DOUBLE_EQ(valor(1), 0);
}

TEST_F(LocalizarEscrita, TheDefaultValueTouchesOnlyTheRowsShown)
{
    m->wRecarga[2].Grupo[0].Valor = 9;
    preenche(QStringLiteral("jose"));
    const ResultadoValorPadrao r = AplicaValorPadrao(grid, *m, sel, "20,00");
    ASSERT_TRUE(r.aplicado);
    const ResultadoAtualizacao a = AtualizaArrayRecargas(grid, *m, sel, {});
    ASSERT_FALSE(a.erro);
    EXPECT_DOUBLE_EQ(valor(0), 20);
    EXPECT_DOUBLE_EQ(valor(1), 20);
    EXPECT_DOUBLE_EQ(valor(2), 9);
    // The totals on screen are those of the rows shown.
    EXPECT_EQ(a.totaisGrid.lblvlrrecdig, "40,00");
    EXPECT_EQ(a.totaisGerais.lblgervlrdig, "49,00");
}

}  // namespace
}  // namespace pluvexa::teste
