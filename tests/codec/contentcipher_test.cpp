#include "envelopetesthelpers.h"

#include "codec/contentcipher.h"

#include <cryptopp/des.h>
#include <gtest/gtest.h>

#include <functional>

namespace pluvexa {
namespace {

using test::Bytes;
using Block = std::function<Bytes(const Bytes&)>;

Bytes des(const Bytes& key, std::size_t offset, bool encrypt, const Bytes& in)
{
    Bytes out(8);
    if (encrypt) {
        CryptoPP::DES::Encryption e(key.data() + offset, 8);
        e.ProcessBlock(in.data(), out.data());
    } else {
        CryptoPP::DES::Decryption d(key.data() + offset, 8);
        d.ProcessBlock(in.data(), out.data());
    }
    return out;
}

Bytes xor8(const Bytes& a, const Bytes& b, std::size_t bOffset = 0)
{
    Bytes out(8);
    for (std::size_t i = 0; i < 8; ++i)
        out[i] = a[i] ^ b[bOffset + i];
    return out;
}

// One block of each cipher composed from single DES, following the session
// key layout the envelope documents.
Block reference(int selector, const Bytes& key)
{
    switch (selector) {
    case kCipherDesCbc:
        return [key](const Bytes& x) { return des(key, 0, true, x); };
    case kCipherDesEde2Cbc:
    case kCipherDesEde3Cbc:
        return [key](const Bytes& x) {
            return des(key, 16, true, des(key, 8, false, des(key, 0, true, x)));
        };
    default:
        return [key](const Bytes& x) {
            return xor8(des(key, 0, true, xor8(x, key, 8)), key, 16);
        };
    }
}

class ContentCipher : public testing::TestWithParam<int> {};

TEST_P(ContentCipher, FollowsTheSessionKeyLayoutInCbcMode)
{
    const int selector = GetParam();
    Bytes key = test::pattern(session_key_length(selector), 0x21);
    if (selector == kCipherDesEde2Cbc)
        std::copy_n(key.begin(), 8, key.begin() + 16);
    const Bytes iv = test::pattern(8, 0x90);
    const Bytes plain = test::pattern(24, 0x05);

    Bytes expected;
    Bytes chain = iv;
    const Block encryptBlock = reference(selector, key);
    for (std::size_t off = 0; off < plain.size(); off += 8) {
        chain = encryptBlock(xor8(Bytes(plain.begin() + off, plain.begin() + off + 8), chain));
        expected.insert(expected.end(), chain.begin(), chain.end());
    }

    auto enc = make_content_cipher(selector, true, key, iv);
    ASSERT_TRUE(enc);
    Bytes sealed(plain.size());
    enc->ProcessData(sealed.data(), plain.data(), plain.size());
    EXPECT_EQ(sealed, expected);

    auto dec = make_content_cipher(selector, false, key, iv);
    ASSERT_TRUE(dec);
    Bytes back(sealed.size());
    dec->ProcessData(back.data(), sealed.data(), sealed.size());
    EXPECT_EQ(back, plain);
}

INSTANTIATE_TEST_SUITE_P(Selectors, ContentCipher,
                         testing::Values(kCipherDesCbc, kCipherDesEde2Cbc, kCipherDesEde3Cbc,
                                         kCipherDesxCbc));

TEST(ContentCipherSetup, RefusesUnknownSelectorsAndWrongKeyLengths)
{
    const Bytes iv(8), key8(8), key24(24);
    EXPECT_FALSE(make_content_cipher(kCipherNone, true, key8, iv));
    EXPECT_FALSE(make_content_cipher(5, true, key24, iv));
    EXPECT_FALSE(make_content_cipher(kCipherDesCbc, true, key24, iv));
    EXPECT_FALSE(make_content_cipher(kCipherDesEde3Cbc, true, key8, iv));
    EXPECT_FALSE(make_content_cipher(kCipherDesCbc, true, key8, Bytes(7)));
}

}  // namespace
}  // namespace pluvexa
