// Compresses arbitrary bytes: the stream must equal the plain reference
// compressor's and expand back to the input.

#include "codec/lzw.h"
#include "lzw_reference.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> plain(data, size);
    const std::vector<std::uint8_t> stream = pluvexa::lzw::compress(plain);
    if (stream != pluvexa::lzwref::compress(plain))
        std::abort();
    const pluvexa::lzw::ExpandResult back = pluvexa::lzw::expand(stream);
    if (back.status != pluvexa::lzw::ExpandStatus::Ok ||
        !std::equal(back.bytes.begin(), back.bytes.end(), plain.begin(), plain.end()))
        std::abort();
    return 0;
}
