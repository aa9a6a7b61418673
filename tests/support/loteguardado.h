#pragma once

// A kept batch (".HIS") made as "Gerar Arquivo" keeps it, for the history's
// tests.

#include "codec/lzw.h"
#include "history/core/historico.h"
#include "recharge/escritorrecarga.h"

#include <QByteArray>
#include <QDateTime>
#include <QFileInfo>
#include <QString>
#include <gtest/gtest.h>
#include <span>
#include <string>

namespace pluvexa::test {

// The kept batch of `m` named `nomeHis` ("..._2.HIS"): the record writer's
// lines for its answer, CR LF, compressed; generated at `momento`.
inline QByteArray loteGuardado(const ModeloRecarga& m, const QString& nomeHis, const QDateTime& momento)
{
    const ResultadoEscrita escrita =
        EscritorRecarga(m).gera(nomeResposta(QFileInfo(nomeHis).fileName()).toStdString(), [momento] { return momento; });
    EXPECT_TRUE(escrita.ok());
    std::string texto;
    for (const Texto& l : escrita.linhas)
        texto += l + "\r\n";
    const std::vector<std::uint8_t> z =
        lzw::compress(std::span(reinterpret_cast<const std::uint8_t*>(texto.data()), texto.size()));
    return QByteArray(reinterpret_cast<const char*>(z.data()), qsizetype(z.size()));
}

}  // namespace pluvexa::test
