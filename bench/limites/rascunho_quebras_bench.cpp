// Continuing a draft whose stream asks for 64 MiB, as the maintenance window
// opens it. Drafts are not signed; 43 KB of stream is enough. Arg '\n': 64
// MiB of line breaks; arg ' ': one blank line of 64 MiB. A draft expands to
// no more than the largest recharge text (2,783,573 bytes): the expansion
// stops there as a failure, found before its output is allocated. Goal:
// each under 150 MB of peak memory and 2 s.

#include "../support/picomemoria.h"
#include "../../tests/support/fluxolzw.h"

#include "codec/lzw.h"
#include "recharge/empacotamento.h"
#include "recharge/processamento.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace pluvexa {
namespace {

void BM_ContinuaRascunhoDe64MiB(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("PX_00123_0007_2603091405_2.REC"));
    {
        const std::vector<std::uint8_t> fluxo =
            test::fluxoRepetido(std::uint8_t(state.range(0)), lzw::kMaxExpandedSize);
        QFile f(caminho);
        if (!f.open(QIODevice::WriteOnly)
            || f.write(reinterpret_cast<const char*>(fluxo.data()), qint64(fluxo.size())) != qint64(fluxo.size()))
            state.SkipWithError("cannot write the draft");
    }
    auto modelo = std::make_unique<ModeloRecarga>();
    bench::medeExecucoes(state, [&] {
        std::vector<Texto> linhas;
        const int r = DescompactaArquivo(caminho, true, linhas);
        QStringList log;
        const ResultadoProcessamento p = ProcessadorRecarga(*modelo).processa(linhas, log);
        benchmark::DoNotOptimize(p.marcas);
        return r == FalhaCompressao && linhas.empty();
    });
}
BENCHMARK(BM_ContinuaRascunhoDe64MiB)->Arg('\n')->Arg(' ')->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pluvexa
