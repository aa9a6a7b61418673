#pragma once

// A kept batch (".HIS") made as "Gerar Arquivo" keeps it: the answer's
// records, CR LF, compressed. Without gtest, so that the benchmarks make
// theirs the same way as the tests (loteguardado.h).

#include "codec/lzw.h"
#include "history/core/historico.h"
#include "recharge/escritorrecarga.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pluvexa::test {

// The kept batch of `m` named `nomeHis` ("..._2.HIS", a path or a name),
// its answer generated at `momento`; empty when the record writer refuses
// the model.
inline QByteArray bytesLoteGuardado(const ModeloRecarga& m, const QString& nomeHis, const QDateTime& momento)
{
    const ResultadoEscrita escrita =
        EscritorRecarga(m).gera(nomeResposta(nomeHis).toStdString(), [momento] { return momento; });
    if (!escrita.ok())
        return {};
    std::string texto;
    for (const Texto& l : escrita.linhas)
        texto += l + "\r\n";
    const std::vector<std::uint8_t> z =
        lzw::compress(std::span(reinterpret_cast<const std::uint8_t*>(texto.data()), texto.size()));
    return QByteArray(reinterpret_cast<const char*>(z.data()), qsizetype(z.size()));
}

}  // namespace pluvexa::test
