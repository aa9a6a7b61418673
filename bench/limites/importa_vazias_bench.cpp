// "Importar Arquivo" on a payroll file of empty lines, against a loaded file
// of 10,000 holders: 16 MiB of them (16,777,216 lines, refused before
// anything is logged) and 100,000 (the most accepted: every line a refused
// record, logged to disk as the run goes, the first 10,000 kept for the
// report). Goal: each under 150 MB of peak memory and 2 s.

#include "../support/importacaomedida.h"

namespace pluvexa {
namespace {

void BM_ImportaLinhasVazias(benchmark::State& state)
{
    const auto linhas = std::size_t(state.range(0));
    bench::medeImportacao(state, QStringLiteral("vazias.rrm"), QByteArray(qsizetype(linhas), '\n'),
                          [linhas](const RecargaExterna& run) {
                              if (linhas > std::size_t(kMaisLinhasImportacao))
                                  return run.recusa().has_value();
                              return !run.recusa() && run.TotalErros == int(linhas)
                                     && run.linhasResultado().size() == kMaisLinhasRelatorio + 1;
                          });
    state.counters["linhas"] = double(linhas);
}
BENCHMARK(BM_ImportaLinhasVazias)->Arg(16 << 20)->Arg(kMaisLinhasImportacao)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pluvexa
