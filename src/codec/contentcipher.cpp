#include "codec/contentcipher.h"

#include <cryptopp/des.h>
#include <cryptopp/modes.h>
#include <cryptopp/secblock.h>

#include <algorithm>

namespace pluvexa {
namespace {

template <typename Cipher>
std::unique_ptr<CryptoPP::SymmetricCipher> cbc(bool encrypt, const std::uint8_t* key,
                                               std::size_t keyLength, const std::uint8_t* iv)
{
    std::unique_ptr<CryptoPP::SymmetricCipher> c;
    if (encrypt)
        c = std::make_unique<typename CryptoPP::CBC_Mode<Cipher>::Encryption>();
    else
        c = std::make_unique<typename CryptoPP::CBC_Mode<Cipher>::Decryption>();
    c->SetKeyWithIV(key, keyLength, iv, kCipherBlock);
    return c;
}

}  // namespace

std::unique_ptr<CryptoPP::SymmetricCipher> make_content_cipher(
    int selector, bool encrypt, std::span<const std::uint8_t> sessionKey,
    std::span<const std::uint8_t> iv)
{
    if (selector < kCipherDesCbc || selector > kCipherDesxCbc
        || sessionKey.size() != session_key_length(selector) || iv.size() != kCipherBlock)
        return nullptr;
    const std::uint8_t* key = sessionKey.data();
    switch (selector) {
    case kCipherDesCbc:
        return cbc<CryptoPP::DES>(encrypt, key, 8, iv.data());
    case kCipherDesEde2Cbc:
        // The third key repeats the first, which is what two-key EDE means.
        return cbc<CryptoPP::DES_EDE2>(encrypt, key, 16, iv.data());
    case kCipherDesEde3Cbc:
        return cbc<CryptoPP::DES_EDE3>(encrypt, key, 24, iv.data());
    default: {
        // Crypto++ takes DESX keys as input whitening, DES key, output
        // whitening; the session key puts the DES key first.
        CryptoPP::SecByteBlock xex(24);
        std::copy_n(key + 8, 8, xex.begin());
        std::copy_n(key, 8, xex.begin() + 8);
        std::copy_n(key + 16, 8, xex.begin() + 16);
        return cbc<CryptoPP::DES_XEX3>(encrypt, xex.data(), xex.size(), iv.data());
    }
    }
}

}  // namespace pluvexa
