#include "review/conferencia.h"

#include "grid/celulasgrid.h"
#include "grid/filtroportadores.h"
#include "grid/preenchegrid.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace pluvexa {

QString textoMotivo(MotivoConferencia motivo)
{
    switch (motivo) {
    case MotivoConferencia::AcimaDoHabitual:
        return QStringLiteral("Acima do habitual");
    case MotivoConferencia::AbaixoDoHabitual:
        return QStringLiteral("Abaixo do habitual");
    case MotivoConferencia::SemRecarga:
        return QStringLiteral("Sem recarga");
    case MotivoConferencia::PrimeiraRecarga:
        return QStringLiteral("Primeira recarga");
    case MotivoConferencia::SemValor:
        return QStringLiteral("Sem valor");
    }
    return {};
}

std::optional<MotivoConferencia> motivoDe(const ValoresTitular& v, int limite)
{
    if (v.recargasHistorico == 0 || v.somaHistorico <= 0) {
        if (v.valor > 0)
            return MotivoConferencia::PrimeiraRecarga;
        // A holder forgotten in a card type or tariff the operator never
        // opened: nothing to compare with, and nothing to send.
        if (v.valor == 0 && !v.outroGrupoComValor && v.listado)
            return MotivoConferencia::SemValor;
        return std::nullopt;
    }
    if (v.valor == 0)
        return MotivoConferencia::SemRecarga;
    // value > sum / count * (100 + P) / 100, without a division.
    const long long agora = v.valor * v.recargasHistorico * 100;
    if (agora > v.somaHistorico * (100 + limite))
        return MotivoConferencia::AcimaDoHabitual;
    if (v.valor > 0 && agora < v.somaHistorico * (100 - limite))
        return MotivoConferencia::AbaixoDoHabitual;
    return std::nullopt;
}

double TitularConferido::habitual() const
{
    if (valores.recargasHistorico == 0)
        return 0;
    return double(valores.somaHistorico) / valores.recargasHistorico;
}

std::optional<double> TitularConferido::variacao() const
{
    const double h = habitual();
    if (h <= 0)
        return std::nullopt;
    return (double(valores.valor) - h) * 100.0 / h;
}

std::optional<double> ResumoTipoCartao::variacao() const
{
    if (totalUltimas <= 0)
        return std::nullopt;
    return double(totalAgora - totalUltimas) * 100.0 / double(totalUltimas);
}

int Conferencia::quantos(MotivoConferencia motivo) const
{
    return int(std::count_if(titulares.begin(), titulares.end(),
                             [motivo](const TitularConferido& t) { return t.motivo == motivo; }));
}

bool tipoEmCreditos(const ModeloRecarga& m, int tipo)
{
    return tipo >= 0 && tipo < kTiposCartao && m.wTipoCartao[std::size_t(tipo)].Modalidade != Dinheiro;
}

long long emUnidades(double valor, bool creditos)
{
    return std::llround(creditos ? valor : valor * 100.0);
}

QString unidadesComoTexto(long long unidades, bool creditos)
{
    if (creditos)
        return QString::number(unidades);
    const QString sinal = unidades < 0 ? QStringLiteral("-") : QString();
    const long long a = unidades < 0 ? -unidades : unidades;
    return sinal + QString::number(a / 100) + QLatin1Char(',')
           + QStringLiteral("%1").arg(a % 100, 2, 10, QLatin1Char('0'));
}

Conferencia confere(const ModeloRecarga& m, int limite)
{
    Conferencia c;
    c.limite = limite;
    std::map<int, ResumoTipoCartao> porTipo;
    const int n = std::clamp(m.QtdRecarga, 0, int(m.wRecarga.size()));
    for (int i = 0; i < n; ++i) {
        const Recarga& r = m.wRecarga[std::size_t(i)];
        const bool creditos = tipoEmCreditos(m, r.TipoCartao);
        ValoresTitular v;
        v.valor = emUnidades(r.Grupo[0].Valor, creditos);
        for (const double h : r.Historico[0]) {
            const long long u = emUnidades(h, creditos);
            if (u != 0) {
                v.somaHistorico += u;
                ++v.recargasHistorico;
            }
        }
        const int k = modalidade(m, r.TipoCartao);
        for (int g = 1; g < kGrupos; ++g)
            if (r.Grupo[std::size_t(g)].Valor != 0 && grupoMostrado(r, r.Grupo[std::size_t(g)].Tarifa, k) == g)
                v.outroGrupoComValor = true;
        v.listado = ondeListado(m, i).tarifa >= 0;
        ResumoTipoCartao& resumo = porTipo[r.TipoCartao];
        resumo.tipo = r.TipoCartao;
        resumo.creditos = creditos;
        if (v.valor > 0)
            ++resumo.titularesComValor;
        resumo.totalAgora += v.valor;
        resumo.totalUltimas += emUnidades(r.Historico[0][0], creditos);
        if (const std::optional<MotivoConferencia> motivo = motivoDe(v, limite))
            c.titulares.push_back({i, creditos, v, *motivo});
    }
    for (const auto& [tipo, resumo] : porTipo)
        c.resumo.push_back(resumo);
    return c;
}

}  // namespace pluvexa
