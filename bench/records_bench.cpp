// Reading and checking a full file of holders into the model, and writing it
// back: both run on every processing and every draft or answer.

#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QStringList>

#include "recharge/processamento.h"
#include "recharge/registros.h"

namespace pluvexa {
namespace {

std::string numero(long long v, std::size_t largura)
{
    std::string s = std::to_string(v);
    return std::string(largura - s.size(), '0') + s;
}

std::string texto(std::string s, std::size_t largura)
{
    s.resize(largura, ' ');
    return s;
}

// A file of kRecargas holders, half money and half credits.
std::vector<Texto> arquivoCheio()
{
    std::vector<Texto> l;
    l.push_back("00" "0001" "00042" + texto("EMPRESA", 50) + "010224" "083000" "010224" "083500" "1"
                + texto("PX_00042_0007_2402010830_1.rec", 65) + texto("", 65) + texto("V", 20)
                + texto("2.1.1.01C ", 20) + numero(1, 18) + "1");
    l.push_back("04" "01" + texto("DINHEIRO", 50) + "0" "10000" "60000");
    l.push_back("04" "02" + texto("CREDITOS", 50) + "1" "05000" "00250");
    l.push_back("05" "03" "URBANA    " + numero(230, 18) + numero(1, 10));
    for (int i = 0; i < kRecargas; ++i) {
        const bool dinheiro = i % 2 == 0;
        std::string d = "01" + numero(i + 1, 10) + numero(900000 + i, 10) + texto("PORTADOR " + std::to_string(i), 50)
            + texto("M" + std::to_string(i), 20) + (dinheiro ? "01" : "02") + "0003" + numero(dinheiro ? 1500 : 40, 18)
            + numero(0, 18) + numero(dinheiro ? 2575 : 20, 18);
        for (int g = 0; g < 3; ++g)
            d += dinheiro ? "0000000000" : "0003010015";
        d += numero(0, 18) + std::string(12, ' ') + "01000" "00550" "00100";
        d += dinheiro ? std::string(45, '0') : std::string("00015000120001000015000120001000015000120001"  "0");
        l.push_back(std::move(d));
    }
    l.push_back("99" + numero(kRecargas + 5, 10) + numero(kRecargas, 18) + std::string(126, '0'));
    return l;
}

void BM_LerEConferir(benchmark::State& state)
{
    const std::vector<Texto> linhas = arquivoCheio();
    ModeloRecarga m;
    ProcessadorRecarga p(m);
    for (auto _ : state) {
        QStringList log;
        const ResultadoProcessamento r = p.processa(linhas, log);
        if (!r.consistente() || m.QtdRecarga != kRecargas)
            state.SkipWithError("sample file not consistent");
        benchmark::DoNotOptimize(m.wRecarga.data());
    }
    state.SetItemsProcessed(state.iterations() * kRecargas);
}
BENCHMARK(BM_LerEConferir)->Unit(benchmark::kMillisecond);

void BM_Escrever(benchmark::State& state)
{
    const std::vector<Texto> linhas = arquivoCheio();
    ModeloRecarga m;
    QStringList log;
    ProcessadorRecarga(m).processa(linhas, log);
    const QDateTime agora(QDate(2024, 2, 1), QTime(9, 0));
    EscritorRecarga e(m);
    for (auto _ : state) {
        ResultadoEscrita r = e.gera("PX_00042_0007_2402010900_2.REC", agora, agora);
        if (!r.ok() || r.linhas.size() != linhas.size())
            state.SkipWithError("writer refused the sample file");
        benchmark::DoNotOptimize(r.linhas.data());
    }
    state.SetItemsProcessed(state.iterations() * kRecargas);
}
BENCHMARK(BM_Escrever)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pluvexa
