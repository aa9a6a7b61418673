#pragma once

// The coder's pieces shared by its in-memory and file forms (lzw.cpp,
// lzw_expand.cpp, lzw_files.cpp). Not for callers: they use lzw.h.

#include "recharge/lzw.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <span>

namespace pluvexa::lzw::detail {

inline constexpr std::size_t kProgressStep = 1000;

// No flush per star: a flush is a system call, thousands of them per file.
void print(std::ostream* progress, const char* text);

// Compresses `input` and hands the stream to `write` in up to three pieces
// that follow each other; false as soon as `write` answers false.
bool compressTo(std::span<const std::uint8_t> input, std::ostream* progress,
                const std::function<bool(std::span<const std::uint8_t>)>& write);

// Expands `stream`, the output going into the buffer `room(n)` answers
// (room for n + kExpandSlack bytes); the output is then its first `total`
// bytes. `room` is not called when nothing is expanded or the output is
// refused.
inline constexpr std::size_t kExpandSlack = 16 + 256 + 16;
ExpandStatus expandInto(std::span<const std::uint8_t> stream, std::ostream* progress,
                        const std::function<std::uint8_t*(std::size_t n)>& room, std::size_t& total);

}  // namespace pluvexa::lzw::detail
