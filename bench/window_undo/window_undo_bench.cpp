// Undo and redo as the window runs them, on the window's own grid widget
// listing 10,000 holders: the grid written back first, the step's values
// put back in the model, the 10,000 changed value cells rewritten in the
// view, and both totals recomputed. The step is "Alterar Vlr." on every row.
// Goal: an undo of a 10,000-row fill under 50 ms.
//
// Also what taking a step costs: "Alterar Vlr." on every row with its step
// (picture before, comparison after), and one typed value's step, which
// pictures and compares the 10,000 holders on each Enter.

#include "flows/desfazervalores.h"
#include "grid/atualizacaogrid.h"
#include "grid/passovalores.h"
#include "grid/preenchegrid.h"
#include "grid/totaisgrid.h"
#include "grid/validavalor.h"
#include "maintenance/recargagrid.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <memory>
#include <string>

namespace pluvexa {
namespace {

// Every holder on money card type 1, tariff 1, so the grid lists them all.
struct Cena {
    std::unique_ptr<ModeloRecarga> m = std::make_unique<ModeloRecarga>();
    QWidget janela;
    RecargaGrid* grade = new RecargaGrid(&janela);
    SelecaoGrid sel;
    IndiceLinhas indice;
    DesfazerValores desfazer{*m};

    Cena()
    {
        m->wTipoCartao[1] = {1, "DINHEIRO", Dinheiro, 100, 600};
        m->wTarifa[1] = {1, "URBANA", 2.30, 1001};
        for (int i = 0; i < kRecargas; ++i) {
            Recarga& r = m->wRecarga[std::size_t(i)];
            r.Usuario = i + 1;
            r.Cartao = 900000 + i;
            r.Nome = "TITULAR " + std::to_string(i);
            r.Matricula = "MAT" + std::to_string(i);
            r.TipoCartao = 1;
            r.Grupo[0] = {1, 100, double(i % 50)};
        }
        m->QtdRecarga = kRecargas;
        janela.resize(1000, 600);
        grade->resize(1000, 600);
        janela.show();
        PreencheGrid(*grade, *m, sel, QStringLiteral("01 - DINHEIRO"), QStringLiteral("01 - URBANA"), {},
                     &indice);
    }
    // "Alterar Vlr." with `valor` on every row, as one step.
    void alteraValor(const QString& valor)
    {
        PassoDesfazer passo(desfazer, kPassoAlterarVlr);
        AplicaValorPadrao(*grade, *m, sel, valor);
        AtualizaArrayRecargas(*grade, *m, sel, {});
    }
};

void BM_DesfazRefazPelaGrade(benchmark::State& state)
{
    Cena c;
    c.alteraValor(QStringLiteral("123,45"));
    if (!c.desfazer.podeDesfazer())
        state.SkipWithError("no step taken");
    bool desfaz = true;
    std::size_t alterados = 0;
    for (auto _ : state) {
        // What the window's undo and redo run, in its order.
        AtualizaArrayRecargas(*c.grade, *c.m, c.sel, {});
        const PassoTomado d = desfaz ? c.desfazer.desfaz() : c.desfazer.refaz();
        mostraMudancas(*c.grade, *c.m, c.sel, c.indice, d.mudancas);
        benchmark::DoNotOptimize(CalculaRecargasGeral(*c.m).dinheiro);
        benchmark::DoNotOptimize(CalculaGrid(*c.grade, *c.m, c.sel).dinheiro);
        QCoreApplication::processEvents();
        alterados = d.mudancas.size();
        desfaz = !desfaz;
    }
    if (alterados != std::size_t(kRecargas))
        state.SkipWithError("the step did not hold the whole fill");
}
BENCHMARK(BM_DesfazRefazPelaGrade)->Unit(benchmark::kMillisecond);

void BM_AlterarVlrComPasso(benchmark::State& state)
{
    Cena c;
    int i = 0;
    for (auto _ : state)
        c.alteraValor(QString::number(1 + i++ % 2) + QStringLiteral(",00"));
    if (!c.desfazer.podeDesfazer())
        state.SkipWithError("no step taken");
}
BENCHMARK(BM_AlterarVlrComPasso)->Unit(benchmark::kMillisecond);

void BM_PassoDeUmValorDigitado(benchmark::State& state)
{
    Cena c;
    int i = 0;
    for (auto _ : state) {
        PassoDesfazer passo(c.desfazer, kPassoDigitado);
        c.m->wRecarga[std::size_t(i % kRecargas)].Grupo[0].Valor += 1;
        ++i;
    }
    if (!c.desfazer.podeDesfazer())
        state.SkipWithError("no step taken");
}
BENCHMARK(BM_PassoDeUmValorDigitado)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pluvexa
