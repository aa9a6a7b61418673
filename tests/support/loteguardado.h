#pragma once

// A kept batch (".HIS") made as "Gerar Arquivo" keeps it, for the history's
// tests: bytesloteguardado.h, with the record writer's refusal failing the
// test.

#include "support/bytesloteguardado.h"

#include <gtest/gtest.h>

namespace pluvexa::test {

inline QByteArray loteGuardado(const ModeloRecarga& m, const QString& nomeHis, const QDateTime& momento)
{
    const QByteArray lote = bytesLoteGuardado(m, nomeHis, momento);
    EXPECT_FALSE(lote.isEmpty()) << "the record writer refused the model of " << nomeHis.toStdString();
    return lote;
}

}  // namespace pluvexa::test
