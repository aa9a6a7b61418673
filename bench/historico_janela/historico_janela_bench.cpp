// The "Histórico" window opening on ten years of months (120 kept batches)
// of a company of range(0) holders, the table filled, the window shown.
// range(1) 1: cold, every batch read back and totalled (the first opening,
// or after the folder's summary is lost); 0: as every later opening, the
// totals from the summary. Goal: under 500 ms.

#include "history/core/indicehistorico.h"
#include "history/tfhistorico.h"
#include "../support/lotesguardados.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>

namespace pluvexa {
namespace {

// Opens and shows the window once an iteration over the kept batches of
// `pasta`: cold, the summary removed before each opening (every batch
// read); warm, the summary made once beforehand, as every later opening.
void abreJanelas(benchmark::State& state, const QString& pasta, bool frio, int lotes)
{
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
        if (janela->sgLotes->rowCount() != lotes)
            state.SkipWithError("the window did not list every batch");
        state.PauseTiming();
        delete janela;
        state.ResumeTiming();
    }
}

void BM_JanelaHistorico120(benchmark::State& state)
{
    QTemporaryDir home;
    const QByteArray homeAntes = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    const QString pasta = home.filePath(QStringLiteral("Drovanti/Pluvexa/Historico"));
    bench::guardaMeses(pasta, 120, int(state.range(0)));
    abreJanelas(state, pasta, state.range(1) != 0, 120);
    qputenv("HOME", homeAntes);
}
BENCHMARK(BM_JanelaHistorico120)
    ->ArgNames({"holders", "cold"})
    ->Args({200, 1})
    ->Args({10000, 1})
    ->Args({10000, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// A kept batch made to cost its reader the most: 37 KB of codes, each
// string one byte longer than the last up to the expander's 4,000, then the
// longest again and again, so that it expands to just under the coder's
// 64 MiB of one line and holds no recharge text.
QByteArray loteQueIncha()
{
    QByteArray z;
    const auto codigo = [&z](int c) {
        z.append(char(c >> 8));
        z.append(char(c & 0xff));
    };
    codigo('a');
    for (int c = 256; c < 256 + 3999; ++c)
        codigo(c);
    for (int i = 0; i < 14500; ++i)
        codigo(256 + 3998);
    codigo(0xffff);
    codigo(0);
    return z;
}

// The window opening on 200 such batches beside 12 good months.
// range(0) 1: cold (the first opening: every batch read); 0: as every later
// opening, the damaged ones known from the summary. Goal: warm under 1 s.
void BM_JanelaHistoricoDanificados(benchmark::State& state)
{
    QTemporaryDir home;
    const QByteArray homeAntes = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    const QString pasta = home.filePath(QStringLiteral("Drovanti/Pluvexa/Historico"));
    bench::guardaMeses(pasta, 12, 200);
    const QByteArray danificado = loteQueIncha();
    for (int i = 0; i < 200; ++i) {
        QFile f(QDir(pasta).filePath(QStringLiteral("PX_00999_%1_2601011200_2.HIS").arg(i + 1, 4, 10, QLatin1Char('0'))));
        if (!f.open(QIODevice::WriteOnly) || f.write(danificado) != danificado.size())
            state.SkipWithError("cannot write the damaged batches");
    }
    abreJanelas(state, pasta, state.range(0) != 0, 212);
    qputenv("HOME", homeAntes);
}
BENCHMARK(BM_JanelaHistoricoDanificados)
    ->ArgNames({"cold"})
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
}  // namespace pluvexa
