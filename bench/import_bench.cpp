// The external import of a full payroll file: 10,000 records against a
// file of 10,000 holders, log included. Goal: under 100 ms.

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "exchange/recargaexterna.h"

namespace pluvexa {
namespace {

std::string aDireita(const std::string& s, std::size_t largura, char enche)
{
    return std::string(largura - s.size(), enche) + s;
}

void BM_ImportaFolha(benchmark::State& state)
{
    ModeloRecarga m;
    m.wTipoCartao[1] = {1, "DINHEIRO", Dinheiro, 100, 600};
    m.wTipoCartao[2] = {2, "CREDITOS", Creditos, 50, 250};
    std::string bytes;
    for (int i = 0; i < kRecargas; ++i) {
        Recarga& r = m.wRecarga[std::size_t(i)];
        r.Usuario = i + 1;
        r.Matricula = "MAT" + std::to_string(i);
        r.TipoCartao = i % 4 == 0 ? 2 : 1;
        r.Grupo[0].Tarifa = 1;
        // Records in another order than the holders, half naming their type.
        const int h = (i * 7919) % kRecargas;
        const std::string valor = (h % 4 == 0 ? std::to_string(10 + h % 200) : std::to_string(h % 600)) + ",00";
        std::string linha = aDireita(std::to_string(i + 1), 7, '0') + "MAT" + std::to_string(h);
        linha.resize(28, ' ');
        linha += aDireita(valor, 19, '0') + "0000000123  0000002603" + (i % 2 ? (h % 4 == 0 ? "02" : "01") : "");
        bytes += linha + "\r\n";
    }
    m.QtdRecarga = kRecargas;

    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("folha.rrm"));
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        state.SkipWithError("cannot write the payroll file");
    f.close();
    OpcoesImportacao o;
    o.pastaLog = dir.filePath(QStringLiteral("Log"));
    for (auto _ : state) {
        RecargaExterna run(m, o);
        run.Importa(caminho, 1);
        // Records without a type are matched in type 1: a quarter of them
        // name a credit holder and are not found; every other record is stored.
        if (run.TotalOk + run.TotalErros != kRecargas || run.TotalOk < kRecargas * 3 / 4)
            state.SkipWithError("unexpected import result");
    }
    state.SetItemsProcessed(state.iterations() * kRecargas);
}
BENCHMARK(BM_ImportaFolha)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pluvexa
