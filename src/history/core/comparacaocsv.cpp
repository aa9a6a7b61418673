#include "history/core/comparacaocsv.h"

#include "recharge/cp1252.h"
#include "recharge/formatonumero.h"
#include "recharge/moeda.h"

#include <cmath>

namespace pluvexa {

namespace {

QString valor(std::optional<double> v, bool creditos)
{
    if (!v)
        return {};
    return creditos ? QString::number(std::llround(*v)) : formata(u"##0.00", Moeda::deDouble(*v));
}

QString nome(const Texto& bytes)
{
    QString n = deCp1252(bytes).trimmed();
    if (n.contains(QLatin1Char(';')) || n.contains(QLatin1Char('"')) || n.contains(QLatin1Char('\n'))
        || n.contains(QLatin1Char('\r'))) {
        n.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        n = QLatin1Char('"') + n + QLatin1Char('"');
    }
    return n;
}

}  // namespace

QString cabecalhoComparacaoCsv()
{
    return QStringLiteral("Usuário;Tipo;Nome;Valor A;Valor B;Diferença;Situação");
}

QStringList camposComparacao(const LinhaComparacao& l)
{
    return {QString::number(l.usuario),  QString::number(l.tipo),
            nome(l.nome),                valor(l.valorA, l.creditos),
            valor(l.valorB, l.creditos), valor(l.diferenca(), l.creditos),
            textoSituacao(l.situacao)};
}

std::string planilhaComparacao(const std::vector<LinhaComparacao>& linhas)
{
    std::string saida = "\xEF\xBB\xBF";
    saida.reserve(linhas.size() * 64 + 64);
    saida += cabecalhoComparacaoCsv().toStdString();
    saida += "\r\n";
    for (const LinhaComparacao& l : linhas) {
        saida += camposComparacao(l).join(QLatin1Char(';')).toStdString();
        saida += "\r\n";
    }
    return saida;
}

}  // namespace pluvexa
