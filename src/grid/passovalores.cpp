#include "grid/passovalores.h"

#include "grid/gridcells.h"

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

}  // namespace pluvexa
