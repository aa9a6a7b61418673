#include "history/core/comparacaocsv.h"

#include "exchange/escrita/csvsaida.h"

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

CelulaSaida celulaValor(std::optional<double> v, bool creditos)
{
    if (!v)
        return CelulaSaida::vazia();
    const QString texto = valor(v, creditos);
    QString ponto = texto;
    ponto.replace(QLatin1Char(','), QLatin1Char('.'));
    return CelulaSaida::deNumero(ponto.toDouble(), texto,
                                 creditos ? CelulaSaida::Formato::Creditos : CelulaSaida::Formato::Dinheiro);
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

TabelaSaida tabelaComparacao(const std::vector<LinhaComparacao>& linhas)
{
    TabelaSaida t;
    t.aba = QStringLiteral("Comparação");
    t.cabecalho = cabecalhoComparacaoCsv().split(QLatin1Char(';'));
    t.linhas.reserve(linhas.size());
    for (const LinhaComparacao& l : linhas)
        t.linhas.push_back({CelulaSaida::deTexto(QString::number(l.usuario)),
                            CelulaSaida::deNumero(l.tipo, QString::number(l.tipo)),
                            CelulaSaida::deTexto(deCp1252(l.nome).trimmed()), celulaValor(l.valorA, l.creditos),
                            celulaValor(l.valorB, l.creditos), celulaValor(l.diferenca(), l.creditos),
                            CelulaSaida::deTexto(textoSituacao(l.situacao))});
    return t;
}

std::string planilhaComparacao(const std::vector<LinhaComparacao>& linhas)
{
    return csvDaTabela(tabelaComparacao(linhas), ConvencaoCsv::Arquivo);
}

}  // namespace pluvexa
