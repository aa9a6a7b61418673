// "Importar Arquivo" on a 16 MiB spreadsheet of one row, against a loaded
// file of 10,000 holders: the row alone (a header of one 16 MiB column,
// refused as lacking its columns) and a header followed by one row whose
// value is 16 MiB of digits (refused as an invalid value). Each message
// quotes the cell by its first characters, never whole. Goal: each under
// 150 MB of peak memory and 2 s.

#include "../support/importacaomedida.h"

namespace pluvexa {
namespace {

constexpr qsizetype kTamanho = qsizetype(16) << 20;

// Arg 0: one row of 16 MiB; arg 1: a header and one row, 16 MiB in all.
QByteArray planilha(int forma)
{
    if (forma == 0)
        return QByteArray(kTamanho, 'x');
    QByteArray b = QByteArrayLiteral("Matr\xC3\xAD" "cula;Valor\r\nMAT1;");
    b += QByteArray(kTamanho - b.size(), '9');
    return b;
}

void BM_ImportaPlanilhaDeUmaLinha(benchmark::State& state)
{
    bench::medeImportacao(state, QStringLiteral("folha.csv"), planilha(int(state.range(0))),
                          [](const RecargaExterna& run) {
                              return !run.recusa() && run.TotalErros == 1 && run.linhasResultado().size() == 1
                                     && run.linhasResultado().first().size() <= 400;
                          });
}
BENCHMARK(BM_ImportaPlanilhaDeUmaLinha)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pluvexa
