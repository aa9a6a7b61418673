#include "history/core/totaiscomparacao.h"

#include "recharge/formatonumero.h"

#include <cmath>

namespace pluvexa {

QString textoComUnidade(std::optional<double> valor, bool creditos)
{
    if (!valor)
        return {};
    if (creditos)
        return formata(u"###,###,##0", std::llround(*valor)) + QStringLiteral(" créditos");
    // Rounded to the cent first, so that a difference of -0,001 is no "-R$ 0,00".
    const double centavos = std::round(*valor * 100) / 100;
    const QString numero = formata(u"###,###,##0.00", std::fabs(centavos));
    return (centavos < 0 ? QStringLiteral("-R$ ") : QStringLiteral("R$ ")) + numero;
}

std::vector<TotalComparacao> totalizaComparacao(const std::vector<const LinhaComparacao*>& linhas)
{
    TotalComparacao dinheiro;
    TotalComparacao creditos;
    creditos.creditos = true;
    for (const LinhaComparacao* l : linhas) {
        TotalComparacao& t = l->creditos ? creditos : dinheiro;
        const double escala = l->creditos ? 1 : 100;
        ++t.titulares;
        t.somaA += std::llround(l->valorA.value_or(0) * escala);
        t.somaB += std::llround(l->valorB.value_or(0) * escala);
    }
    std::vector<TotalComparacao> totais;
    for (const TotalComparacao& t : {dinheiro, creditos})
        if (t.titulares > 0)
            totais.push_back(t);
    return totais;
}

QString rotuloTotal(const TotalComparacao& total)
{
    return (total.creditos ? QStringLiteral("Total em créditos (") : QStringLiteral("Total em R$ ("))
           + (total.titulares == 1 ? QStringLiteral("1 titular)") : QStringLiteral("%1 titulares)").arg(total.titulares));
}

}  // namespace pluvexa
