#include "grid/somentegrupo1.h"

#include "grid/celulasgrid.h"
#include "grid/tabelagrid.h"
#include "recharge/formatonumero.h"

#include <QHash>

namespace pluvexa {

std::vector<int> linhasSemValor(const TabelaGrid& grid, const ModeloRecarga& m, const SelecaoGrid& sel)
{
    const int linhas = grid.rowCount();
    std::vector<int> res(size_t(linhas > 0 ? linhas : 0), -1);
    if (modalidade(m, sel.TipoCartaoSel) != Dinheiro)
        return res;

    QHash<ChaveTitular, int> semValor;   // key -> group-1 tariff
    const int n = qtdTitulares(m);
    for (int i = 0; i < n; ++i) {
        const Recarga& h = m.wRecarga[size_t(i)];
        if (h.TipoCartao == sel.TipoCartaoSel && grupoComTarifa(h, sel.TarifaSel) > 0)
            semValor.insert(chaveDoTitular(h), h.Grupo[0].Tarifa);
    }
    if (semValor.isEmpty())
        return res;
    for (int r = 1; r < linhas; ++r) {
        const auto it = semValor.constFind(chaveDaLinha(grid, r));
        if (it != semValor.constEnd())
            res[size_t(r)] = *it;
    }
    return res;
}

QString mensagemSomenteGrupo1(int tarifaGrupo1)
{
    return QStringLiteral("Tipo de Cartão em valor: a recarga vai somente no grupo 1 (Tarifa ")
           + formata(u"00", tarifaGrupo1) + QStringLiteral(") - Verifique!");
}

QString avisoLinhasPuladas(int linhas)
{
    return QString::number(linhas)
           + QStringLiteral(" linha(s) não receberam o valor: cartões em valor recebem somente no grupo 1.");
}

}  // namespace pluvexa
