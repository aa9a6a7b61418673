// Imports arbitrary bytes as an external recharge file into a small loaded
// file and checks what the run promises: every line is one record, counted
// once as stored or as failed; every failure has its result line; only the
// value of group 1 of loaded holders changes, and only to a value the answer
// file can carry (never negative, never above the holder's own maximum,
// whole credits), so that the record writer still accepts the model.
// The first byte chooses the card type selected in the window.

#include "exchange/persrecargaexterna.h"
#include "exchange/recargaexterna.h"
#include "recharge/escritorrecarga.h"
#include "recharge/moeda.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace pluvexa;

void falha()
{
    std::abort();
}

// Short registrations, so that mutated seeds hit holders often.
ModeloRecarga modeloPequeno()
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

bool mesmoExcetoValor(const Recarga& a, const Recarga& b)
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // In memory where there is such a folder: the log is flushed to its
    // device on every run.
    static QTemporaryDir dir(QFile::exists(QStringLiteral("/dev/shm"))
                                 ? QStringLiteral("/dev/shm/pluvexa-import-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/pluvexa-import-fuzz-XXXXXX"));
    static const ModeloRecarga original = modeloPequeno();
    static ModeloRecarga m = original;
    if (size == 0 || !dir.isValid())
        return 0;
    const int tipoSel = data[0] % 4;
    const char* texto = reinterpret_cast<const char*>(data + 1);
    const std::size_t n = size - 1;
    const QString caminho = dir.filePath(QStringLiteral("entrada.rrm"));
    {
        QFile f(caminho);
        if (!f.open(QIODevice::WriteOnly) || f.write(texto, qint64(n)) != qint64(n))
            return 0;
    }
    const int linhas = int(std::count(texto, texto + n, '\n'));

    OpcoesImportacao o;
    o.pastaLog = dir.filePath(QStringLiteral("Log"));
    o.relogio = [] { return QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7)); };
    RecargaExterna run(m, o);
    int maximo = -1, ultima = 0;
    run.aoContar = [&](int r) { maximo = r; };
    run.aoProgresso = [&](int l) {
        if (l != ultima + 1)
            falha();
        ultima = l;
    };
    const bool ok = run.Importa(caminho, tipoSel);

    if (maximo != linhas || ultima != linhas || run.TotalOk + run.TotalErros != linhas)
        falha();
    if (ok != (run.TotalErros == 0))
        falha();
    if (run.Resultado().size() != std::size_t(run.TotalErros) + 1 || !run.Resultado()[0].empty())
        falha();
    for (std::size_t i = 1; i < run.Resultado().size(); ++i)
        if (run.Resultado()[i].size() < 13 + 3 + 21 + 1)
            falha();

    // The model holds only the first entries; the rest are empty and
    // no record can name them.
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

    // The parser on its own agrees on the number of records.
    PersRecargaExterna p;
    if (p.Abre(caminho) && p.ContaRegistros() != linhas)
        falha();
    return 0;
}
