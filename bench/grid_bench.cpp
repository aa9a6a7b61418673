// The recharge grid logic on a full file: 10,000 holders, all of one card
// type and tariff, so every holder is a grid row. Goals: fill, write-back
// and each total under 20 ms; each sort (write-back included) under 20 ms;
// each keystroke in the find field (write-back and filtered fill) under
// 20 ms; "Repetir Última Recarga" over the whole file under 50 ms.

#include "grid/atualizacaogrid.h"
#include "grid/classificacaogrid.h"
#include "grid/filtroportadores.h"
#include "grid/preenchegrid.h"
#include "grid/repeterecarga.h"
#include "grid/tabelagridmemoria.h"
#include "grid/totaisgrid.h"
#include "recharge/modelo.h"

#include <benchmark/benchmark.h>

#include <QString>
#include <memory>
#include <random>

namespace pluvexa {
namespace {

constexpr int kTipoDinheiro = 1;
constexpr int kTipoCreditos = 2;
constexpr int kTarifa = 3;

// Holders in no particular order of code, name or registration, like a
// file; every one of card type `tipo` with tariff 3 in group 1.
std::unique_ptr<ModeloRecarga> modeloCheio(int tipo)
{
    auto m = std::make_unique<ModeloRecarga>();
    m->wTipoCartao[kTipoDinheiro] = {kTipoDinheiro, "ESCOLAR", Dinheiro, 0, 600.0};
    m->wTipoCartao[kTipoCreditos] = {kTipoCreditos, "VALE TRANSPORTE", Creditos, 50.0, 250.0};
    m->wTarifa[kTarifa] = {kTarifa, "ONIBUS    ", 2.30, 0};
    m->ModoArredondamento = 1;
    std::mt19937 rnd(7);
    for (int i = 0; i < kRecargas; ++i) {
        Recarga& h = m->wRecarga[size_t(i)];
        h.Usuario = int(rnd() % 100000000);
        h.Cartao = int(rnd() % 1000000000);
        std::string nome;
        for (int k = 0; k < 8 + int(rnd() % 20); ++k)
            nome.push_back(k % 7 == 6 ? ' ' : char('A' + rnd() % 26));
        nome.resize(50, ' ');
        h.Nome = nome;
        h.Matricula = std::to_string(rnd() % 1000000);
        h.TipoCartao = tipo;
        h.Grupo[0] = {kTarifa, int(rnd() % 300), double(rnd() % 20000) / 100};
        h.Grupo[1] = {4, 0, 1};
        h.Historico[0] = {10.5, 20, 30.25};
    }
    m->QtdRecarga = kRecargas;
    return m;
}

struct Cena {
    std::unique_ptr<ModeloRecarga> m;
    TabelaGridMemoria grid;
    SelecaoGrid sel;

    explicit Cena(int tipo) : m(modeloCheio(tipo)) { preenche(); }
    void preenche()
    {
        const int tipo = m->wRecarga[0].TipoCartao;
        PreencheGrid(grid, *m, sel, QStringLiteral("%1 - T").arg(tipo, 2, 10, QLatin1Char('0')),
                     QStringLiteral("03 - ONIBUS - 2,30"), {});
    }
};

void BM_Preenche(benchmark::State& state)
{
    Cena c(int(state.range(0)));
    for (auto _ : state) {
        c.preenche();
        benchmark::DoNotOptimize(c.grid.rowCount());
    }
    if (c.grid.rowCount() != kRecargas + 1)
        state.SkipWithError("not every holder listed");
}
BENCHMARK(BM_Preenche)->Arg(kTipoDinheiro)->Arg(kTipoCreditos)->Unit(benchmark::kMillisecond);

void BM_AtualizaArrayRecargas(benchmark::State& state)
{
    Cena c(int(state.range(0)));
    for (auto _ : state) {
        const ResultadoAtualizacao r = AtualizaArrayRecargas(c.grid, *c.m, c.sel, {});
        if (r.erro)
            state.SkipWithError("write-back failed");
        benchmark::DoNotOptimize(r.totaisGerais.dinheiro);
    }
}
BENCHMARK(BM_AtualizaArrayRecargas)->Arg(kTipoDinheiro)->Arg(kTipoCreditos)->Unit(benchmark::kMillisecond);

void BM_CalculaGrid(benchmark::State& state)
{
    Cena c(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(CalculaGrid(c.grid, *c.m, c.sel).dinheiro);
}
BENCHMARK(BM_CalculaGrid)->Arg(kTipoDinheiro)->Arg(kTipoCreditos)->Unit(benchmark::kMillisecond);

void BM_CalculaRecargasGeral(benchmark::State& state)
{
    Cena c(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(CalculaRecargasGeral(*c.m).dinheiro);
}
BENCHMARK(BM_CalculaRecargasGeral)->Arg(kTipoDinheiro)->Arg(kTipoCreditos)->Unit(benchmark::kMillisecond);

// Each sort starts from the grid in model order, refilled outside the timing.
void BM_ClassificaGrid(benchmark::State& state)
{
    Cena c(kTipoDinheiro);
    const auto ordem = Classificacao(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        c.preenche();
        state.ResumeTiming();
        const ResultadoClassificacao r = ClassificaGrid(c.grid, *c.m, c.sel, ordem, {});
        if (r.erro)
            state.SkipWithError("sort failed");
    }
}
BENCHMARK(BM_ClassificaGrid)->ArgName("ordem")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// What one keystroke in the find field costs: the grid written back, then
// filled again with the holders the query (one more letter each time)
// accepts. The first letter keeps about a third of the holders.
void BM_Localiza(benchmark::State& state)
{
    Cena c(kTipoDinheiro);
    const QString consulta = QStringLiteral("ABCDEFGH");
    int i = 0;
    for (auto _ : state) {
        AtualizaArrayRecargas(c.grid, *c.m, c.sel, {});
        const FiltroPortadores filtro(consulta.left(1 + i++ % consulta.size()));
        PreencheGrid(c.grid, *c.m, c.sel, QStringLiteral("01 - T"), QStringLiteral("03 - ONIBUS - 2,30"), {},
                     nullptr, &filtro);
        benchmark::DoNotOptimize(c.grid.rowCount());
    }
}
BENCHMARK(BM_Localiza)->Unit(benchmark::kMillisecond);

// Every holder's value becomes its last recharge, then back to another
// value so that every run changes all of them.
void BM_RepeteNoArquivo(benchmark::State& state)
{
    Cena c(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < kRecargas; ++i)
            c.m->wRecarga[size_t(i)].Grupo[0].Valor = 1;
        state.ResumeTiming();
        const ResultadoRepeticao r = repeteNoArquivo(*c.m);
        if (r.alterados < kRecargas)
            state.SkipWithError("not every holder changed");
    }
}
BENCHMARK(BM_RepeteNoArquivo)->Arg(kTipoDinheiro)->Arg(kTipoCreditos)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pluvexa
