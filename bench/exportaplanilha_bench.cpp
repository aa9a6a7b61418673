// The holders of a full file (10,000) exported as the clerk's workbooks,
// beside the CSV export of planilha_bench.cpp: .xlsx through libxlsxwriter
// (a scratch folder, then the file layer) and .ods built in memory. Goal:
// each under 300 ms.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "central/dadosdemo.h"
#include "exchange/exportacsv.h"

namespace pluvexa {
namespace {

const ModeloRecarga& modeloCheio()
{
    static const ModeloRecarga m = [] {
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

void exporta(benchmark::State& state, FormatoPlanilha formato)
{
    const ModeloRecarga& m = modeloCheio();
    QTemporaryDir dir;
    const QString destino = dir.filePath(QStringLiteral("titulares") + extensaoDe(formato));
    for (auto _ : state) {
        FalhaArquivo falha;
        if (!exportaPlanilha(m, formato, destino, &falha))
            state.SkipWithError(falha.mensagem.c_str());
    }
    state.SetItemsProcessed(state.iterations() * kRecargas);
}

void BM_ExportaXlsx(benchmark::State& state)
{
    exporta(state, FormatoPlanilha::Xlsx);
}
BENCHMARK(BM_ExportaXlsx)->Unit(benchmark::kMillisecond);

void BM_ExportaOds(benchmark::State& state)
{
    exporta(state, FormatoPlanilha::Ods);
}
BENCHMARK(BM_ExportaOds)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pluvexa
