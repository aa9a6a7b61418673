// "Importar Arquivo" on a payroll file of empty lines, against a loaded file
// of 10,000 holders: 16 MiB of them (16,777,216 lines, refused before
// anything is logged) and 100,000 (the most accepted: every line a refused
// record, logged to disk as the run goes, the first 10,000 kept for the
// report). Goal: each under 150 MB of peak memory and 2 s.

#include "../support/picomemoria.h"

#include "exchange/recargaexterna.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

namespace pluvexa {
namespace {

std::unique_ptr<ModeloRecarga> modeloCheio()
{
    auto m = std::make_unique<ModeloRecarga>();
    m->wTipoCartao[1] = {1, "DINHEIRO", Dinheiro, 100, 600};
    for (int i = 0; i < kRecargas; ++i) {
        Recarga& r = m->wRecarga[std::size_t(i)];
        r.Usuario = i + 1;
        r.Matricula = "MAT" + std::to_string(i);
        r.TipoCartao = 1;
        r.Grupo[0].Tarifa = 1;
    }
    m->QtdRecarga = kRecargas;
    return m;
}

void BM_ImportaLinhasVazias(benchmark::State& state)
{
    const auto linhas = std::size_t(state.range(0));
    const auto m = modeloCheio();
    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("vazias.rrm"));
    {
        QFile f(caminho);
        const QByteArray bytes(qsizetype(linhas), '\n');
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            state.SkipWithError("cannot write the file of empty lines");
    }
    OpcoesImportacao o;
    o.pastaLog = dir.filePath(QStringLiteral("Log"));
    bench::PicoMemoria memoria;
    double maior = 0;
    for (auto _ : state) {
        state.PauseTiming();
        memoria.zera();
        state.ResumeTiming();
        RecargaExterna run(*m, o);
        run.Importa(caminho, 1);
        benchmark::DoNotOptimize(run.TotalErros);
        state.PauseTiming();
        maior = std::max(maior, memoria.pico());
        const bool recusado = run.recusa().has_value();
        if (linhas > std::size_t(kMaisLinhasImportacao) ? !recusado
                                                         : recusado || run.TotalErros != int(linhas)
                                                               || run.linhasResultado().size() != kMaisLinhasRelatorio + 1)
            state.SkipWithError("unexpected import result");
        state.ResumeTiming();
    }
    memoria.registra(state, maior);
    state.counters["linhas"] = double(linhas);
}
BENCHMARK(BM_ImportaLinhasVazias)->Arg(16 << 20)->Arg(kMaisLinhasImportacao)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pluvexa
