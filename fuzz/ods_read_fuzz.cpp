// Reads arbitrary bytes as an .ods workbook (a zip of XML parts) and
// checks what every workbook reader promises (livroconferido.h); the kind
// told by the first bytes is asked too, and must not fail.

#include "exchange/livros/leitorods.h"
#include "livroconferido.h"

#include <cstdint>

using namespace pluvexa;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    tipoDosBytes(bytes, QStringLiteral("fuzz.ods"));
    fuzz::confereLivro(livros::leOds(bytes, QStringLiteral("fuzz.ods")));
    return 0;
}
