// "Processar Arquivo" on a full received file, without the widgets: open the
// envelope and expand (DescompactaArquivo), read the lines, load and check
// every record (ProcessadorRecarga) and fill the grid of the largest
// selection (PreencheGrid on a TabelaGridMemoria). 10,000 holders: the
// demonstration file as generated (argument 0), and the same with every
// holder on one money card type and tariff, so that the grid lists them all
// (argument 1). Goal: under 100 ms for the whole step.

#include "central/dadosdemo.h"
#include "central/ladocentral.h"
#include "codec/builtinkeys.h"
#include "grid/preenchegrid.h"
#include "grid/tabelagridmemoria.h"
#include "recharge/cp1252.h"
#include "recharge/empacotamento.h"
#include "recharge/escritorrecarga.h"
#include "recharge/processamento.h"

#include <benchmark/benchmark.h>
#include <cryptopp/osrng.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <stdexcept>

namespace pluvexa {
namespace {

// A received file sealed by a central whose key pair is made here (the
// program side uses its compiled-in keys), and the largest card type and
// tariff selection of its content.
struct Recebido {
    QTemporaryDir dir;
    QString caminho;
    ChavesEnvelope chaves;
    QString entradaTipo;
    QString entradaTarifa;
    int linhasGrade = 0;

    explicit Recebido(bool todosNumaSelecao)
    {
        CryptoPP::AutoSeededRandomPool rng;
        const std::optional<KeyPair> central = generate_key_pair(512, rng);
        if (!central)
            throw std::runtime_error("no key pair");
        chaves = {own_private_key(), central->publicRecord};

        auto m = std::make_unique<ModeloRecarga>();
        DemoOptions o;
        o.holders = kRecargas;
        const QDateTime quando(QDate(2004, 12, 9), QTime(8, 30));
        geraModeloDemo(*m, o, quando);
        if (todosNumaSelecao) {
            for (int i = 0; i < m->QtdRecarga; ++i) {
                Recarga& h = m->wRecarga[size_t(i)];
                h = Recarga{h.Usuario, h.Cartao, h.Nome, h.Matricula, 1, {}, {}};
                h.Grupo[0] = {1, 100, 0.0};
                h.Historico[0] = {10.5, 20, 30.25};
            }
        }
        const QString nome = nomeArquivoRecebido(o.empresa, o.remessa, quando);
        const ResultadoEscrita escrita = EscritorRecarga(*m).gera(paraCp1252(nome), quando, quando);
        if (!escrita.ok())
            throw std::runtime_error("demo model does not fit the records");
        const QString texto = dir.filePath(QStringLiteral("central.txt"));
        salvaLinhas(escrita.linhas, texto);
        caminho = dir.filePath(nome);
        if (preparaArquivoRecebido(texto, caminho, central->privateRecord, public_half(own_private_key())).resultado
            != CentralOk)
            throw std::runtime_error("cannot seal the received file");
        QFile::remove(texto);

        // The selection that lists the most holders.
        QStringList log;
        const ResultadoProcessamento r = ProcessadorRecarga(*m).processa(escrita.linhas, log);
        for (const Texto& tipo : r.listaTiposCartao) {
            for (const Texto& tarifa : r.listaTarifas) {
                const int t = codigoDaEntrada(deCp1252(tipo));
                const int f = codigoDaEntrada(deCp1252(tarifa));
                int n = 0;
                for (int i = 0; i < m->QtdRecarga; ++i) {
                    const Recarga& h = m->wRecarga[size_t(i)];
                    n += h.TipoCartao == t && grupoMostrado(h, f, m->wTipoCartao[size_t(t)].Modalidade) >= 0;
                }
                if (n > linhasGrade) {
                    linhasGrade = n;
                    entradaTipo = deCp1252(tipo);
                    entradaTarifa = deCp1252(tarifa);
                }
            }
        }
    }
};

void BM_ProcessaArquivoRecebido(benchmark::State& state)
{
    static Recebido demo(false);
    static Recebido cheio(true);
    Recebido& recebido = state.range(0) ? cheio : demo;
    const QString pasta = recebido.dir.path();
    auto m = std::make_unique<ModeloRecarga>();
    for (auto _ : state) {
        std::vector<Texto> linhas;
        if (DescompactaArquivo(recebido.caminho, false, linhas, recebido.chaves) != EmpacotamentoOk) {
            state.SkipWithError("the received file does not open");
            break;
        }

        QStringList log;
        const ResultadoProcessamento r = ProcessadorRecarga(*m).processa(linhas, log);
        if (!r.consistente()) {
            state.SkipWithError("the received file is not consistent");
            break;
        }
        TabelaGridMemoria grid;
        SelecaoGrid sel;
        const ResultadoPreenchimento p = PreencheGrid(grid, *m, sel, recebido.entradaTipo,
                                                      recebido.entradaTarifa, AvisosJanela{});
        benchmark::DoNotOptimize(p.lblqtdrec);
        benchmark::DoNotOptimize(grid.rowCount());
    }
    state.counters["holders"] = double(m->QtdRecarga);
    state.counters["rows"] = double(recebido.linhasGrade);
}
BENCHMARK(BM_ProcessaArquivoRecebido)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pluvexa
