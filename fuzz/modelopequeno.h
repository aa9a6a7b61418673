#pragma once

// The small loaded file the import targets import into, and what an import
// may change in it: only the value of group 1, of loaded holders, to a value
// the answer file can carry (never negative, never above the holder's own
// maximum, whole credits), so that the record writer still accepts the model.

#include "recharge/escritorrecarga.h"
#include "recharge/modelo.h"
#include "recharge/moeda.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace pluvexa::fuzz {

inline void falha()
{
    std::abort();
}

// Where the folder that takes each input and its log is made (QTemporaryDir
// adds the random part after the dash): in memory where there is such a
// folder, since the log is flushed to its device on every run.
inline QString modeloPasta(const QString& nome)
{
    return (QFile::exists(QStringLiteral("/dev/shm")) ? QStringLiteral("/dev/shm/") : QDir::tempPath() + QLatin1Char('/'))
           + nome + QLatin1Char('-');
}

// Short registrations, so that mutated seeds hit holders often; user codes
// 100-107 and card numbers 200-207 for the spreadsheet's other keys.
inline ModeloRecarga modeloPequeno()
{
    ModeloRecarga m;
    m.cabecalho.NomeEmpresa = "EMPRESA";
    m.cabecalho.NomeArquivo = "PX_00123_0007_2603091405_1.rec";
    m.cabecalho.Remessa = "0007";
    m.wTipoCartao[1] = {1, "DINHEIRO", Dinheiro, 100, 600};
    m.wTipoCartao[2] = {2, "CREDITOS", Creditos, 50, 250};
    m.wTipoCartao[3] = {3, "PEQUENO", Dinheiro, 100, 99.99};
    m.wTarifa[1] = {1, "URBANA", 4.4, 1};
    const std::pair<const char*, int> titulares[] = {{"1", 1}, {"1", 2}, {"12", 3}, {"", 1},
                                                     {"A", 2}, {"\xC9", 1}, {"M1", 1}, {"9", 1}};
    int i = 0;
    for (const auto& [matricula, tipo] : titulares) {
        Recarga& r = m.wRecarga[std::size_t(i)];
        r.Usuario = 100 + i;
        r.Cartao = 200 + i;
        r.Matricula = matricula;
        r.TipoCartao = tipo;
        r.Grupo[0] = {1, 10, 0.0};
        ++i;
    }
    m.QtdRecarga = i - 1;  // the last holder is left from an earlier file
    return m;
}

inline bool mesmoExcetoValor(const Recarga& a, const Recarga& b)
{
    if (a.Usuario != b.Usuario || a.Cartao != b.Cartao || a.Matricula != b.Matricula
        || a.TipoCartao != b.TipoCartao || a.Historico != b.Historico)
        return false;
    for (std::size_t g = 0; g < a.Grupo.size(); ++g)
        if (a.Grupo[g].Tarifa != b.Grupo[g].Tarifa || a.Grupo[g].CMM != b.Grupo[g].CMM
            || (g > 0 && a.Grupo[g].Valor != b.Grupo[g].Valor))
            return false;
    return true;
}

// Aborts unless `m` differs from `original` only as an import may change
// it; then puts the original holders back for the next input.
inline void confereEVolta(ModeloRecarga& m, const ModeloRecarga& original)
{
    // The model holds only the first entries; the rest are empty and no
    // record can name them.
    for (int i = 0; i < 16; ++i) {
        const Recarga& antes = original.wRecarga[std::size_t(i)];
        const Recarga& depois = m.wRecarga[std::size_t(i)];
        if (!mesmoExcetoValor(antes, depois))
            falha();
        if (depois.Grupo[0].Valor == antes.Grupo[0].Valor)
            continue;
        if (i >= original.QtdRecarga)
            falha();
        const TipoCartao& t = m.wTipoCartao[std::size_t(depois.TipoCartao)];
        const double v = depois.Grupo[0].Valor;
        if (!(v >= 0) || Moeda::deDouble(v) > Moeda::deDouble(t.ValorMaximo)
            || (t.Modalidade != Dinheiro && v != std::trunc(v)))
            falha();
    }
    const QDateTime quando(QDate(2026, 3, 9), QTime(14, 5));
    if (!EscritorRecarga(m).gera("PX_00123_0007_2603091405_2.REC", quando, quando).ok())
        falha();
    for (int i = 0; i <= original.QtdRecarga; ++i)
        m.wRecarga[std::size_t(i)] = original.wRecarga[std::size_t(i)];
}

}  // namespace pluvexa::fuzz
