#include "codec/keyrecord.h"

#include <cryptopp/misc.h>
#include <cryptopp/rsa.h>

#include <algorithm>

namespace pluvexa {
namespace {

constexpr std::size_t kBitsWidth = 2;
constexpr std::size_t kWideField = 128;
constexpr std::size_t kNarrowField = 64;

struct Field {
    std::size_t offset;
    std::size_t width;
};

constexpr Field kModulus{2, kWideField};
constexpr Field kPublicExponent{130, kWideField};
constexpr Field kPrivateExponent{258, kWideField};
constexpr Field kPrimeP{386, kNarrowField};
constexpr Field kPrimeQ{450, kNarrowField};
constexpr Field kExponentP{514, kNarrowField};
constexpr Field kExponentQ{578, kNarrowField};
constexpr Field kCoefficient{642, kNarrowField};

CryptoPP::Integer read_number(std::span<const std::uint8_t> record, Field f)
{
    return CryptoPP::Integer(record.data() + f.offset, f.width);
}

bool write_number(std::span<std::uint8_t> record, Field f, const CryptoPP::Integer& value)
{
    if (value.IsNegative() || value.MinEncodedSize() > f.width)
        return false;
    value.Encode(record.data() + f.offset, f.width);
    return true;
}

bool write_bits(std::span<std::uint8_t> record, unsigned bits)
{
    if (bits > 0xFFFF)
        return false;
    record[0] = static_cast<std::uint8_t>(bits & 0xFF);
    record[1] = static_cast<std::uint8_t>(bits >> 8);
    return true;
}

}  // namespace

unsigned record_bits(std::span<const std::uint8_t> record)
{
    if (record.size() < kBitsWidth)
        return 0;
    return static_cast<unsigned>(record[0]) | (static_cast<unsigned>(record[1]) << 8);
}

RsaPublicKey parse_public_record(const PublicKeyRecord& record)
{
    RsaPublicKey key;
    key.bits = record_bits(record);
    key.n = read_number(record, kModulus);
    key.e = read_number(record, kPublicExponent);
    return key;
}

RsaPrivateKey parse_private_record(const PrivateKeyRecord& record)
{
    RsaPrivateKey key;
    key.bits = record_bits(record);
    key.n = read_number(record, kModulus);
    key.e = read_number(record, kPublicExponent);
    key.d = read_number(record, kPrivateExponent);
    key.p = read_number(record, kPrimeP);
    key.q = read_number(record, kPrimeQ);
    key.dp = read_number(record, kExponentP);
    key.dq = read_number(record, kExponentQ);
    key.qinv = read_number(record, kCoefficient);
    return key;
}

std::optional<PublicKeyRecord> build_public_record(const RsaPublicKey& key)
{
    PublicKeyRecord record{};
    if (!write_bits(record, key.bits) || !write_number(record, kModulus, key.n)
        || !write_number(record, kPublicExponent, key.e))
        return std::nullopt;
    return record;
}

std::optional<PrivateKeyRecord> build_private_record(const RsaPrivateKey& key)
{
    PrivateKeyRecord record{};
    const bool fits = write_bits(record, key.bits) && write_number(record, kModulus, key.n)
        && write_number(record, kPublicExponent, key.e)
        && write_number(record, kPrivateExponent, key.d) && write_number(record, kPrimeP, key.p)
        && write_number(record, kPrimeQ, key.q) && write_number(record, kExponentP, key.dp)
        && write_number(record, kExponentQ, key.dq)
        && write_number(record, kCoefficient, key.qinv);
    if (!fits) {
        CryptoPP::SecureWipeArray(record.data(), record.size());
        return std::nullopt;
    }
    return record;
}

PublicKeyRecord public_half(const PrivateKeyRecord& record)
{
    PublicKeyRecord out;
    std::copy_n(record.begin(), out.size(), out.begin());
    return out;
}

std::optional<KeyPair> generate_key_pair(unsigned bits, CryptoPP::RandomNumberGenerator& rng)
{
    if (bits < kMinGeneratedModulusBits || bits > kMaxModulusBits)
        return std::nullopt;
    try {
        // Crypto++ aims at the requested size but does not promise it for
        // every size; a modulus one bit short would misstate the record.
        for (int attempt = 0; attempt < 16; ++attempt) {
            CryptoPP::InvertibleRSAFunction f;
            f.Initialize(rng, static_cast<unsigned>(bits), CryptoPP::Integer(65537));
            if (f.GetModulus().BitCount() != bits)
                continue;
            RsaPrivateKey key;
            key.bits = bits;
            key.n = f.GetModulus();
            key.e = f.GetPublicExponent();
            key.d = f.GetPrivateExponent();
            key.p = f.GetPrime1();
            key.q = f.GetPrime2();
            key.dp = f.GetModPrime1PrivateExponent();
            key.dq = f.GetModPrime2PrivateExponent();
            key.qinv = f.GetMultiplicativeInverseOfPrime2ModPrime1();
            auto priv = build_private_record(key);
            if (!priv)
                return std::nullopt;
            KeyPair pair{*priv, public_half(*priv)};
            CryptoPP::SecureWipeArray(priv->data(), priv->size());
            return pair;
        }
    } catch (const CryptoPP::Exception&) {
    }
    return std::nullopt;
}

}  // namespace pluvexa
