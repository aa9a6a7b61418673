// The review before sending and the history of what was sent, over full
// files of 10,000 holders as the demo makes them. Goals: the review under
// 20 ms; two kept batches compared under 100 ms, read from their files
// included; the listing of 120 kept batches (ten years of months) under
// 500 ms, which the history window's opening is (see historico_janela/).

#include "history/core/historico.h"
#include "review/conferencia.h"
#include "support/lotesguardados.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace pluvexa {
namespace {

using bench::grava;
using bench::loteGuardado;
using bench::mesDigitado;

void BM_Conferencia10000(benchmark::State& state)
{
    const auto m = mesDigitado(kRecargas, 1);
    std::size_t assinalados = 0;
    for (auto _ : state) {
        const Conferencia c = confere(*m, kLimitePadrao);
        assinalados = c.titulares.size();
        benchmark::DoNotOptimize(c.titulares.data());
    }
    state.counters["assinalados"] = double(assinalados);
}
BENCHMARK(BM_Conferencia10000)->Unit(benchmark::kMillisecond);

void BM_ComparaLotes10000(benchmark::State& state)
{
    const auto a = mesDigitado(kRecargas, 1);
    const auto b = mesDigitado(kRecargas, 2);
    for (auto _ : state) {
        const std::vector<LinhaComparacao> c = comparaLotes(*a, *b);
        benchmark::DoNotOptimize(c.data());
    }
}
BENCHMARK(BM_ComparaLotes10000)->Unit(benchmark::kMillisecond);

// What "Comparar" does: both files read back, then compared.
void BM_ComparaLotesLidos10000(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("PX_00123_0007_2611101530_2.HIS"));
    const QString b = dir.filePath(QStringLiteral("PX_00123_0008_2612101530_2.HIS"));
    grava(a, loteGuardado(*mesDigitado(kRecargas, 1), a));
    grava(b, loteGuardado(*mesDigitado(kRecargas, 2), b));
    auto ma = std::make_unique<ModeloRecarga>();
    auto mb = std::make_unique<ModeloRecarga>();
    for (auto _ : state) {
        QString erro;
        if (!carregaHistorico(a, *ma, erro) || !carregaHistorico(b, *mb, erro))
            state.SkipWithError(erro.toStdString().c_str());
        const std::vector<LinhaComparacao> c = comparaLotes(*ma, *mb);
        benchmark::DoNotOptimize(c.data());
    }
}
BENCHMARK(BM_ComparaLotesLidos10000)->Unit(benchmark::kMillisecond);

// 120 months of one company, each batch of range(0) holders.
void BM_ListaHistorico120(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString historico = dir.filePath(QStringLiteral("Historico"));
    bench::guardaMeses(historico, 120, int(state.range(0)));
    for (auto _ : state) {
        const std::vector<LoteHistorico> l = listaHistorico(historico, dir.filePath(QStringLiteral("Gerados")));
        if (l.size() != 120 || !l.front().erro.isEmpty())
            state.SkipWithError("the kept batches were not all read");
        benchmark::DoNotOptimize(l.data());
    }
}
BENCHMARK(BM_ListaHistorico120)->Arg(200)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace pluvexa
