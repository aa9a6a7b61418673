#include "recharge/model.h"

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
}

void ModeloRecarga::limpaTudo()
{
    esvazia();
    std::fill(wRecarga.begin(), wRecarga.end(), Recarga{});
    std::fill(woRecarga.begin(), woRecarga.end(), ORecarga{});
    cabecalho = Cabecalho{};
    ModoArredondamento = 0;
}

ModeloRecarga& modelo()
{
    static ModeloRecarga instance;
    return instance;
}

}  // namespace pluvexa
