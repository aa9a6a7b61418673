// Reads arbitrary bytes as an .xls workbook: FreeXL reads from a file, so
// each input is written to a file first (in memory where there is such a
// folder). Checks what every workbook reader promises
// (livroconferido.h), the refusal by declared dimensions included.

#include "exchange/livros/leitorxls.h"
#include "livroconferido.h"

#include <QTemporaryDir>
#include <cstdint>

using namespace pluvexa;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir(fuzz::pastaFuzz() + QStringLiteral("/pluvexa-xls-fuzz-"));
    if (!dir.isValid())
        return 0;
    const QString caminho = dir.filePath(QStringLiteral("entrada.xls"));
    {
        QFile f(caminho);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || f.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            return 0;
    }
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    tipoDosBytes(bytes, caminho);
    const Livro livro = livros::leXls(caminho, QStringLiteral("entrada.xls"));
    fuzz::confereLivro(livro);
    // A sheet declaring more cells than the bound is never read.
    if (livro.ok() && livros::celulasDeclaradas(bytes) > livros::kMaisCelulas)
        std::abort();
    return 0;
}
