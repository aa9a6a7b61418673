#pragma once

// A loaded file of 10,000 money holders (registrations MAT0 to MAT9999), as
// the import benchmarks import into.

#include "recharge/modelo.h"

#include <memory>
#include <string>

namespace pluvexa::bench {

inline std::unique_ptr<ModeloRecarga> modeloCheio()
{
    auto m = std::make_unique<ModeloRecarga>();
    m->wTipoCartao[1] = {1, "DINHEIRO", Dinheiro, 100, 600};
    for (int i = 0; i < kRecargas; ++i) {
        Recarga& r = m->wRecarga[std::size_t(i)];
        r.Usuario = i + 1;
        r.Matricula = "MAT" + std::to_string(i);
        r.TipoCartao = 1;
        r.Grupo[0].Tarifa = 1;
    }
    m->QtdRecarga = kRecargas;
    return m;
}

}  // namespace pluvexa::bench
