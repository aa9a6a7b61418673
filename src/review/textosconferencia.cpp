#include "review/textosconferencia.h"

#include "recharge/cp1252.h"
#include "recharge/formatonumero.h"

namespace pluvexa {

QString unidadesNaTela(long long unidades, bool creditos)
{
    if (creditos)
        return formata(u"###,###,##0", unidades);
    return formata(u"###,###,##0.00", Moeda::deBruto(unidades * (Moeda::kEscala / 100)));
}

std::optional<long long> habitualArredondado(const TitularConferido& t)
{
    const long long n = t.valores.recargasHistorico;
    if (n == 0)
        return std::nullopt;
    return (2 * t.valores.somaHistorico + n) / (2 * n);
}

QString habitualNaTela(const TitularConferido& t)
{
    const std::optional<long long> h = habitualArredondado(t);
    return h ? unidadesNaTela(*h, t.creditos) : QString();
}

QString variacaoNaTela(std::optional<double> variacao)
{
    if (!variacao)
        return QStringLiteral("-");
    QString t = formata(u"###,###,##0.0", *variacao);
    return *variacao > 0 && t != QLatin1String("0,0") ? QLatin1Char('+') + t : t;
}

QString nomeNaTela(const Recarga& r)
{
    return deCp1252(r.Nome).trimmed();
}

}  // namespace pluvexa
