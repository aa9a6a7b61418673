#pragma once

// Months of a company as "Gerar Arquivo" keeps them, for the history
// benchmarks: the demo's file with a value typed for every holder (most
// near the usual one, some far above or below, some left at zero), each
// month's answer text compressed as a kept batch, as the tests make theirs.

#include "central/dadosdemo.h"
#include "support/bytesloteguardado.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <random>

namespace pluvexa::bench {

inline const QDateTime kMes(QDate(2026, 11, 1), QTime(9, 0));

inline std::unique_ptr<ModeloRecarga> mesDigitado(int holders, std::uint32_t semente)
{
    auto m = std::make_unique<ModeloRecarga>();
    DemoOptions o;
    o.holders = holders;
    geraModeloDemo(*m, o, kMes);
    std::mt19937 rnd(semente);
    for (int i = 0; i < m->QtdRecarga; ++i) {
        Recarga& r = m->wRecarga[size_t(i)];
        const double ultimo = r.Historico[0][0] > 0 ? r.Historico[0][0] : 50.0;
        const double fator = std::array{1.0, 1.0, 1.1, 0.9, 3.0, 0.2, 0.0}[rnd() % 7];
        r.Grupo[0].Valor =
            std::min(std::round(ultimo * fator * 100) / 100, m->wTipoCartao[size_t(r.TipoCartao)].ValorMaximo);
    }
    return m;
}

// The kept batch of `m` named `nome` ("..._2.HIS"), answered in kMes.
inline QByteArray loteGuardado(const ModeloRecarga& m, const QString& nome)
{
    return test::bytesLoteGuardado(m, nome, kMes);
}

inline void grava(const QString& caminho, const QByteArray& bytes)
{
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        std::abort();
}

// `meses` monthly batches of `holders` holders in `pasta`, from January 2017.
inline void guardaMeses(const QString& pasta, int meses, int holders)
{
    QDir().mkpath(pasta);
    const auto m = mesDigitado(holders, 3);
    for (int mes = 0; mes < meses; ++mes) {
        const QDate d = QDate(2017, 1, 10).addMonths(mes);
        const QString nome = QStringLiteral("PX_00123_%1_%2_2.HIS")
                                 .arg(mes + 1, 4, 10, QLatin1Char('0'))
                                 .arg(QDateTime(d, QTime(15, 30)).toString(QStringLiteral("yyMMddHHmm")));
        grava(QDir(pasta).filePath(nome), loteGuardado(*m, nome));
    }
}

}  // namespace pluvexa::bench
