#pragma once

// RSA key records: the fixed byte layouts in which the program holds its keys
// and in which key pairs are exchanged with the central.
//
// Every number is an unsigned big-endian byte string right-aligned in its
// field (leading bytes zero); the bit length of the modulus is a 16-bit
// little-endian field.
//
//   public record, 258 bytes        private record, 706 bytes
//     0   2  modulus bits             0   2  modulus bits
//     2 128  modulus n                2 128  modulus n
//   130 128  public exponent e      130 128  public exponent e
//                                   258 128  private exponent d
//                                   386  64  prime p
//                                   450  64  prime q
//                                   514  64  d mod (p - 1)
//                                   578  64  d mod (q - 1)
//                                   642  64  q^-1 mod p
//
// The first 258 bytes of a private record are the public record of the same
// key.

#include <cryptopp/cryptlib.h>
#include <cryptopp/integer.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace pluvexa {

inline constexpr std::size_t kPublicKeyRecordSize = 258;
inline constexpr std::size_t kPrivateKeyRecordSize = 706;
inline constexpr unsigned kMaxModulusBits = 1024;
// Smallest key whose blocks can carry a signed MD5 DigestInfo (34 bytes plus
// 11 bytes of PKCS #1 framing) with room to spare.
inline constexpr unsigned kMinGeneratedModulusBits = 384;
inline constexpr unsigned kDefaultModulusBits = 512;

using PublicKeyRecord = std::array<std::uint8_t, kPublicKeyRecordSize>;
using PrivateKeyRecord = std::array<std::uint8_t, kPrivateKeyRecordSize>;

struct RsaPublicKey {
    unsigned bits = 0;  // as the record states it
    CryptoPP::Integer n, e;
};

// Crypto++ wipes an Integer's storage when it is destroyed, so these numbers
// do not outlive the key object in memory.
struct RsaPrivateKey {
    unsigned bits = 0;
    CryptoPP::Integer n, e, d, p, q, dp, dq, qinv;
};

// The bit-length field of either record (the first two bytes).
unsigned record_bits(std::span<const std::uint8_t> record);

// Length in bytes of the RSA blocks made with a key of this many bits.
inline std::size_t modulus_bytes(unsigned bits) { return (bits + 7) / 8; }

RsaPublicKey parse_public_record(const PublicKeyRecord& record);
RsaPrivateKey parse_private_record(const PrivateKeyRecord& record);

// Empty when a number does not fit its field or the bit length does not fit
// 16 bits.
std::optional<PublicKeyRecord> build_public_record(const RsaPublicKey& key);
std::optional<PrivateKeyRecord> build_private_record(const RsaPrivateKey& key);

// The public record that belongs to a private record.
PublicKeyRecord public_half(const PrivateKeyRecord& record);

struct KeyPair {
    PrivateKeyRecord privateRecord;
    PublicKeyRecord publicRecord;
};

// A fresh key pair with a modulus of exactly `bits` bits and public exponent
// 65537. Empty when bits is outside kMinGeneratedModulusBits to
// kMaxModulusBits or the generator fails.
std::optional<KeyPair> generate_key_pair(unsigned bits, CryptoPP::RandomNumberGenerator& rng);

}  // namespace pluvexa
