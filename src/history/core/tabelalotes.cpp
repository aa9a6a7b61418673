#include "history/core/tabelalotes.h"

#include "recharge/formatonumero.h"
#include "recharge/moeda.h"

namespace pluvexa {

TabelaSaida tabelaLotes(const std::vector<LoteHistorico>& lotes)
{
    TabelaSaida t;
    t.aba = QStringLiteral("Histórico");
    t.cabecalho = QStringList{QStringLiteral("Empresa"),
                              QStringLiteral("Remessa"),
                              QStringLiteral("Gerado em"),
                              QStringLiteral("Arquivo"),
                              QStringLiteral("Titulares com valor"),
                              QStringLiteral("Total em Valor"),
                              QStringLiteral("Total em Créditos"),
                              QStringLiteral("Enviado")};
    for (const LoteHistorico& l : lotes) {
        if (!l.erro.isEmpty())
            continue;
        const Moeda total = Moeda::deDouble(l.totalValor);
        t.linhas.push_back(
            {CelulaSaida::deTexto(QStringLiteral("%1").arg(l.nome.empresa, 5, 10, QLatin1Char('0'))),
             CelulaSaida::deTexto(QStringLiteral("%1").arg(l.nome.remessa, 4, 10, QLatin1Char('0'))),
             CelulaSaida::deTexto(l.nome.geradoEm.toString(QStringLiteral("dd/MM/yyyy HH:mm"))),
             CelulaSaida::deTexto(l.resposta),
             CelulaSaida::deNumero(l.titularesComValor, QString::number(l.titularesComValor)),
             CelulaSaida::deNumero(formata(u"##0.00", total).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(),
                                   formata(u"##0.00", total), CelulaSaida::Formato::Dinheiro),
             CelulaSaida::deNumero(double(l.totalCreditos), QString::number(l.totalCreditos),
                                   CelulaSaida::Formato::Creditos),
             CelulaSaida::deTexto(l.enviado ? QStringLiteral("Sim") : QStringLiteral("Não"))});
    }
    return t;
}

}  // namespace pluvexa
