#pragma once

// Shared by the envelope and key tests: a reproducible random generator and
// the demonstration keys.

#include "codec/keyrecord.h"
#include "support/arquivosbytes.h"

#include <cryptopp/cryptlib.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace pluvexa::test {

using Bytes = std::vector<std::uint8_t>;

// xorshift64*: the same seed gives the same bytes, so sealed files can be
// compared byte for byte.
class DeterministicRandom : public CryptoPP::RandomNumberGenerator {
public:
    explicit DeterministicRandom(std::uint64_t seed) : m_state(seed ? seed : 1) {}
    void GenerateBlock(CryptoPP::byte* output, size_t size) override
    {
        for (size_t i = 0; i < size; ++i) {
            m_state ^= m_state >> 12;
            m_state ^= m_state << 25;
            m_state ^= m_state >> 27;
            output[i] = static_cast<CryptoPP::byte>((m_state * 0x2545F4914F6CDD1DULL) >> 56);
        }
    }

private:
    std::uint64_t m_state;
};

inline std::filesystem::path demo_key_path(const std::string& name)
{
    return std::filesystem::path(PLUVEXA_SOURCE_DIR) / "keys" / "demo" / name;
}

template <typename Record>
Record demo_record(const std::string& name)
{
    const Bytes b = leBytes(demo_key_path(name));
    Record r{};
    if (b.size() == r.size())
        std::copy(b.begin(), b.end(), r.begin());
    return r;
}

inline PrivateKeyRecord demo_private(const std::string& who)
{
    return demo_record<PrivateKeyRecord>(who + ".private");
}

inline PublicKeyRecord demo_public(const std::string& who)
{
    return demo_record<PublicKeyRecord>(who + ".public");
}

inline Bytes pattern(std::size_t n, std::uint8_t seed = 1)
{
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>(seed + i * 131 + (i >> 8));
    return b;
}

}  // namespace pluvexa::test
