#include "recharge/totaisgerais.h"

#include "recharge/formatonumero.h"
#include "recharge/moeda.h"

#include <cmath>
#include <optional>

namespace pluvexa {

namespace {

// Whole part towards zero, or nothing when the double is no number or too
// large for a whole count.
std::optional<long long> inteiro(double x)
{
    constexpr double kLimite = 9007199254740992.0;  // 2^53
    if (!std::isfinite(x) || std::fabs(x) >= kLimite)
        return std::nullopt;
    return static_cast<long long>(std::trunc(x));
}

struct Parcela {
    double dinheiro = 0;
    long long creditos = 0;
};

std::optional<Parcela> parcelaDoTitular(const ModeloRecarga& m, const Recarga& h)
{
    const TipoCartao* t = tipoCartao(m, h.TipoCartao);
    if (!t)
        return std::nullopt;
    Parcela p;
    if (t->Modalidade == Creditos) {
        long long q = 0;
        for (const GrupoRecarga& g : h.Grupo) {
            const Tarifa* f = tarifa(m, g.Tarifa);
            if (!f)
                return std::nullopt;
            p.dinheiro += Arredonda(0.01 * t->Percentual * f->Valor, 2, m.ModoArredondamento) * g.Valor;
            // Each group's credits join the running count before its whole
            // part is taken, as the central counts them.
            const std::optional<long long> w = inteiro(double(q) + g.Valor);
            if (!w)
                return std::nullopt;
            q = *w;
        }
        p.creditos = q;
    } else {
        for (const GrupoRecarga& g : h.Grupo)
            p.dinheiro += g.Valor;
    }
    return p;
}

}  // namespace

double precoCredito(const ModeloRecarga& m, int tipo, int tarifaSel)
{
    const TipoCartao* t = tipoCartao(m, tipo);
    const Tarifa* f = tarifa(m, tarifaSel);
    if (!t || !f)
        return 0;
    return Arredonda(0.01 * t->Percentual * f->Valor, 2, m.ModoArredondamento);
}

TotaisGerais CalculaRecargasGeral(const ModeloRecarga& m)
{
    TotaisGerais tot;
    const int n = qtdTitulares(m);
    for (int i = 0; i < n; ++i) {
        const std::optional<Parcela> p = parcelaDoTitular(m, m.wRecarga[size_t(i)]);
        if (!p)
            continue;
        tot.dinheiro += p->dinheiro;
        tot.creditos += p->creditos;
    }
    tot.lblgervlrdig = formata(kFormatoTotalDinheiro, Moeda::deDouble(tot.dinheiro));
    tot.lblgerqtddig = formata(kFormatoTotalCreditos, tot.creditos);
    return tot;
}

}  // namespace pluvexa
