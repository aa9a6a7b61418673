#pragma once

// LZW streams that expand to far more than they weigh, written code by code
// (the compressor itself never makes them: it would define strings longer
// than the expander takes). What a hostile or damaged draft may hold.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace pluvexa::test {

// A stream that expands to `n` copies of `byte`, n at least 8,002,000: the
// byte, then codes 256 to 4254 (each the previous string and one byte more,
// up to the expander's longest string of 4000), then code 4254 as often as
// it fits, then the byte alone for the rest, then the end code. About 2
// bytes per 4000 of output: 64 MiB come from 43 KB.
inline std::vector<std::uint8_t> fluxoRepetido(std::uint8_t byte, std::size_t n)
{
    constexpr std::uint32_t kUltimo = 4254;        // defines a string of 4000 bytes
    constexpr std::size_t kCrescimento = 8002000;  // 1 + 2 + ... + 4000 bytes
    if (n < kCrescimento)
        throw std::invalid_argument("fluxoRepetido: n below 8,002,000");
    std::vector<std::uint8_t> s;
    auto codigo = [&s](std::uint32_t c) {
        s.push_back(static_cast<std::uint8_t>(c >> 8));
        s.push_back(static_cast<std::uint8_t>(c));
    };
    codigo(byte);
    for (std::uint32_t c = 256; c <= kUltimo; ++c)
        codigo(c);
    const std::size_t resto = n - kCrescimento;
    for (std::size_t i = 0; i < resto / 4000; ++i)
        codigo(kUltimo);
    for (std::size_t i = 0; i < resto % 4000; ++i)
        codigo(byte);
    codigo(0xFFFF);
    codigo(0);
    return s;
}

}  // namespace pluvexa::test
