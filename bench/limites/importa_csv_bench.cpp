// "Importar Arquivo" on a 16 MiB spreadsheet of one row, against a loaded
// file of 10,000 holders: the row alone (a header of one 16 MiB column,
// refused as lacking its columns) and a header followed by one row whose
// value is 16 MiB of digits (refused as an invalid value). Each message
// quotes the cell by its first characters, never whole. Goal: each under
// 150 MB of peak memory and 2 s.

#include "../support/picomemoria.h"

#include "exchange/recargaexterna.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

namespace pluvexa {
namespace {

constexpr qsizetype kTamanho = qsizetype(16) << 20;

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

// Arg 0: one row of 16 MiB; arg 1: a header and one row, 16 MiB in all.
QByteArray planilha(int forma)
{
    if (forma == 0)
        return QByteArray(kTamanho, 'x');
    QByteArray b = QByteArrayLiteral("Matr\xC3\xAD" "cula;Valor\r\nMAT1;");
    b += QByteArray(kTamanho - b.size(), '9');
    return b;
}

void BM_ImportaPlanilhaDeUmaLinha(benchmark::State& state)
{
    const auto m = modeloCheio();
    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("folha.csv"));
    {
        QFile f(caminho);
        const QByteArray bytes = planilha(int(state.range(0)));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            state.SkipWithError("cannot write the spreadsheet");
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
        if (run.recusa() || run.TotalErros != 1 || run.linhasResultado().size() != 1
            || run.linhasResultado().first().size() > 400)
            state.SkipWithError("unexpected import result");
        state.ResumeTiming();
    }
    memoria.registra(state, maior);
}
BENCHMARK(BM_ImportaPlanilhaDeUmaLinha)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pluvexa
