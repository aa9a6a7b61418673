#include "codec/rsablock.h"

#include <cryptopp/misc.h>
#include <cryptopp/nbtheory.h>

#include <algorithm>

namespace pluvexa {
namespace {

using CryptoPP::Integer;
using CryptoPP::SecByteBlock;

constexpr std::size_t kFramingBytes = 3;   // 00 BT ... 00
constexpr std::size_t kMinPadding = 8;

// A key whose modulus is empty, or wider than its record says, would give
// blocks that do not fit the block length the record announces.
bool usable_modulus(unsigned bits, const Integer& n)
{
    return bits <= kMaxModulusBits && n > Integer::One() && n.BitCount() <= bits;
}

bool usable(const RsaPublicKey& key)
{
    return usable_modulus(key.bits, key.n) && key.e.IsPositive();
}

bool usable(const RsaPrivateKey& key)
{
    return usable_modulus(key.bits, key.n) && key.p > Integer::One() && key.q > Integer::One()
        && key.p * key.q == key.n;
}

bool public_op(const RsaPublicKey& key, std::span<const std::uint8_t> in, SecByteBlock& out)
{
    if (!usable(key))
        return false;
    const Integer m(in.data(), in.size());
    if (m >= key.n)
        return false;
    // a_exp_b_mod_c is a friend of Integer, found by argument lookup.
    const Integer c = a_exp_b_mod_c(m, key.e, key.n);
    out.New(modulus_bytes(key.bits));
    c.Encode(out.data(), out.size());
    return true;
}

bool private_op(const RsaPrivateKey& key, std::span<const std::uint8_t> in, SecByteBlock& out)
{
    if (!usable(key))
        return false;
    const Integer c(in.data(), in.size());
    if (c >= key.n)
        return false;
    const Integer mp = a_exp_b_mod_c(c % key.p, key.dp, key.p);
    const Integer mq = a_exp_b_mod_c(c % key.q, key.dq, key.q);
    // Crypto++'s CRT(xp, p, xq, q, u) expects u = p^-1 mod q; the record
    // holds q^-1 mod p, so q plays Crypto++'s p.
    const Integer m = CryptoPP::CRT(mq, key.q, mp, key.p, key.qinv);
    if (m.IsNegative() || m >= key.n)
        return false;
    out.New(modulus_bytes(key.bits));
    m.Encode(out.data(), out.size());
    return true;
}

// Builds 00 BT PS 00 data in `block`; PS comes from `pad`.
template <typename PadByte>
bool frame(std::size_t k, std::uint8_t blockType, std::span<const std::uint8_t> data,
           PadByte pad, SecByteBlock& block)
{
    if (data.size() + kFramingBytes + kMinPadding > k)
        return false;
    block.New(k);
    block[0] = 0x00;
    block[1] = blockType;
    const std::size_t padEnd = k - data.size() - 1;
    for (std::size_t i = 2; i < padEnd; ++i)
        block[i] = pad();
    block[padEnd] = 0x00;
    std::copy(data.begin(), data.end(), block.begin() + padEnd + 1);
    return true;
}

// Finds the data of a 00 BT PS 00 data block; PS bytes must satisfy
// `padOk` and number at least kMinPadding.
template <typename PadOk>
bool unframe(const SecByteBlock& block, std::uint8_t blockType, PadOk padOk, SecByteBlock& out)
{
    if (block.size() < kFramingBytes + kMinPadding || block[0] != 0x00 || block[1] != blockType)
        return false;
    std::size_t i = 2;
    while (i < block.size() && block[i] != 0x00) {
        if (!padOk(block[i]))
            return false;
        ++i;
    }
    if (i == block.size() || i - 2 < kMinPadding)
        return false;
    out.Assign(block.data() + i + 1, block.size() - i - 1);
    return true;
}

}  // namespace

bool rsa_encrypt_type2(const RsaPublicKey& key, std::span<const std::uint8_t> data,
                       CryptoPP::RandomNumberGenerator& rng, SecByteBlock& out)
{
    out.New(0);
    try {
        SecByteBlock block;
        auto nonZero = [&rng] {
            std::uint8_t b = 0;
            while (b == 0)
                b = rng.GenerateByte();
            return b;
        };
        if (!usable(key) || !frame(modulus_bytes(key.bits), 0x02, data, nonZero, block))
            return false;
        return public_op(key, block, out);
    } catch (const CryptoPP::Exception&) {
        out.New(0);
        return false;
    }
}

bool rsa_decrypt_type2(const RsaPrivateKey& key, std::span<const std::uint8_t> in,
                       SecByteBlock& out)
{
    out.New(0);
    try {
        SecByteBlock block;
        if (!private_op(key, in, block))
            return false;
        return unframe(block, 0x02, [](std::uint8_t) { return true; }, out);
    } catch (const CryptoPP::Exception&) {
        out.New(0);
        return false;
    }
}

bool rsa_sign_type1(const RsaPrivateKey& key, std::span<const std::uint8_t> data,
                    SecByteBlock& out)
{
    out.New(0);
    try {
        SecByteBlock block;
        if (!usable(key) || !frame(modulus_bytes(key.bits), 0x01, data, [] { return std::uint8_t{0xFF}; }, block))
            return false;
        return private_op(key, block, out);
    } catch (const CryptoPP::Exception&) {
        out.New(0);
        return false;
    }
}

bool rsa_recover_type1(const RsaPublicKey& key, std::span<const std::uint8_t> signature,
                       SecByteBlock& out)
{
    out.New(0);
    try {
        SecByteBlock block;
        if (!public_op(key, signature, block))
            return false;
        return unframe(block, 0x01, [](std::uint8_t b) { return b == 0xFF; }, out);
    } catch (const CryptoPP::Exception&) {
        out.New(0);
        return false;
    }
}

}  // namespace pluvexa
