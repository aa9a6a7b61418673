// The envelope reads, hashes, enciphers and writes its content in pieces
// of kEnvelopeChunk bytes. Around every edge those pieces have (a cipher
// block, a piece, several pieces), the sealed body must be what one
// uninterrupted CBC pass over the padded content gives, the signature must
// cover the whole content, and opening must give it back.

#include "codec/envelope.h"
#include "codec/rsablock.h"
#include "envelopetesthelpers.h"
#include "support/pastatemporaria.h"

#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/md5.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

namespace pluvexa {
namespace {

using test::Bytes;

// Where the parts of an envelope lie when it is sealed without info bytes
// for one recipient of a 512-bit key (the demonstration keys).
constexpr std::size_t kIvAt = 27;
constexpr std::size_t kKeyBlockAt = 38;
constexpr std::size_t kRsaBlock = 64;
constexpr std::size_t kContentAt = kKeyBlockAt + kRsaBlock;

constexpr std::size_t P = kEnvelopeChunk;

class EnvelopePieces : public testing::TestWithParam<std::tuple<int, std::size_t>> {
protected:
    test::PastaTemporaria dir;
    std::filesystem::path path(const char* name) const { return dir / name; }
};

TEST_P(EnvelopePieces, BodyAndSignatureAreThoseOfOnePassOverTheWholeContent)
{
    const auto [cipher, size] = GetParam();
    const Bytes content = test::pattern(size);
    test::gravaBytes(path("plain"), content);
    const PrivateKeyRecord own = test::demo_private("own");
    const PrivateKeyRecord central = test::demo_private("central");
    const PublicKeyRecord to[] = {test::demo_public("central")};
    test::DeterministicRandom rng(7);
    ASSERT_EQ(seal_file(path("plain"), path("sealed"), own, to, {}, cipher, kDigestMd5, &rng), kEnvelopeOk);
    const Bytes env = test::leBytes(path("sealed"));

    // The body, deciphered in one call with the session key the central
    // recovers from its key block.
    const std::size_t contentAt = cipher == kCipherNone ? kIvAt : kContentAt;  // no IV, no key block
    const std::size_t bodySize = cipher == kCipherNone ? size : kCipherBlock * (size / kCipherBlock + 1);
    ASSERT_GE(env.size(), contentAt + bodySize);
    const Bytes body(env.begin() + std::ptrdiff_t(contentAt), env.begin() + std::ptrdiff_t(contentAt + bodySize));
    Bytes expected = content;
    if (cipher == kCipherNone) {
        EXPECT_EQ(body, content);
    } else {
        CryptoPP::SecByteBlock key;
        ASSERT_TRUE(rsa_decrypt_type2(parse_private_record(central),
                                      std::span(env.data() + kKeyBlockAt, kRsaBlock), key));
        auto decipher = make_content_cipher(cipher, false, key, std::span(env.data() + kIvAt, kCipherBlock));
        ASSERT_TRUE(decipher);
        Bytes plain(body.size());
        decipher->ProcessData(plain.data(), body.data(), body.size());
        const std::size_t pad = bodySize - size;
        expected.insert(expected.end(), pad, static_cast<std::uint8_t>(pad));
        EXPECT_EQ(plain, expected);
    }

    // The signature: MD5 of the whole content, computed at once.
    const std::size_t signatureAt = contentAt + bodySize + 2;
    ASSERT_GE(env.size(), signatureAt + kRsaBlock);
    CryptoPP::SecByteBlock recovered;
    ASSERT_TRUE(rsa_recover_type1(parse_public_record(test::demo_public("own")),
                                  std::span(env.data() + signatureAt, kRsaBlock), recovered));
    std::uint8_t digest[16];
    CryptoPP::Weak::MD5().CalculateDigest(digest, content.data(), content.size());
    ASSERT_EQ(recovered.size(), 34u);
    EXPECT_TRUE(std::equal(digest, digest + 16, recovered.end() - 16));

    ASSERT_EQ(open_sealed_file(path("sealed"), path("opened"), central, test::demo_public("own"), 0), kEnvelopeOk);
    EXPECT_EQ(test::leBytes(path("opened")), content);
}

INSTANTIATE_TEST_SUITE_P(
    EveryCipher, EnvelopePieces,
    testing::Combine(testing::Values(kCipherNone, kCipherDesCbc, kCipherDesEde2Cbc, kCipherDesEde3Cbc, kCipherDesxCbc),
                     testing::Values(std::size_t{0}, std::size_t{1}, std::size_t{7}, std::size_t{8}, std::size_t{9},
                                     std::size_t{15}, std::size_t{16}, std::size_t{17}, P - 1, P, P + 1,
                                     2 * P - 1, 2 * P, 2 * P + 1, 3 * P + 5)),
    [](const auto& info) {
        return "cipher" + std::to_string(std::get<0>(info.param)) + "_" + std::to_string(std::get<1>(info.param)) + "bytes";
    });

}  // namespace
}  // namespace pluvexa
