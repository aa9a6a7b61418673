// "Importar Arquivo" as the window runs it: 10,000 payroll records against
// a file of 10,000 holders, with a real gauge and counter moved and pending
// messages run after every record, the log written, and the window's grid
// widget refilled with all 10,000 rows at the end. Goal: under 1 s.

#include "flows/fluxoimportacao.h"
#include "grid/preenchegrid.h"
#include "interaction/interaction.h"
#include "maintenance/recargagrid.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>

#include <memory>
#include <string>

namespace pluvexa {
namespace {

// The operator: picks the payroll file, reads every notice.
class Operador final : public Interaction {
public:
    explicit Operador(QString arquivo) : m_arquivo(std::move(arquivo)) {}
    void notice(const QString&, Icon, const QString&) override { ++avisos; }
    bool question(const QString&, const QString&) override { return true; }
    void errorBox(const QString&) override { ++avisos; }
    QString openFileName(const QString&, const QString&, const QString&, QString*) override { return m_arquivo; }
    QString saveFileName(const QString&, const QString&, const QString&, QString*) override { return {}; }
    void printPreview(const std::function<void(QPagedPaintDevice*)>&, const std::function<QString()>&) override
    {
        ++relatorios;
    }
    int avisos = 0;
    int relatorios = 0;

private:
    QString m_arquivo;
};

std::string aDireita(const std::string& s, std::size_t largura, char enche)
{
    return std::string(largura - s.size(), enche) + s;
}

void BM_ImportaPelaJanela(benchmark::State& state)
{
    // Every holder on money card type 1, tariff 1, so that the refilled
    // grid lists them all; the records in another order than the holders.
    auto m = std::make_unique<ModeloRecarga>();
    m->wTipoCartao[1] = {1, "DINHEIRO", Dinheiro, 100, 600};
    m->wTarifa[1] = {1, "URBANA", 2.30, 1001};
    std::string bytes;
    for (int i = 0; i < kRecargas; ++i) {
        Recarga& r = m->wRecarga[std::size_t(i)];
        r.Usuario = i + 1;
        r.Nome = "TITULAR " + std::to_string(i);
        r.Matricula = "MAT" + std::to_string(i);
        r.TipoCartao = 1;
        r.Grupo[0] = {1, 100, 0.0};
        const int h = (i * 7919) % kRecargas;
        std::string linha = aDireita(std::to_string(i + 1), 7, '0') + "MAT" + std::to_string(h);
        linha.resize(28, ' ');
        linha += aDireita(std::to_string(h % 600) + ",50", 19, '0') + "0000000123  0000002603"
                 + (i % 2 ? "01" : "");
        bytes += linha + "\r\n";
    }
    m->QtdRecarga = kRecargas;

    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("folha.rrm"));
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        state.SkipWithError("cannot write the payroll file");
    f.close();

    QWidget janela;
    QProgressBar gauge(&janela);
    QLabel contador(&janela);
    QLabel legenda(&janela);
    RecargaGrid grade(&janela);
    janela.show();
    SelecaoGrid sel;

    JanelaImportacao j;
    j.avisos.mostraProgresso = [&](bool on) {
        gauge.setVisible(on);
        contador.setVisible(on);
        legenda.setVisible(on);
    };
    j.avisos.legendaProgresso = [&](const QString& t) { legenda.setText(t); };
    j.avisos.progresso = [&](int posicao, int maximo) {
        gauge.setMaximum(std::max(1, maximo));
        gauge.setValue(posicao);
        contador.setText(QString::number(posicao));
    };
    j.avisos.processaMensagens = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
    j.recarregaGrade = [&] {
        PreencheGrid(grade, *m, sel, QStringLiteral("01 - DINHEIRO"), QStringLiteral("01 - URBANA"),
                     j.avisos);
    };
    PedidoImportacao pedido;
    pedido.tipoCartaoSel = 1;
    pedido.opcoes.pastaLog = dir.filePath(QStringLiteral("Log"));

    for (auto _ : state) {
        Operador ui(caminho);
        const ResultadoImportacaoJanela r = importaArquivo(*m, ui, j, pedido);
        if (!r.sucesso || r.armazenados != kRecargas || ui.relatorios != 0
            || grade.rowCount() != kRecargas + 1)  // the header row, then one per holder
            state.SkipWithError("unexpected import result");
    }
    state.SetItemsProcessed(state.iterations() * kRecargas);
}
BENCHMARK(BM_ImportaPelaJanela)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pluvexa
