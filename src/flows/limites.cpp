#include "flows/limites.h"

#include "grid/celulasgrid.h"
#include "recharge/cp1252.h"
#include "recharge/formatonumero.h"

namespace pluvexa {

QStringList valoresForaDoLimite(const ModeloRecarga& m)
{
    QStringList linhas;
    const int n = qtdTitulares(m);
    for (int i = 0; i < n; ++i) {
        const Recarga& h = m.wRecarga[size_t(i)];
        const TipoCartao* tipo = tipoCartao(m, h.TipoCartao);
        if (!tipo)
            continue;
        const QString formato = formatoValor(tipo->Modalidade);
        const Moeda maximo = Moeda::deDouble(tipo->ValorMaximo);
        for (int g = 0; g < kGrupos; ++g) {
            const Moeda valor = Moeda::deDouble(h.Grupo[size_t(g)].Valor);
            // A Modalidade other than money or credits has no maximum.
            const bool temMaximo = tipo->Modalidade == Dinheiro || tipo->Modalidade == Creditos;
            if (valor >= Moeda() && (!temMaximo || valor <= maximo))
                continue;
            linhas << QStringLiteral("Usuário %1 - %2 - Grupo %3 - Valor %4 (máximo %5)")
                          .arg(h.Usuario)
                          .arg(deCp1252(h.Nome).trimmed())
                          .arg(g + 1)
                          .arg(formata(formato, valor), formata(formato, maximo));
        }
    }
    return linhas;
}

}  // namespace pluvexa
