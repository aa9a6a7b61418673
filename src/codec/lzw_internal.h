#pragma once

// The coder's pieces shared by its in-memory and file forms (lzw.cpp,
// lzw_expand.cpp, lzw_files.cpp). Not for callers: they use lzw.h.

#include "codec/largebuffer.h"
#include "codec/lzw.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <span>

namespace pluvexa::lzw::detail {

inline constexpr std::size_t kProgressStep = 1000;

// No flush per star: a flush is a system call, thousands of them per file.
inline void print(std::ostream* progress, const char* text)
{
    if (progress)
        *progress << text;
}

// Compresses `input` and hands the stream to `write` in up to three pieces
// that follow each other; false as soon as `write` answers false. With
// `status`, a stream the central cannot expand (a string longer than
// kDecodeStackSize) is not handed over at all: `status` says so and the
// answer is false.
bool compressTo(std::span<const std::uint8_t> input, std::ostream* progress,
                const std::function<bool(std::span<const std::uint8_t>)>& write,
                CompressStatus* status = nullptr);

// Expands `stream` into a buffer of its own (none when nothing is expanded
// or the output is refused); the output is then its first `total` bytes.
ExpandStatus expandWhole(std::span<const std::uint8_t> stream, std::ostream* progress,
                         std::unique_ptr<LargeBuffer>& output, std::size_t& total, std::size_t limit);

}  // namespace pluvexa::lzw::detail
