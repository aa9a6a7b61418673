#pragma once

// How many holders each entry of the card type and tariff lists would put
// on the grid, so that the operator of a large file sees where the holders
// are without stepping through empty choices. The entries keep the text the
// processing gave them; the count follows it in parentheses.

#include "recharge/modelo.h"

#include <QString>
#include <vector>

namespace pluvexa {

struct ContagemListas {
    // By code: holders of each card type; holders of card type `tipoSel`
    // that each tariff lists (the group rule of the fill).
    std::vector<int> porTipo;
    std::vector<int> porTarifa;

    int tipo(int codigo) const { return em(porTipo, codigo); }
    int tarifa(int codigo) const { return em(porTarifa, codigo); }

private:
    static int em(const std::vector<int>& v, int codigo)
    {
        return codigo >= 0 && codigo < int(v.size()) ? v[size_t(codigo)] : 0;
    }
};

// One pass over the loaded holders.
ContagemListas contaPortadores(const ModeloRecarga& m, int tipoSel);

// "01 - ONIBUS" and 120 give "01 - ONIBUS (120)".
QString entradaComContagem(const QString& entrada, int quantidade);

}  // namespace pluvexa
