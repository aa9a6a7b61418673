// Imports arbitrary bytes as an external recharge file into a small loaded
// file and checks what the run promises: every line is one record, counted
// once as stored or as failed; every failure has its result line; only the
// value of group 1 of loaded holders changes, and only to a value the answer
// file can carry (never negative, never above the holder's own maximum,
// whole credits), so that the record writer still accepts the model.
// The first byte chooses the card type selected in the window.

#include "exchange/persrecargaexterna.h"
#include "exchange/recargaexterna.h"
#include "modelopequeno.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>

using namespace pluvexa;
using fuzz::falha;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir(fuzz::modeloPasta(QStringLiteral("pluvexa-import-fuzz")));
    static const ModeloRecarga original = fuzz::modeloPequeno();
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
    // A file without a record (empty, or a last line without its line
    // feed) is no success, and its report says so in one line.
    const bool nadaLido = linhas == 0;
    if (ok != (run.TotalErros == 0 && !nadaLido))
        falha();
    if (run.Resultado().size() != std::size_t(run.TotalErros) + 1 + (nadaLido ? 1 : 0) || !run.Resultado()[0].empty())
        falha();
    if (nadaLido && run.Resultado().back() != "Nenhum registro reconhecido no arquivo")
        falha();
    for (std::size_t i = 1; i < run.Resultado().size() - (nadaLido ? 1 : 0); ++i)
        if (run.Resultado()[i].size() < 13 + 3 + 21 + 1)
            falha();

    fuzz::confereEVolta(m, original);

    // The parser on its own agrees on the number of records.
    PersRecargaExterna p;
    if (p.Abre(caminho) && p.ContaRegistros() != linhas)
        falha();
    return 0;
}
