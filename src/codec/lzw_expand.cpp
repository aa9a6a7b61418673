// The expander: two passes over the stream, the second filling an output of
// the exact size the first found.

#include "codec/largebuffer.h"
#include "codec/lzw.h"
#include "codec/lzw_internal.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

namespace pluvexa::lzw {

using detail::kProgressStep;
using detail::print;

namespace {

// Where each defined string can be copied from: every string the expander
// defines is the previous output string followed by the first byte of the
// next one, and those lie next to each other in the output. Sized by the
// codes the stream can define (at most one per code read), so that short
// streams stay cheap. Offsets fit 32 bits: the output never passes
// kMaxExpandedSize.
struct DefinedStrings {
    explicit DefinedStrings(std::size_t codes) : offset(new std::uint32_t[codes]), length(new std::uint16_t[codes])
    {
        // Single bytes are strings of length 1, copied from a table of the
        // bytes 0 to 255 behind the output (their offsets are set once the
        // output's size is known): both passes then treat every code alike,
        // with no branch that random data would make unpredictable.
        for (std::uint32_t c = 0; c < kFirstStringCode; ++c)
            length[c] = 1;
    }
    std::unique_ptr<std::uint32_t[]> offset;
    std::unique_ptr<std::uint16_t[]> length;  // at most kDecodeStackSize + 1
};

// Short strings are copied as one block of this size (loaded whole before it
// is stored), which needs as much slack after the output.
constexpr std::size_t kCopyBlock = 16;
// Behind the output and its slack lie the bytes 0 to 255, where single-byte
// codes are copied from, and the slack of those copies.
constexpr std::size_t kLiteralsAt = kCopyBlock;  // from the output's end
constexpr std::size_t kTail = kCopyBlock + kFirstStringCode + kCopyBlock;
static_assert(kMaxExpandedSize + kTail <= UINT32_MAX);  // offsets fit 32 bits

// The two passes. `room(n)` answers a buffer of n + kTail bytes, whose
// first `total` bytes are then the output; it is not called when nothing is
// expanded or the output is refused. A template, so that the caller's
// buffer comes inlined into the copying loop.
template <typename Room>
ExpandStatus expandInto(std::span<const std::uint8_t> stream, std::ostream* progress, Room&& room,
                        std::size_t& total, std::size_t limit)
{
    print(progress, "Expanding...\n");
    total = 0;
    limit = std::min(limit, kMaxExpandedSize);

    // The central's expander keeps the next code in its bit accumulator and
    // an exhausted input reads as -1, whose ones cover the accumulator: the
    // code being assembled and every later one read as the end code. So only
    // codes whose following code is complete in the input are readable.
    const std::size_t readable = stream.size() >= 4 ? stream.size() / 2 - 1 : 0;
    const std::uint8_t* const s = stream.data();
    auto codeAt = [s](std::size_t i) { return (std::uint32_t{s[2 * i]} << 8) | s[2 * i + 1]; };

    const std::uint32_t first = readable > 0 ? codeAt(0) : kEndCode;
    if (first == kEndCode) {
        print(progress, "\n");
        return ExpandStatus::Ok;
    }
    if (first >= kFirstStringCode) {
        print(progress, "Fatal error during code expansion.\n");
        return ExpandStatus::FatalError;
    }

    // First pass: where every string goes and where each defined string can
    // be copied from, the checks, and the output size. The second pass then
    // fills an output of exactly that size: no growing, and only the pages
    // of the output are ever touched.
    DefinedStrings defined(std::min<std::size_t>(kEndCode, kFirstStringCode + readable));
    std::size_t size = 1;
    std::size_t oldPos = 0;
    std::uint32_t oldLength = 1;
    std::uint32_t nextCode = kFirstStringCode;
    std::size_t counter = 0;
    std::size_t decoded = 1;   // codes that expand, the first one included
    bool fatal = false;
    bool tooLarge = false;
    for (std::size_t i = 1; i < readable; ++i) {
        const std::uint32_t code = codeAt(i);
        if (code == kEndCode)
            break;
        if (++counter == kProgressStep) {
            counter = 0;
            print(progress, "*");
        }
        std::uint32_t length;
        if (code < nextCode) {
            length = defined.length[code];
        } else if (code == nextCode) {
            // The string being defined is needed already: the previous
            // string followed by its own first byte.
            length = oldLength + 1;
        } else {
            fatal = true;
            break;
        }
        if (length > kDecodeStackSize) {
            fatal = true;
            break;
        }
        if (length > limit - size) {
            tooLarge = true;
            break;
        }
        if (nextCode <= kLastStringCode) {
            defined.offset[nextCode] = static_cast<std::uint32_t>(oldPos);
            defined.length[nextCode] = static_cast<std::uint16_t>(oldLength + 1);
            ++nextCode;
        }
        oldPos = size;
        oldLength = length;
        size += length;
        decoded = i + 1;
    }

    // The first byte alone may pass a limit of nothing.
    if (tooLarge || size > limit) {
        if (progress)
            *progress << "Fatal error: expanded output would exceed "
                      << (limit == kMaxExpandedSize ? std::string("64 MiB") : std::to_string(limit) + " bytes")
                      << ".\n";
        return ExpandStatus::TooLarge;
    }

    // Second pass. A code's entries never change once defined, so the final
    // table serves every step.
    std::uint8_t* const out = room(size);
    for (std::uint32_t c = 0; c < kFirstStringCode; ++c) {
        defined.offset[c] = static_cast<std::uint32_t>(size + kLiteralsAt + c);
        out[size + kLiteralsAt + c] = static_cast<std::uint8_t>(c);
    }
    out[0] = static_cast<std::uint8_t>(first);
    std::size_t pos = 1;
    for (std::size_t i = 1; i < decoded; ++i) {
        const std::uint32_t code = codeAt(i);
        const std::size_t length = defined.length[code];
        const std::uint8_t* const from = out + defined.offset[code];
        // All but the last byte lie before pos. The last byte is at pos
        // itself when the string is the one being defined: its own first
        // byte, so it is copied after the rest.
        if (length <= kCopyBlock) {
            std::uint8_t block[kCopyBlock];
            std::memcpy(block, from, kCopyBlock);
            std::memcpy(out + pos, block, kCopyBlock);
        } else {
            std::memcpy(out + pos, from, length - 1);
        }
        out[pos + length - 1] = from[length - 1];
        pos += length;
    }
    total = size;

    if (fatal) {
        print(progress, "Fatal error during code expansion.\n");
        return ExpandStatus::FatalError;
    }
    print(progress, "\n");
    return ExpandStatus::Ok;
}

}  // namespace

namespace detail {

ExpandStatus expandWhole(std::span<const std::uint8_t> stream, std::ostream* progress,
                         std::unique_ptr<LargeBuffer>& output, std::size_t& total, std::size_t limit)
{
    return expandInto(stream, progress, [&](std::size_t n) {
        output = std::make_unique<LargeBuffer>(n + kTail);
        return output->data();
    }, total, limit);
}

}  // namespace detail

ExpandResult expand(std::span<const std::uint8_t> stream, std::ostream* progress, std::size_t limit)
{
    ExpandResult result;
    std::size_t total = 0;
    result.status = expandInto(stream, progress, [&](std::size_t n) {
        result.bytes.resize(n + kTail);
        return result.bytes.data();
    }, total, limit);
    result.bytes.resize(total);
    return result;
}

}  // namespace pluvexa::lzw
