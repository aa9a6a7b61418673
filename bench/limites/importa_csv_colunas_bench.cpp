// "Importar Arquivo" on a 16 MiB spreadsheet shaped to cost memory per
// cell, against a loaded file of 10,000 holders:
//   0: one line of 16 M separators (refused at once as a header of more
//      than 1,000 columns);
//   1: a header, then rows of 100,000 empty cells each (every row refused:
//      "Linha com mais de 1.000 colunas");
//   2: a header, then 100,000 rows of a registration, a value and some
//      160 empty cells each (every row read, matched and stored).
// A row keeps at most 1,000 fields, so memory follows the file, not its
// number of cells. Goal: each under 150 MB of peak memory and 2 s.

#include "../support/importacaomedida.h"

#include "exchange/limitesimportacao.h"

namespace pluvexa {
namespace {

constexpr qsizetype kTamanho = qsizetype(kMaiorImportacao);
const QByteArray kCabecalho = QByteArrayLiteral("Matr\xC3\xAD" "cula;Valor\r\n");

QByteArray planilha(int forma)
{
    if (forma == 0)
        return QByteArray(kTamanho, ';');
    QByteArray b = kCabecalho;
    if (forma == 1) {
        const QByteArray linha = QByteArrayLiteral("MAT1;1") + QByteArray(99999, ';') + QByteArrayLiteral("\r\n");
        while (b.size() + linha.size() <= kTamanho)
            b += linha;
        return b;
    }
    const qsizetype porLinha = (kTamanho - b.size()) / qsizetype(kMaisLinhasImportacao - 1);
    for (int i = 0; i < kMaisLinhasImportacao - 1; ++i) {
        QByteArray linha = "MAT" + QByteArray::number(i % 10000) + ";1";
        linha += QByteArray(porLinha - linha.size() - 2, ';');
        b += linha + "\r\n";
    }
    return b;
}

// What each shape must give: refused rows (or the refused header) and
// stored rows.
bool esperado(const RecargaExterna& run, int forma)
{
    if (run.recusa())
        return false;
    switch (forma) {
    case 0:
        return run.TotalErros == 1 && run.TotalOk == 0
               && run.linhasResultado().value(0).endsWith(QStringLiteral("Linha com mais de 1.000 colunas"));
    case 1:
        return run.TotalErros > 100 && run.TotalOk == 0
               && run.linhasResultado().value(0).endsWith(QStringLiteral("Linha com mais de 1.000 colunas"));
    default:
        return run.TotalErros == 0 && run.TotalOk == kMaisLinhasImportacao - 1;
    }
}

void BM_ImportaPlanilhaDeMuitasColunas(benchmark::State& state)
{
    const int forma = int(state.range(0));
    const QByteArray bytes = planilha(forma);
    if (bytes.size() > kTamanho)
        state.SkipWithError("the spreadsheet is larger than the import takes");
    bench::medeImportacao(state, QStringLiteral("folha.csv"), bytes,
                          [forma](const RecargaExterna& run) { return esperado(run, forma); });
}
BENCHMARK(BM_ImportaPlanilhaDeMuitasColunas)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pluvexa
