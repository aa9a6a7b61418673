#include "grid/totaisgrid.h"

#include "grid/celulasgrid.h"
#include "grid/tabelagrid.h"
#include "recharge/formatonumero.h"
#include "recharge/moeda.h"

#include <optional>

namespace pluvexa {

TotaisGrid CalculaGrid(const TabelaGrid& grid, const ModeloRecarga& m, const SelecaoGrid& sel)
{
    TotaisGrid tot;
    const bool creditos = modalidade(m, sel.TipoCartaoSel) == Creditos;
    const Moeda preco = Moeda::deDouble(precoCredito(m, sel.TipoCartaoSel, sel.TarifaSel));
    const int linhas = grid.rowCount();
    for (int r = 1; r < linhas; ++r) {
        const std::optional<Moeda> v = leMoeda(grid.cell(kColValor, r));
        if (!v)
            continue;
        if (creditos) {
            tot.dinheiro += (*v * preco).paraDouble();
            tot.creditos += (long long)v->parteInteira();
        } else {
            tot.dinheiro += v->paraDouble();
        }
    }
    tot.lblvlrrecdig = formata(kFormatoTotalDinheiro, Moeda::deDouble(tot.dinheiro));
    tot.lblqtdrecdig = formata(kFormatoTotalCreditos, tot.creditos);
    return tot;
}

}  // namespace pluvexa
