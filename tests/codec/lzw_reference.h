#pragma once

// The central's coder written out plainly, step by step, as the byte-exact
// yardstick for the fast coder: a 69001-slot hash table with its own probe
// sequence in the compressor, bit accumulators on both sides, a 4000-byte
// decode stack, and an exhausted input that reads as -1. Slow and simple on
// purpose; used by the tests and the fuzz targets only.

#include <cstdint>
#include <span>
#include <vector>

namespace pluvexa::lzwref {

inline constexpr int kTableSize = 69001;
inline constexpr int kStackSize = 4000;

inline std::vector<std::uint8_t> compress(std::span<const std::uint8_t> in)
{
    std::vector<std::int32_t> code(kTableSize, -1);
    std::vector<std::int32_t> prefix(kTableSize);
    std::vector<std::uint8_t> suffix(kTableSize);
    std::vector<std::uint8_t> out;
    std::uint32_t acc = 0;
    int bits = 0;

    auto emit = [&](std::uint32_t c) {
        acc |= c << (16 - bits);
        bits += 16;
        while (bits >= 8) {
            out.push_back(static_cast<std::uint8_t>(acc >> 24));
            acc <<= 8;
            bits -= 8;
        }
    };
    auto find = [&](std::int32_t p, std::int32_t c) {
        int index = (c << 8) ^ p;
        const int step = index == 0 ? 1 : kTableSize - index;
        for (;;) {
            if (code[index] == -1)
                return index;
            if (prefix[index] == p && suffix[index] == c)
                return index;
            index -= step;
            if (index < 0)
                index += kTableSize;
        }
    };

    std::size_t next = 0;
    auto getc = [&]() -> std::int32_t { return next < in.size() ? in[next++] : -1; };

    std::int32_t nextCode = 256;
    std::int32_t string = getc();
    std::int32_t c;
    while ((c = getc()) != -1) {
        const int index = find(string, c);
        if (code[index] != -1) {
            string = code[index];
        } else {
            if (nextCode <= 65534) {
                code[index] = nextCode++;
                prefix[index] = string;
                suffix[index] = static_cast<std::uint8_t>(c);
            }
            emit(static_cast<std::uint32_t>(string));
            string = c;
        }
    }
    emit(static_cast<std::uint32_t>(string));
    emit(65535);
    emit(0);
    return out;
}

struct Expanded {
    bool fatal = false;
    std::vector<std::uint8_t> bytes;
};

// As the central expands, except that a fatal error returns (with the bytes
// written before it) instead of ending the process.
inline Expanded expand(std::span<const std::uint8_t> in)
{
    std::vector<std::uint32_t> prefix(kTableSize);
    std::vector<std::uint8_t> suffix(kTableSize);
    std::uint8_t stack[kStackSize];
    Expanded r;
    std::uint32_t acc = 0;
    int bits = 0;
    std::size_t next = 0;

    auto readCode = [&]() -> std::uint32_t {
        while (bits <= 24) {
            const std::uint32_t b = next < in.size() ? in[next++] : 0xFFFFFFFFu;
            acc |= b << (24 - bits);
            bits += 8;
        }
        const std::uint32_t code = acc >> 16;
        acc <<= 16;
        bits -= 16;
        return code;
    };
    // Returns the last position written, or -1 when the stack overflows.
    auto decode = [&](std::uint32_t code, int pos) -> int {
        while (code > 255) {
            if (pos >= kStackSize)
                return -1;
            stack[pos++] = suffix[code];
            code = prefix[code];
        }
        if (pos >= kStackSize)
            return -1;
        stack[pos] = static_cast<std::uint8_t>(code);
        return pos;
    };

    std::uint32_t nextCode = 256;
    std::uint32_t old = readCode();
    r.bytes.push_back(static_cast<std::uint8_t>(old));
    if (old == 65535)
        return r;
    if (old > 255) {
        r.bytes.clear();
        r.fatal = true;
        return r;
    }
    std::uint8_t character = static_cast<std::uint8_t>(old);
    std::uint32_t code;
    while ((code = readCode()) != 65535) {
        int top;
        if (code >= nextCode) {
            if (code > nextCode) {
                r.fatal = true;
                return r;
            }
            stack[0] = character;
            top = decode(old, 1);
        } else {
            top = decode(code, 0);
        }
        if (top < 0) {
            r.fatal = true;
            return r;
        }
        character = stack[top];
        for (int i = top; i >= 0; --i)
            r.bytes.push_back(stack[i]);
        if (nextCode <= 65534) {
            prefix[nextCode] = old;
            suffix[nextCode] = character;
            ++nextCode;
        }
        old = code;
    }
    return r;
}

}  // namespace pluvexa::lzwref
