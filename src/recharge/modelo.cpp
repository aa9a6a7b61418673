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

const TipoCartao* tipoCartao(const ModeloRecarga& m, int codigo)
{
    if (codigo < 0 || codigo >= int(m.wTipoCartao.size()))
        return nullptr;
    return &m.wTipoCartao[size_t(codigo)];
}

const Tarifa* tarifa(const ModeloRecarga& m, int codigo)
{
    if (codigo < 0 || codigo >= int(m.wTarifa.size()))
        return nullptr;
    return &m.wTarifa[size_t(codigo)];
}

int modalidade(const ModeloRecarga& m, int codigo)
{
    const TipoCartao* t = tipoCartao(m, codigo);
    return t ? t->Modalidade : Dinheiro;
}

int qtdTitulares(const ModeloRecarga& m)
{
    return std::clamp(m.QtdRecarga, 0, int(m.wRecarga.size()));
}

ModeloRecarga& modelo()
{
    static ModeloRecarga instance;
    return instance;
}

}  // namespace pluvexa
