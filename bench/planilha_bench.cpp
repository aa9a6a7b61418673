// Spreadsheets of a full file: 10,000 holders exported (goal: under
// 100 ms) and a 10,000-line CSV imported against them, log included (goal:
// under 150 ms).

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "central/dadosdemo.h"
#include "exchange/exportacsv.h"
#include "exchange/recargaexterna.h"

namespace pluvexa {
namespace {

ModeloRecarga& modeloCheio()
{
    static ModeloRecarga m = [] {
        ModeloRecarga novo;
        DemoOptions o;
        o.holders = kRecargas;
        geraModeloDemo(novo, o, QDateTime(QDate(2026, 3, 9), QTime(9, 30)));
        for (int i = 0; i < novo.QtdRecarga; ++i)
            novo.wRecarga[std::size_t(i)].Grupo[0].Valor = 1 + i % 200;
        return novo;
    }();
    return m;
}

void BM_ExportaPlanilha(benchmark::State& state)
{
    const ModeloRecarga& m = modeloCheio();
    QTemporaryDir dir;
    const QString destino = dir.filePath(QStringLiteral("titulares.csv"));
    for (auto _ : state) {
        if (!exportaPlanilha(m, destino))
            state.SkipWithError("cannot write the spreadsheet");
    }
    state.SetItemsProcessed(state.iterations() * kRecargas);
}
BENCHMARK(BM_ExportaPlanilha)->Unit(benchmark::kMillisecond);

void BM_ImportaPlanilha(benchmark::State& state)
{
    ModeloRecarga& m = modeloCheio();
    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("titulares.csv"));
    if (!exportaPlanilha(m, caminho))
        state.SkipWithError("cannot write the spreadsheet");
    OpcoesImportacao o;
    o.pastaLog = dir.filePath(QStringLiteral("Log"));
    for (auto _ : state) {
        RecargaExterna run(m, o);
        run.Importa(caminho, 1);
        // Every row is read; those of holders without a registration are
        // refused, every other one stored.
        if (run.TotalOk + run.TotalErros != kRecargas || run.TotalOk < kRecargas * 8 / 10)
            state.SkipWithError("unexpected import result");
    }
    state.SetItemsProcessed(state.iterations() * kRecargas);
}
BENCHMARK(BM_ImportaPlanilha)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pluvexa
