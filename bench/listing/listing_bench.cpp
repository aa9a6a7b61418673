// The printed listing of a full file: 10,000 holders, every one in four
// tariff groups, so 40,000 listing lines. Goals: compose the body lines
// under 30 ms, lay out every page under 1.5 s, write the PDF under 4 s; the
// usual 10,000-line listing ready in the print preview under 1 s; the
// program's peak memory with the 40,000-line preview open under 400 MB
// (reported as the counter peak_MB).

#include "recharge/listagem.h"
#include "report/pdf.h"
#include "report/tfreprecarga.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <memory>
#include <random>

namespace pluvexa {
namespace {

// `grupos` used groups per holder, two card types (money and credits), the
// holders in no particular order.
std::unique_ptr<ModeloRecarga> modeloCheio(int grupos)
{
    auto m = std::make_unique<ModeloRecarga>();
    m->wTipoCartao[1] = {1, "ESCOLAR" + std::string(43, ' '), Dinheiro, 0, 600.0};
    m->wTipoCartao[2] = {2, "VALE TRANSPORTE" + std::string(35, ' '), Creditos, 50.0, 250.0};
    for (int f = 1; f <= 4; ++f)
        m->wTarifa[size_t(f)] = {f, "TARIFA    ", 2.05 + 0.35 * f, 0};
    m->ModoArredondamento = 1;
    std::mt19937 rnd(11);
    for (int i = 0; i < kRecargas; ++i) {
        Recarga& h = m->wRecarga[size_t(i)];
        h.Usuario = int(rnd() % 100000000);
        h.Cartao = int(rnd() % 1000000000);
        std::string nome = "PORTADOR " + std::to_string(rnd() % 100000);
        h.Nome = nome + std::string(50 - nome.size(), ' ');
        h.Matricula = std::to_string(rnd() % 1000000);
        h.TipoCartao = 1 + int(rnd() % 2);
        for (int g = 0; g < grupos; ++g)
            h.Grupo[size_t(g)] = {g + 1, 1, double(1 + rnd() % 200)};
    }
    m->QtdRecarga = kRecargas;
    return m;
}

struct Listagem {
    std::unique_ptr<ModeloRecarga> m;
    std::unique_ptr<Tfreprecarga> form;
    explicit Listagem(int grupos) : m(modeloCheio(grupos)), form(std::make_unique<Tfreprecarga>(*m))
    {
        preparaListagem(*form, *m, QStringLiteral("EMPRESA"), QStringLiteral("/tmp/PX_1.rec"));
    }
};

void BM_CompoeLinhas(benchmark::State& state)
{
    Listagem l(kGrupos);
    for (auto _ : state)
        benchmark::DoNotOptimize(compoeLinhas(*l.m, l.form->UltimaLinha));
    state.counters["lines"] = double(l.form->UltimaLinha + 1);
}

void BM_PreparaTabela(benchmark::State& state)
{
    auto m = modeloCheio(kGrupos);
    for (auto _ : state)
        benchmark::DoNotOptimize(preparaListagem(*m));
}

void BM_PaginasDaListagem(benchmark::State& state)
{
    Listagem l(kGrupos);
    size_t paginas = 0;
    for (auto _ : state)
        paginas = l.form->prepara().pages.size();
    state.counters["pages"] = double(paginas);
}

void BM_PdfDaListagem(benchmark::State& state)
{
    Listagem l(kGrupos);
    QTemporaryDir pasta;
    const QString destino = pasta.filePath(QStringLiteral("listagem.pdf"));
    for (auto _ : state) {
        const report::Document doc = l.form->prepara();
        if (!report::writePdf(l.form->QuickRep1, doc, destino))
            state.SkipWithError("PDF not written");
    }
    state.counters["bytes"] = double(QFile(destino).size());
}

// What the preview does when it opens: lays out and paints every page into
// its page pictures. Arg: used groups per holder (1: 10,000 lines; 4:
// 40,000 lines, with the peak memory of the process so far).
void BM_VisualizacaoPronta(benchmark::State& state)
{
    Listagem l(int(state.range(0)));
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setFullPage(true);
        QPrintPreviewWidget preview(&printer);
        QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, [&l](QPrinter* p) {
            const report::Document doc = l.form->prepara();
            l.form->QuickRep1.paint(*p, doc);
        });
        preview.updatePreview();
        state.counters["pages"] = double(preview.pageCount());
    }
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& linha : status.readAll().split('\n'))
            if (linha.startsWith("VmHWM:"))
                state.counters["peak_MB"] = linha.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
}

BENCHMARK(BM_CompoeLinhas)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreparaTabela)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaginasDaListagem)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PdfDaListagem)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_VisualizacaoPronta)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace pluvexa
