// The "Histórico" window opening on ten years of months (120 kept batches)
// of a company of range(0) holders, the table filled, the window shown.
// range(1) 1: cold, every batch read back and totalled (the first opening,
// or after the folder's summary is lost); 0: as every later opening, the
// totals from the summary. Goal: under 500 ms.

#include "history/indicehistorico.h"
#include "history/janela/tfhistorico.h"
#include "../support/lotesguardados.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>

namespace pluvexa {
namespace {

void BM_JanelaHistorico120(benchmark::State& state)
{
    QTemporaryDir home;
    const QByteArray homeAntes = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    const QString pasta = home.filePath(QStringLiteral("Drovanti/Pluvexa/Historico"));
    bench::guardaMeses(pasta, 120, int(state.range(0)));
    const bool frio = state.range(1) != 0;
    const QString resumo = QDir(pasta).filePath(IndiceHistorico::kNome);
    if (!frio)
        listaHistorico(pasta, QString(), Resumo::Usa);
    for (auto _ : state) {
        if (frio) {
            state.PauseTiming();
            QFile::remove(resumo);
            state.ResumeTiming();
        }
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
BENCHMARK(BM_JanelaHistorico120)
    ->ArgNames({"holders", "cold"})
    ->Args({200, 1})
    ->Args({10000, 1})
    ->Args({10000, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
}  // namespace pluvexa
