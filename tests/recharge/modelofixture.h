#pragma once

// A small recharge model for the tests of the model's own logic and of the
// logic over it (the grid's); its holders come from support/titulares.h.

#include "recharge/modelo.h"
#include "support/titulares.h"

#include <QString>
#include <memory>

#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace pluvexa::teste {

inline constexpr int kTipoDinheiro = 1;
inline constexpr int kTipoCreditos = 2;
inline constexpr int kTipoOutro = 3;

using test::carrega;
using test::nome50;
using test::titular;

// Card types 1 (money, max 600), 2 (credits, 50 %, max 250), 3 (money);
// tariffs 1 to 5 with fares 1,00 to 5,00 and tariff 3 at 2,30.
inline std::unique_ptr<ModeloRecarga> novoModelo()
{
    auto m = std::make_unique<ModeloRecarga>();
    m->wTipoCartao[kTipoDinheiro] = {kTipoDinheiro, "ESCOLAR", Dinheiro, 0, 600.0};
    m->wTipoCartao[kTipoCreditos] = {kTipoCreditos, "VALE TRANSPORTE", Creditos, 50.0, 250.0};
    m->wTipoCartao[kTipoOutro] = {kTipoOutro, "IDOSO", Dinheiro, 0, 600.0};
    for (int t = 1; t <= 5; ++t)
        m->wTarifa[size_t(t)] = {t, "TARIFA    ", double(t), 0};
    m->wTarifa[3].Valor = 2.30;
    return m;
}

}  // namespace pluvexa::teste
