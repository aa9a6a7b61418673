#include "grid/atualizacaogrid.h"

#include "grid/celulasgrid.h"
#include "grid/somentegrupo1.h"
#include "grid/tabelagrid.h"
#include "grid/validavalor.h"

#include <QHash>
#include <vector>

namespace pluvexa {

namespace {

// Counter updates per run; enough for the gauge to move smoothly.
constexpr int kPassosProgresso = 64;

// The rows of one key, in grid order, as a chain through `proxima`.
struct Cadeia {
    int primeira;
    int ultima;
};

// The value a row writes, read once however many holders it feeds.
struct LeituraValor {
    enum Estado : unsigned char { NaoLida, Lida, Invalida };
    Estado estado = NaoLida;
    double valor = 0;
};

}  // namespace

ResultadoAtualizacao AtualizaArrayRecargas(const TabelaGrid& grid, ModeloRecarga& m,
                                           const SelecaoGrid& sel, const AvisosJanela& avisos)
{
    ResultadoAtualizacao res;
    avisos.legenda(QStringLiteral("Registros Atualizados: "));
    avisos.mensagens();
    avisos.habilita(true);
    avisos.progressoVisivel(true);

    const int n = qtdTitulares(m);
    avisos.avanca(0, n);

    const int linhas = grid.rowCount();
    QHash<ChaveTitular, Cadeia> porChave;
    porChave.reserve(linhas);
    std::vector<int> proxima(size_t(linhas > 0 ? linhas : 0), -1);
    for (int r = 1; r < linhas; ++r) {
        ChaveTitular k = chaveDaLinha(grid, r);
        auto it = porChave.find(k);
        if (it == porChave.end()) {
            porChave.insert(std::move(k), Cadeia{r, r});
        } else {
            proxima[size_t(it->ultima)] = r;
            it->ultima = r;
        }
    }

    std::vector<LeituraValor> leituras(proxima.size());
    const bool dinheiro = modalidade(m, sel.TipoCartaoSel) == Dinheiro;
    const TipoCartao* tipo = tipoCartao(m, sel.TipoCartaoSel);
    const int passo = std::max(1, n / kPassosProgresso);
    // Every row is checked before any value is stored: a refused value
    // (no amount, negative, above the maximum, money in a later group)
    // stops the write-back with the model as it was.
    struct Atribuicao {
        int titular;
        int grupo;
        double valor;
    };
    std::vector<Atribuicao> atribuicoes;
    const auto recusa = [&res](int r, const QString& mensagem) {
        res.erro = mensagem;
        res.linhaErro = r;
    };
    for (int i = 0; i < n && !res.erro; ++i) {
        const Recarga& h = m.wRecarga[size_t(i)];
        const int g = h.TipoCartao == sel.TipoCartaoSel ? grupoComTarifa(h, sel.TarifaSel) : -1;
        // Groups 2 to 4 of a money holder carry no value to the central.
        const bool somenteZero = dinheiro && g > 0;
        if (g >= 0) {
            const auto it = porChave.constFind(chaveDoTitular(h));
            for (int r = it == porChave.constEnd() ? -1 : it->primeira; r >= 0; r = proxima[size_t(r)]) {
                LeituraValor& l = leituras[size_t(r)];
                if (l.estado == LeituraValor::NaoLida) {
                    const std::optional<Moeda> v = leMoeda(grid.cell(kColValor, r));
                    l.estado = v ? LeituraValor::Lida : LeituraValor::Invalida;
                    l.valor = v ? v->paraDouble() : 0;
                    if (v && *v < Moeda()) {
                        recusa(r, mensagemValorInvalido());
                        break;
                    }
                    if (v && tipo && acimaDoMaximo(m, sel.TipoCartaoSel, *v)) {
                        recusa(r, mensagemMaximo(*tipo));
                        break;
                    }
                }
                if (l.estado == LeituraValor::Invalida) {
                    recusa(r, erroMoeda(grid.cell(kColValor, r).trimmed()));
                    break;
                }
                if (somenteZero && l.valor != 0) {
                    recusa(r, mensagemSomenteGrupo1(h.Grupo[0].Tarifa));
                    break;
                }
                atribuicoes.push_back({i, g, l.valor});
            }
        }
        if (!res.erro && ((i + 1) % passo == 0 || i + 1 == n))
            avisos.avanca(i + 1, n);
    }
    if (!res.erro)
        for (const Atribuicao& a : atribuicoes)
            m.wRecarga[size_t(a.titular)].Grupo[size_t(a.grupo)].Valor = a.valor;

    if (!res.erro) {
        res.totaisGerais = CalculaRecargasGeral(m);
        res.totaisGrid = CalculaGrid(grid, m, sel);
    }
    avisos.progressoVisivel(false);
    avisos.habilita(true);
    return res;
}

}  // namespace pluvexa
