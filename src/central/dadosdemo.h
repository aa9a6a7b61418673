#pragma once

// A realistic recharge model as the card central would send it, for the
// `demo` command, the tests and the benchmarks: a money card type and a
// credit card type, several tariffs, Brazilian names, recharge history and
// some holders with more than one tariff group. Deterministic for a seed.

#include "recharge/modelo.h"

#include <QDateTime>
#include <QString>
#include <cstdint>

namespace pluvexa {

struct DemoOptions {
    int holders = 200;          // 1 to kRecargas
    int empresa = 123;
    int remessa = 7;
    std::uint32_t seed = 2026;
};

// The name of a received file: "PX_" + company + "_" + batch + "_" +
// "YYMMDDHHNN" + "_1.rec".
QString nomeArquivoRecebido(int empresa, int remessa, const QDateTime& quando);

// Fills m (after emptying it) with a received file's content; the header's
// file name is nomeArquivoRecebido(...) for `quando`.
void geraModeloDemo(ModeloRecarga& m, const DemoOptions& options, const QDateTime& quando);

}  // namespace pluvexa
