#include "grid/passovalores.h"

#include "grid/celulasgrid.h"
#include "grid/preenchegrid.h"
#include "grid/tabelagrid.h"

#include <climits>

namespace pluvexa {

ValoresModelo fotografaValores(const ModeloRecarga& m)
{
    const int n = qtdTitulares(m);
    ValoresModelo v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        for (int g = 0; g < kGrupos; ++g)
            v[size_t(i)][size_t(g)] = m.wRecarga[size_t(i)].Grupo[size_t(g)].Valor;
    return v;
}

std::vector<MudancaValor> diferencas(const ValoresModelo& antes, const ModeloRecarga& m)
{
    std::vector<MudancaValor> out;
    if (int(antes.size()) != qtdTitulares(m))
        return out;
    for (size_t i = 0; i < antes.size(); ++i)
        for (int g = 0; g < kGrupos; ++g) {
            const double depois = m.wRecarga[i].Grupo[size_t(g)].Valor;
            if (depois != antes[i][size_t(g)])
                out.push_back({int(i), g, antes[i][size_t(g)], depois});
        }
    return out;
}

void aplicaMudancas(ModeloRecarga& m, const std::vector<MudancaValor>& mudancas, bool desfazer)
{
    const int n = qtdTitulares(m);
    for (const MudancaValor& d : mudancas)
        if (d.titular < n && d.grupo >= 0 && d.grupo < kGrupos)
            m.wRecarga[size_t(d.titular)].Grupo[size_t(d.grupo)].Valor = desfazer ? d.antes : d.depois;
}

int mostraMudancas(TabelaGrid& grid, const ModeloRecarga& m, const SelecaoGrid& sel, const IndiceLinhas& indice,
                   const std::vector<MudancaValor>& mudancas)
{
    const int modalidadeSel = modalidade(m, sel.TipoCartaoSel);
    const int linhas = grid.rowCount();
    TextosValor texto(sel.FormatoValor);
    int primeira = INT_MAX;
    for (const MudancaValor& d : mudancas) {
        const int r = indice.linha(d.titular);
        if (r < 1 || r >= linhas || d.titular >= qtdTitulares(m))
            continue;
        const Recarga& h = m.wRecarga[size_t(d.titular)];
        if (h.TipoCartao != sel.TipoCartaoSel || grupoMostrado(h, sel.TarifaSel, modalidadeSel) != d.grupo)
            continue;
        grid.setCell(kColValor, r, texto(h.Grupo[size_t(d.grupo)].Valor));
        primeira = std::min(primeira, r);
    }
    return primeira == INT_MAX ? -1 : primeira;
}

}  // namespace pluvexa
