// Expands arbitrary bytes and checks the result against the plain reference
// expander: same bytes, same verdict, never a crash or an out-of-bounds access.
// The reference has no bound on its output; where it gives more than
// kMaxExpandedSize bytes (a fatal error after them included) the expander
// must refuse the stream as too large, and only then.

#include "codec/lzw.h"
#include "lzw_reference.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> stream(data, size);
    const pluvexa::lzw::ExpandResult got = pluvexa::lzw::expand(stream);
    const pluvexa::lzwref::Expanded want = pluvexa::lzwref::expand(stream);
    const bool tooLarge = want.bytes.size() > pluvexa::lzw::kMaxExpandedSize;
    if ((got.status == pluvexa::lzw::ExpandStatus::TooLarge) != tooLarge)
        std::abort();
    if (tooLarge) {
        if (!got.bytes.empty())
            std::abort();
        return 0;
    }
    const bool fatal = got.status == pluvexa::lzw::ExpandStatus::FatalError;
    if (fatal != want.fatal)
        std::abort();
    // A first code that is the end code: the reference writes the byte FF,
    // the coder gives back nothing so that the empty file round-trips.
    const bool endFirst = size < 4 || (data[0] == 0xFF && data[1] == 0xFF);
    if (endFirst ? !got.bytes.empty() : got.bytes != want.bytes)
        std::abort();
    return 0;
}
