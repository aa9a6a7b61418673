#include "recharge/modelo.h"

#include <algorithm>

namespace pluvexa {

ModeloRecarga::ModeloRecarga()
    : wRecarga(kRecargas), woRecarga(kListagem)
{
}

void ModeloRecarga::esvazia()
{
    QtdRecarga = 0;
    wTarifa.fill(Tarifa{});
    wTipoCartao.fill(TipoCartao{});
    cabecalho = Cabecalho{};
    ModoArredondamento = 0;
}

void ModeloRecarga::limpaTudo()
{
    esvazia();
    std::fill(wRecarga.begin(), wRecarga.end(), Recarga{});
    std::fill(woRecarga.begin(), woRecarga.end(), ORecarga{});
}

ModeloRecarga& modelo()
{
    static ModeloRecarga instance;
    return instance;
}

}  // namespace pluvexa
