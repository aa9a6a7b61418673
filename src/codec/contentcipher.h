#pragma once

// The content ciphers an envelope can name: DES and its triple and DESX
// variants, all in CBC mode with the chaining around the whole block
// operation. Padding is the envelope's business; these work on whole 8-byte
// blocks only.

#include <cryptopp/cryptlib.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace pluvexa {

enum CipherSelector : int {
    kCipherNone = 0,
    kCipherDesCbc = 1,
    kCipherDesEde2Cbc = 2,  // session key bytes 16..23 repeat bytes 0..7
    kCipherDesEde3Cbc = 3,  // k1 = bytes 0..7, k2 = 8..15, k3 = 16..23
    kCipherDesxCbc = 4,     // DES key 0..7, input whitening 8..15, output whitening 16..23
};

inline constexpr std::size_t kCipherBlock = 8;

// Session key length for a cipher selector: 8 for DES, 24 for the others
// (including selectors no cipher answers to, which are refused later).
inline std::size_t session_key_length(int selector)
{
    return selector == kCipherDesCbc ? 8 : 24;
}

// A CBC encryptor or decryptor for selectors 1 to 4, keyed with a session
// key of session_key_length(selector) bytes and an 8-byte IV; null for any
// other selector or key length.
std::unique_ptr<CryptoPP::SymmetricCipher> make_content_cipher(
    int selector, bool encrypt, std::span<const std::uint8_t> sessionKey,
    std::span<const std::uint8_t> iv);

}  // namespace pluvexa
