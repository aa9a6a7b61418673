// Opens arbitrary bytes as a draft, as the maintenance window continues one:
// the LZW expander, then the record reader and the model. Drafts are not
// signed, so any bytes may arrive: nothing may crash, read out of bounds or
// allocate beyond the expander's bound; failures are the expander's verdict
// or the reader's conversion error.

#include "codec/lzw.h"
#include "recharge/camposregistro.h"
#include "recharge/linhastexto.h"
#include "recharge/processamento.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const pluvexa::lzw::ExpandResult r = pluvexa::lzw::expand(std::span<const std::uint8_t>(data, size));
    if (r.status != pluvexa::lzw::ExpandStatus::Ok)
        return 0;
    if (r.bytes.size() > pluvexa::lzw::kMaxExpandedSize)
        std::abort();
    // Split as the window splits it: no blank line stored, a text longer
    // than any recharge file refused.
    std::vector<pluvexa::Texto> linhas;
    if (!pluvexa::divideTexto(std::string_view(reinterpret_cast<const char*>(r.bytes.data()), r.bytes.size()),
                              linhas)) {
        if (!linhas.empty())
            std::abort();
        return 0;
    }
    if (linhas.size() > pluvexa::kMaisLinhasTexto)
        std::abort();
    for (const pluvexa::Texto& l : linhas)
        if (std::all_of(l.begin(), l.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; }))
            std::abort();
    static pluvexa::ModeloRecarga modelo;   // processing empties it
    QStringList log;
    try {
        pluvexa::ProcessadorRecarga(modelo).processa(linhas, log);
    } catch (const pluvexa::ErroConversao&) {
    }
    return 0;
}
