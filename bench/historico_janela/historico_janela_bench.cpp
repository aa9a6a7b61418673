// The "Histórico" window opening on ten years of months (120 kept batches)
// of a company of range(0) holders: every batch read back and totalled, the
// table filled, the window shown. Goal: under 500 ms.

#include "history/janela/tfhistorico.h"
#include "../support/lotesguardados.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableWidget>
#include <QTemporaryDir>

namespace pluvexa {
namespace {

void BM_JanelaHistorico120(benchmark::State& state)
{
    QTemporaryDir home;
    const QByteArray homeAntes = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    bench::guardaMeses(home.filePath(QStringLiteral("Drovanti/Pluvexa/Historico")), 120, int(state.range(0)));
    for (auto _ : state) {
        auto* janela = new Tfhistorico(AppContext{});
        janela->resize(1200, 700);
        janela->show();
        QCoreApplication::processEvents();
        if (janela->sgLotes->rowCount() != 120)
            state.SkipWithError("the window did not list the 120 batches");
        state.PauseTiming();
        delete janela;
        state.ResumeTiming();
    }
    qputenv("HOME", homeAntes);
}
BENCHMARK(BM_JanelaHistorico120)->Arg(200)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace pluvexa
