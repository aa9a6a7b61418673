#include "gridfixture.h"

#include "grid/atualizacaogrid.h"
#include "grid/preenchegrid.h"
#include "recharge/cp1252.h"
#include "recharge/formatonumero.h"
#include "recharge/moeda.h"

#include <gtest/gtest.h>

#include <random>

namespace pluvexa {
namespace {

using namespace teste;

class WriteBack : public ::testing::Test {
protected:
    std::unique_ptr<ModeloRecarga> m = novoModelo();
    TabelaGridMemoria grid{9, 1};
    SelecaoGrid sel{kTipoDinheiro, 3, "##0.00"};
    Gravador gravador;

    ResultadoAtualizacao atualiza() { return AtualizaArrayRecargas(grid, *m, sel, gravador.avisos()); }
    double valor(int h, int g) const { return m->wRecarga[size_t(h)].Grupo[size_t(g)].Valor; }
};

TEST_F(WriteBack, MatchingRowsWriteTheSelectedTariffsGroup)
{
    carrega(*m, {
        titular(1, 10, "A", "M1", kTipoDinheiro, {{4}, {3, 0, 1}, {3, 0, 2}}),  // group 2 first with tariff 3
        titular(2, 20, "B", "", kTipoDinheiro, {{3, 0, 9}}),
        titular(3, 30, "C", "M3", kTipoCreditos, {{3, 0, 9}}),                  // other type
        titular(4, 40, "D", "M4", kTipoDinheiro, {{4, 0, 9}}),                  // no group of tariff 3
    });
    acrescenta(grid, " 1 ", "10", "M1", " 0 ");      // money by group 2: 0 only
    acrescenta(grid, "2", "20", "", "3");
    acrescenta(grid, "3", "30", "M3", "7,00");
    acrescenta(grid, "4", "40", "M4", "no number");   // never read: nothing to write
    acrescenta(grid, "2", "20", " ", "5,00");          // Matricula compared exactly

    const ResultadoAtualizacao res = atualiza();
    ASSERT_FALSE(res.erro);
    EXPECT_EQ(valor(0, 0), 0);
    EXPECT_EQ(valor(0, 1), 0);
    EXPECT_EQ(valor(0, 2), 2);
    EXPECT_EQ(valor(1, 0), 3);
    EXPECT_EQ(valor(2, 0), 9);
    EXPECT_EQ(valor(3, 0), 9);
    EXPECT_EQ(res.totaisGrid.lblvlrrecdig, "15,00");   // the grid's readable cells
    // 2,00 + 3,00 + 9 credits x 1,15 + 9,00
    EXPECT_EQ(res.totaisGerais.lblgervlrdig, "24,35");
    EXPECT_EQ(res.totaisGerais.lblgerqtddig, "9");
}

TEST_F(WriteBack, LastMatchingRowWinsAndARowFeedsEveryHolderItMatches)
{
    carrega(*m, {
        titular(1, 10, "A", "X", kTipoDinheiro, {{3}}),
        titular(1, 10, "A bis", "X", kTipoDinheiro, {{3}, {5}}),
        titular(2, 20, "B", "", kTipoDinheiro, {{3}}),
    });
    acrescenta(grid, "1", "10", "X", "1,00");
    acrescenta(grid, "2", "20", "", "2,00");
    acrescenta(grid, "1", "10", "X", "4,00");
    ASSERT_FALSE(atualiza().erro);
    EXPECT_EQ(valor(0, 0), 4);
    EXPECT_EQ(valor(1, 0), 4);
    EXPECT_EQ(valor(1, 1), 0);
    EXPECT_EQ(valor(2, 0), 2);
}

TEST_F(WriteBack, ARefusedValueStoresNothing)
{
    carrega(*m, {
        titular(1, 1, "A", "", kTipoDinheiro, {{3, 0, 9}}),
        titular(2, 2, "B", "", kTipoDinheiro, {{3, 0, 9}}),
        titular(3, 3, "C", "", kTipoDinheiro, {{3, 0, 9}}),
    });
    // Holder 2's second row cannot be read: no holder takes a value, those
    // checked before it included.
    acrescenta(grid, "3", "3", "", "3,00");
    acrescenta(grid, "2", "2", "", "2,00");
    acrescenta(grid, "2", "2", "", " 1.5 ");
    acrescenta(grid, "1", "1", "", "1,00");

    const ResultadoAtualizacao res = atualiza();
    ASSERT_TRUE(res.erro);
    EXPECT_EQ(*res.erro, "'1.5' is not a valid floating point value");
    EXPECT_EQ(res.linhaErro, 3);
    EXPECT_EQ(valor(0, 0), 9);
    EXPECT_EQ(valor(1, 0), 9);
    EXPECT_EQ(valor(2, 0), 9);
    // Gauge hidden and controls enabled again, also after the failure.
    ASSERT_GE(gravador.eventos.size(), 2);
    EXPECT_EQ(gravador.eventos.mid(gravador.eventos.size() - 2),
              (QStringList{"progresso:0", "habilita:1"}));
    EXPECT_TRUE(res.totaisGerais.lblgervlrdig.isEmpty());
}

TEST_F(WriteBack, ReportsProgressUpToTheHolderCount)
{
    std::vector<Recarga> hs;
    for (int i = 0; i < 1000; ++i)
        hs.push_back(titular(i, i, "N", "", kTipoDinheiro, {{3}}));
    carrega(*m, hs);
    acrescenta(grid, "5", "5", "", "1,00");
    ASSERT_FALSE(atualiza().erro);
    EXPECT_EQ(gravador.eventos.mid(0, 4),
              (QStringList{"legenda:Registros Atualizados: ", "mensagens", "habilita:1", "progresso:1"}));
    ASSERT_FALSE(gravador.posicoes.empty());
    EXPECT_EQ(gravador.posicoes.front(), std::make_pair(0, 1000));
    EXPECT_EQ(gravador.posicoes.back(), std::make_pair(1000, 1000));
    for (size_t i = 1; i < gravador.posicoes.size(); ++i)
        EXPECT_LT(gravador.posicoes[i - 1].first, gravador.posicoes[i].first);
}

TEST_F(WriteBack, NoHolderOnlyRecomputesTheTotals)
{
    acrescenta(grid, "", "", "", "");
    const ResultadoAtualizacao res = atualiza();
    EXPECT_FALSE(res.erro);
    EXPECT_EQ(res.totaisGerais.lblgervlrdig, "0,00");
    EXPECT_EQ(res.totaisGrid.lblvlrrecdig, "0,00");
}

TEST_F(WriteBack, RowsFromTheFillGoBackToTheirHolders)
{
    carrega(*m, {
        titular(1, 1, "Á", "Ç1", kTipoDinheiro, {{3, 0, 1}}),
        titular(2, 2, "B", "", kTipoDinheiro, {{5, 0, 1}, {3, 0, 2}}),
    });
    PreencheGrid(grid, *m, sel, entrada(kTipoDinheiro), entrada(3), {});
    grid.setCell(5, 1, "10,00");
    grid.setCell(5, 2, "0,00");
    ASSERT_FALSE(atualiza().erro);
    EXPECT_EQ(valor(0, 0), 10);
    EXPECT_EQ(valor(1, 1), 0);
    EXPECT_EQ(valor(1, 0), 1);
}

TEST_F(WriteBack, CreditHoldersTakeValuesInAnyGroup)
{
    sel = {kTipoCreditos, 3, "##0"};
    carrega(*m, {titular(1, 1, "A", "", kTipoCreditos, {{5, 0, 1}, {3, 0, 2}, {3, 0, 4}})});
    PreencheGrid(grid, *m, sel, entrada(kTipoCreditos), entrada(3), {});
    grid.setCell(5, 1, "20");
    ASSERT_FALSE(atualiza().erro);
    EXPECT_EQ(valor(0, 0), 1);
    EXPECT_EQ(valor(0, 1), 20);
    EXPECT_EQ(valor(0, 2), 4);
}

// The answer carries 0 in groups 2 to 4 of a money holder: a value left in
// such a row (typed, then the row left with the mouse) stops the write-back
// at that row, naming the tariff where the holder does take values.
TEST_F(WriteBack, MoneyHolderListedByALaterGroupStopsItAtItsRow)
{
    carrega(*m, {
        titular(1, 1, "A", "", kTipoDinheiro, {{3}}),
        titular(2, 2, "B", "", kTipoDinheiro, {{4}, {5}, {3}}),
    });
    PreencheGrid(grid, *m, sel, entrada(kTipoDinheiro), entrada(3), {});
    grid.setCell(5, 1, "10,00");
    grid.setCell(5, 2, "5,00");
    const ResultadoAtualizacao res = atualiza();
    ASSERT_TRUE(res.erro);
    EXPECT_EQ(*res.erro, "Tipo de Cartão em valor: a recarga vai somente no grupo 1 (Tarifa 04) - Verifique!");
    EXPECT_EQ(res.linhaErro, 2);
    EXPECT_EQ(valor(0, 0), 0);  // nothing stored, the valid row's value included
    EXPECT_EQ(valor(1, 2), 0);
}

// What a cell's check refuses, the write-back refuses too: a value left in
// a cell (typed and never confirmed, or pasted) never reaches the model.
struct CasoRecusa {
    const char* nome;
    int tipo;
    const char* texto;
    const char* mensagem;
};

class WriteBackRecusa : public WriteBack, public ::testing::WithParamInterface<CasoRecusa> {};

TEST_P(WriteBackRecusa, NamesTheRowAndStoresNothing)
{
    const CasoRecusa& c = GetParam();
    carrega(*m, {titular(1, 1, "A", "", c.tipo, {{3, 0, 4}}), titular(2, 2, "B", "", c.tipo, {{3, 0, 7}})});
    PreencheGrid(grid, *m, sel, entrada(c.tipo), entrada(3), {});
    grid.setCell(5, 1, "5");
    grid.setCell(5, 2, QString::fromUtf8(c.texto));
    const ResultadoAtualizacao res = atualiza();
    ASSERT_TRUE(res.erro);
    EXPECT_EQ(*res.erro, QString::fromUtf8(c.mensagem));
    EXPECT_EQ(res.linhaErro, 2);
    EXPECT_EQ(valor(0, 0), 4);
    EXPECT_EQ(valor(1, 0), 7);
}

INSTANTIATE_TEST_SUITE_P(
    Recusas, WriteBackRecusa,
    ::testing::Values(
        CasoRecusa{"AcimaDoMaximoEmDinheiro", kTipoDinheiro, "600,01", "Valor Maior que o Permitido(R$600,00) - Verifique!"},
        CasoRecusa{"AcimaDoMaximoEmCreditos", kTipoCreditos, "251", "Valor Maior que o Permitido(250) - Verifique!"},
        CasoRecusa{"Negativo", kTipoDinheiro, "-1,00", "Valor Inválido - Verifique!"},
        CasoRecusa{"Texto", kTipoDinheiro, "doze", "'doze' is not a valid floating point value"}),
    [](const ::testing::TestParamInfo<CasoRecusa>& info) { return std::string(info.param.nome); });

// The write-back exactly as its rule reads: every holder against every row,
// every value checked before any is stored.
std::optional<QString> referencia(const TabelaGrid& g, ModeloRecarga& m, const SelecaoGrid& sel)
{
    auto inteiro = [](const QString& t) {
        bool ok = false;
        const int v = t.trimmed().toInt(&ok);
        return ok ? v : -1;
    };
    std::vector<std::pair<GrupoRecarga*, double>> atribuicoes;
    const TipoCartao& tipo = m.wTipoCartao[size_t(sel.TipoCartaoSel)];
    for (int i = 0; i < m.QtdRecarga; ++i) {
        Recarga& h = m.wRecarga[size_t(i)];
        for (int r = 1; r < g.rowCount(); ++r) {
            if (inteiro(g.cell(0, r)) != h.Usuario || inteiro(g.cell(1, r)) != h.Cartao
                || g.cell(2, r) != deCp1252(h.Matricula) || h.TipoCartao != sel.TipoCartaoSel)
                continue;
            for (GrupoRecarga& gr : h.Grupo) {
                if (gr.Tarifa != sel.TarifaSel)
                    continue;
                const QString texto = g.cell(5, r).trimmed();
                const std::optional<Moeda> v = Moeda::deTexto(texto);
                if (v && *v < Moeda())
                    return QStringLiteral("Valor Inválido - Verifique!");
                if (v && (tipo.Modalidade == Dinheiro || tipo.Modalidade == Creditos)
                    && *v > Moeda::deDouble(tipo.ValorMaximo))
                    return tipo.Modalidade == Dinheiro
                               ? QStringLiteral("Valor Maior que o Permitido(R$%1) - Verifique!")
                                     .arg(formata(QStringLiteral("###,##0.00"), Moeda::deDouble(tipo.ValorMaximo)))
                               : QStringLiteral("Valor Maior que o Permitido(%1) - Verifique!")
                                     .arg(numeroSimples(tipo.ValorMaximo));
                if (!v)
                    return QStringLiteral("'%1' is not a valid floating point value").arg(texto);
                if (&gr != &h.Grupo[0] && tipo.Modalidade == Dinheiro && *v != Moeda())
                    return QStringLiteral("Tipo de Cartão em valor: a recarga vai somente no grupo 1 (Tarifa %1) - Verifique!")
                        .arg(h.Grupo[0].Tarifa, 2, 10, QLatin1Char('0'));
                atribuicoes.emplace_back(&gr, v->paraDouble());
                break;
            }
        }
    }
    for (const auto& [grupo, valor] : atribuicoes)
        grupo->Valor = valor;
    return std::nullopt;
}

class WriteBackCrossCheck : public ::testing::TestWithParam<unsigned> {};

TEST_P(WriteBackCrossCheck, SameAssignmentsAsComparingEveryRowWithEveryHolder)
{
    std::mt19937 rnd(GetParam());
    auto pick = [&](int n) { return int(rnd() % unsigned(n)); };
    const bool comErros = GetParam() % 2 == 0;
    const std::vector<std::string> matriculas{"", "A", "B", "Ç"};

    auto a = novoModelo();
    std::vector<Recarga> hs;
    for (int i = 0; i < 300; ++i) {
        Recarga h = titular(pick(25) - 1, pick(4), "N", matriculas[size_t(pick(4))],
                            pick(3) ? kTipoDinheiro : kTipoCreditos, {});
        for (GrupoRecarga& g : h.Grupo)
            g = {pick(4), 0, double(pick(100))};
        hs.push_back(h);
    }
    carrega(*a, hs);
    auto b = novoModelo();
    carrega(*b, hs);

    TabelaGridMemoria g(9, 1);
    for (int r = 0; r < 400; ++r) {
        const Recarga& h = hs[size_t(pick(int(hs.size())))];
        QString u = QString::number(pick(5) ? h.Usuario : pick(25));
        if (pick(40) == 0)
            u = "x";   // reads as -1
        const QString mat = pick(10) ? deCp1252(h.Matricula) : QString::fromStdString(matriculas[size_t(pick(4))]);
        QString v = QString::number(pick(1000)) + "," + QString::number(pick(10)) + QString::number(pick(10));
        if (comErros && pick(150) == 0)
            v = pick(2) ? "" : "1.0";
        acrescenta(g, u, QString::number(pick(8) ? h.Cartao : pick(4)), mat, v);
    }

    for (int tarifa = 0; tarifa < 4; ++tarifa) {
        const SelecaoGrid sel{pick(3) ? kTipoDinheiro : kTipoCreditos, tarifa, "##0.00"};
        const std::optional<QString> esperado = referencia(g, *a, sel);
        const ResultadoAtualizacao obtido = AtualizaArrayRecargas(g, *b, sel, {});
        EXPECT_EQ(obtido.erro, esperado) << "tariff " << tarifa;
        for (size_t i = 0; i < hs.size(); ++i)
            for (size_t k = 0; k < size_t(kGrupos); ++k)
                ASSERT_EQ(a->wRecarga[i].Grupo[k].Valor, b->wRecarga[i].Grupo[k].Valor)
                    << "holder " << i << " group " << k << " tariff " << tarifa;
    }
}

INSTANTIATE_TEST_SUITE_P(Sementes, WriteBackCrossCheck, ::testing::Range(1u, 21u));

}  // namespace
}  // namespace pluvexa
