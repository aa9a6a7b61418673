#pragma once

// RSA with PKCS #1 v1.5 block formatting, as the envelope uses it: block type
// 2 to carry a session key to a recipient, block type 1 for signatures.
//
// Blocks are big-endian byte strings as long as the modulus (bits + 7) / 8 of
// the key record. An input block that is not numerically smaller than the
// modulus is refused. The private-key operation goes by the Chinese remainder
// theorem with p, q, d mod (p-1), d mod (q-1) and q^-1 mod p; the private
// exponent itself is not used. Every function answers false on any failure
// (unusable key, data too long for the key, malformed block) and leaves `out`
// empty then. Intermediate numbers are Crypto++ Integers, whose storage is
// wiped when they go; byte buffers are SecByteBlocks.

#include "codec/keyrecord.h"

#include <cryptopp/secblock.h>

#include <cstdint>
#include <span>

namespace pluvexa {

// 00 02 PS 00 data; PS is at least 8 bytes drawn one at a time from rng and
// redrawn while zero.
bool rsa_encrypt_type2(const RsaPublicKey& key, std::span<const std::uint8_t> data,
                       CryptoPP::RandomNumberGenerator& rng, CryptoPP::SecByteBlock& out);

// Inverse of rsa_encrypt_type2: the block must begin 00 02, and a 00 byte must
// end a padding of at least 8 bytes.
bool rsa_decrypt_type2(const RsaPrivateKey& key, std::span<const std::uint8_t> block,
                       CryptoPP::SecByteBlock& out);

// 00 01 FF..FF 00 data, at least 8 bytes FF.
bool rsa_sign_type1(const RsaPrivateKey& key, std::span<const std::uint8_t> data,
                    CryptoPP::SecByteBlock& out);

// Recovers the data of a type 1 block: 00 01, at least 8 bytes FF, 00, data.
bool rsa_recover_type1(const RsaPublicKey& key, std::span<const std::uint8_t> signature,
                       CryptoPP::SecByteBlock& out);

}  // namespace pluvexa
