// Reads arbitrary bytes as an .xlsx workbook (a zip of XML parts) and
// checks what every workbook reader promises (livroconferido.h); the kind
// told by the first bytes is asked too, and must not fail.

#include "exchange/livros/leitorxlsx.h"
#include "livroconferido.h"

#include <cstdint>

using namespace pluvexa;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    tipoDosBytes(bytes, QStringLiteral("fuzz.xlsx"));
    fuzz::confereLivro(livros::leXlsx(bytes, QStringLiteral("fuzz.xlsx")));
    return 0;
}
