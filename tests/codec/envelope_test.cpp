#include "envelopetesthelpers.h"

#include "codec/builtinkeys.h"
#include "codec/envelope.h"
#include "codec/rsablock.h"
#include "support/pastatemporaria.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <tuple>

namespace pluvexa {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

// Offsets in an envelope without info bytes, sealed with a cipher for one
// recipient holding a 512-bit key.
constexpr std::size_t kCipherAt = 23;
constexpr std::size_t kDigestAt = 24;
constexpr std::size_t kReservedAt = 25;
constexpr std::size_t kCountAt = 35;
constexpr std::size_t kKeyLengthAt = 36;
constexpr std::size_t kKeyBlockAt = 38;
constexpr std::size_t kContentAt = 102;

struct Keys {
    PrivateKeyRecord priv;
    PublicKeyRecord pub;
};

const Keys& signer()  // pair A
{
    static const Keys k{test::demo_private("own"), test::demo_public("own")};
    return k;
}

const Keys& recipient()  // pair B
{
    static const Keys k{test::demo_private("central"), test::demo_public("central")};
    return k;
}

const Keys& generated(int which)
{
    static const std::vector<Keys> pairs = [] {
        std::vector<Keys> v;
        test::DeterministicRandom rng(2024);
        for (int i = 0; i < 3; ++i) {
            const auto p = generate_key_pair(512, rng);
            v.push_back({p->privateRecord, p->publicRecord});
        }
        return v;
    }();
    return pairs.at(static_cast<std::size_t>(which));
}

std::uint32_t le32(const Bytes& b, std::size_t at)
{
    return b[at] | (std::uint32_t{b[at + 1]} << 8) | (std::uint32_t{b[at + 2]} << 16)
        | (std::uint32_t{b[at + 3]} << 24);
}

unsigned le16(const Bytes& b, std::size_t at) { return b[at] | (unsigned{b[at + 1]} << 8); }

class Envelope : public testing::Test {
protected:
    test::PastaTemporaria dir;
    fs::path plain = path("plain.bin");
    fs::path sealed = path("sealed.bin");
    fs::path opened = path("opened.bin");

    fs::path path(const char* name) const { return dir / name; }

    int seal(const Bytes& content, int cipher = kCipherDesCbc, int digest = kDigestMd5,
             std::uint64_t seed = 1)
    {
        test::gravaBytes(plain, content);
        test::DeterministicRandom rng(seed);
        const PublicKeyRecord to[] = {recipient().pub};
        return seal_file(plain, sealed, signer().priv, to, {}, cipher, digest, &rng);
    }

    int open(std::size_t index = 0)
    {
        return open_sealed_file(sealed, opened, recipient().priv, signer().pub, index);
    }

    Bytes sealedBytes() const { return test::leBytes(sealed); }
    Bytes openedBytes() const { return test::leBytes(opened); }
};

// ---- round trips ----------------------------------------------------------

class RoundTrip : public Envelope,
                  public testing::WithParamInterface<std::tuple<int, int, std::size_t>> {};

TEST_P(RoundTrip, OpensToTheSameBytesAndHasTheDocumentedSize)
{
    const auto [cipher, digest, size] = GetParam();
    const Bytes content = test::pattern(size);
    ASSERT_EQ(seal(content, cipher, digest), kEnvelopeOk);
    ASSERT_EQ(open(), kEnvelopeOk);
    EXPECT_EQ(openedBytes(), content);

    const std::size_t header = 21 + 2 + 1 + 1 + 2;
    const std::size_t keys = cipher ? 8 + 1 + 2 + 64 : 0;
    const std::size_t body = cipher ? 8 * (size / 8 + 1) : size;
    const std::size_t signature = digest ? 2 + 64 : 0;
    const Bytes env = sealedBytes();
    EXPECT_EQ(env.size(), header + keys + body + signature + 6);
    EXPECT_EQ(le32(env, env.size() - 6), size);
}

INSTANTIATE_TEST_SUITE_P(
    EveryCipherAndDigest, RoundTrip,
    testing::Combine(testing::Values(kCipherNone, kCipherDesCbc, kCipherDesEde2Cbc,
                                     kCipherDesEde3Cbc, kCipherDesxCbc),
                     testing::Values(kDigestNone, kDigestMd2, kDigestMd5),
                     testing::Values(std::size_t{0}, std::size_t{7}, std::size_t{8},
                                     std::size_t{1000})));

class SealedSize : public Envelope, public testing::WithParamInterface<std::size_t> {};

TEST_P(SealedSize, DesCbcWithMd5Is174PlusThePaddedContent)
{
    const std::size_t l = GetParam();
    ASSERT_EQ(seal(test::pattern(l)), kEnvelopeOk);
    EXPECT_EQ(sealedBytes().size(), 174 + 8 * (l / 8 + 1));
}

INSTANTIATE_TEST_SUITE_P(Lengths, SealedSize, testing::Values(0, 1, 7, 8, 9, 23, 24, 25, 4099));

TEST_F(Envelope, EmptyFileSealsTo182BytesAndOpensEmpty)
{
    ASSERT_EQ(seal({}), kEnvelopeOk);
    const Bytes env = sealedBytes();
    ASSERT_EQ(env.size(), 182u);
    EXPECT_EQ(le32(env, 176), 0u);
    EXPECT_EQ(le16(env, 180), 0xFFFFu);
    ASSERT_EQ(open(), kEnvelopeOk);
    EXPECT_TRUE(fs::exists(opened));
    EXPECT_TRUE(openedBytes().empty());
}

TEST_F(Envelope, HeaderFieldsAndTrailerCrc)
{
    const std::string digits = "123456789";
    ASSERT_EQ(seal(Bytes(digits.begin(), digits.end())), kEnvelopeOk);
    const Bytes env = sealedBytes();
    const std::string magic(env.begin(), env.begin() + 17);
    EXPECT_EQ(magic, "Q7 Encrypted File");
    EXPECT_EQ(Bytes(env.begin() + 17, env.begin() + 21), (Bytes{0x0D, 0x0A, 0x1A, 0x00}));
    EXPECT_EQ(le16(env, 21), 0u);
    EXPECT_EQ(env[kCipherAt], kCipherDesCbc);
    EXPECT_EQ(env[kDigestAt], kDigestMd5);
    EXPECT_EQ(le16(env, kReservedAt), 0u);
    EXPECT_EQ(env[kCountAt], 1);
    EXPECT_EQ(le16(env, kKeyLengthAt), 64u);
    EXPECT_EQ(le16(env, kContentAt + 16), 64u);  // signature length after 16 content bytes
    EXPECT_EQ(le32(env, env.size() - 6), 9u);
    EXPECT_EQ(le16(env, env.size() - 2), 0x29B1u);

    ASSERT_EQ(seal(Bytes{'a', 'b', 'c'}), kEnvelopeOk);
    EXPECT_EQ(le16(sealedBytes(), sealedBytes().size() - 2), 0x514Au);
}

TEST_F(Envelope, PlainCipherStoresTheContentAsItIs)
{
    const Bytes content = test::pattern(40);
    ASSERT_EQ(seal(content, kCipherNone, kDigestNone), kEnvelopeOk);
    const Bytes env = sealedBytes();
    ASSERT_EQ(env.size(), 27u + 40 + 6);
    EXPECT_EQ(Bytes(env.begin() + 27, env.begin() + 67), content);
}

TEST_F(Envelope, InfoBytesAreStoredAndSkipped)
{
    test::gravaBytes(plain, test::pattern(30));
    const Bytes info = {'h', 'e', 'l', 'l', 'o'};
    const PublicKeyRecord to[] = {recipient().pub};
    ASSERT_EQ(seal_file(plain, sealed, signer().priv, to, info, kCipherDesCbc, kDigestMd5),
              kEnvelopeOk);
    const Bytes env = sealedBytes();
    EXPECT_EQ(le16(env, 21), 5u);
    EXPECT_EQ(Bytes(env.begin() + 23, env.begin() + 28), info);
    ASSERT_EQ(open(), kEnvelopeOk);
    EXPECT_EQ(openedBytes(), test::pattern(30));
}

TEST_F(Envelope, TwoKeyTripleDesRepeatsTheFirstKeyAsTheThird)
{
    ASSERT_EQ(seal(test::pattern(16), kCipherDesEde2Cbc), kEnvelopeOk);
    const Bytes env = sealedBytes();
    CryptoPP::SecByteBlock key;
    ASSERT_TRUE(rsa_decrypt_type2(parse_private_record(recipient().priv),
                                  std::span(env).subspan(kKeyBlockAt, 64), key));
    ASSERT_EQ(key.size(), 24u);
    EXPECT_TRUE(std::equal(key.begin(), key.begin() + 8, key.begin() + 16));
}

// ---- randomness -----------------------------------------------------------

TEST_F(Envelope, EverySealDrawsFreshKeysFromTheSystem)
{
    test::gravaBytes(plain, test::pattern(64));
    const PublicKeyRecord to[] = {recipient().pub};
    ASSERT_EQ(seal_file(plain, sealed, signer().priv, to, {}, kCipherDesCbc, kDigestMd5), 0);
    const Bytes first = sealedBytes();
    ASSERT_EQ(seal_file(plain, sealed, signer().priv, to, {}, kCipherDesCbc, kDigestMd5), 0);
    const Bytes second = sealedBytes();
    EXPECT_NE(Bytes(first.begin() + 27, first.begin() + kContentAt),
              Bytes(second.begin() + 27, second.begin() + kContentAt));  // IV and key block
    EXPECT_NE(Bytes(first.begin() + kContentAt, first.begin() + kContentAt + 72),
              Bytes(second.begin() + kContentAt, second.begin() + kContentAt + 72));
    ASSERT_EQ(open(), 0);
    EXPECT_EQ(openedBytes(), test::pattern(64));
}

TEST_F(Envelope, AnInjectedGeneratorMakesSealingReproducible)
{
    ASSERT_EQ(seal(test::pattern(100), kCipherDesEde3Cbc, kDigestMd5, 42), 0);
    const Bytes first = sealedBytes();
    ASSERT_EQ(seal(test::pattern(100), kCipherDesEde3Cbc, kDigestMd5, 42), 0);
    EXPECT_EQ(sealedBytes(), first);
    ASSERT_EQ(seal(test::pattern(100), kCipherDesEde3Cbc, kDigestMd5, 43), 0);
    EXPECT_NE(sealedBytes(), first);
}

// ---- tampering ------------------------------------------------------------

TEST_F(Envelope, ChangingAnyCiphertextByteFailsTheOpening)
{
    ASSERT_EQ(seal(test::pattern(40)), 0);
    const Bytes good = sealedBytes();
    for (std::size_t at = kContentAt; at < kContentAt + 48; ++at) {
        Bytes bad = good;
        bad[at] ^= 0x01;
        test::gravaBytes(sealed, bad);
        const int code = open();
        EXPECT_TRUE(code == kEnvelopeBadPadding || code == kEnvelopeBadSignature)
            << "byte " << at << " gave " << code;
    }
}

TEST_F(Envelope, CrcAndReservedBytesAreNotChecked)
{
    ASSERT_EQ(seal(test::pattern(40)), 0);
    Bytes env = sealedBytes();
    env[env.size() - 1] ^= 0xFF;
    env[env.size() - 2] ^= 0x55;
    env[kReservedAt] = 0x12;
    env[kReservedAt + 1] = 0x34;
    test::gravaBytes(sealed, env);
    ASSERT_EQ(open(), kEnvelopeOk);
    EXPECT_EQ(openedBytes(), test::pattern(40));
}

TEST_F(Envelope, MagicTextIsNotCompared)
{
    ASSERT_EQ(seal(test::pattern(20)), 0);
    Bytes env = sealedBytes();
    std::fill(env.begin(), env.begin() + 20, 'x');
    test::gravaBytes(sealed, env);
    ASSERT_EQ(open(), kEnvelopeOk);
    EXPECT_EQ(openedBytes(), test::pattern(20));

    // Only the first zero byte counts, whatever comes before it.
    Bytes shorter(env.begin() + 18, env.end());
    test::gravaBytes(sealed, shorter);
    ASSERT_EQ(open(), kEnvelopeOk);
    EXPECT_EQ(openedBytes(), test::pattern(20));
}

TEST_F(Envelope, EveryTruncationFails)
{
    ASSERT_EQ(seal(test::pattern(30)), 0);
    const Bytes good = sealedBytes();
    for (std::size_t n = 0; n < good.size(); ++n) {
        test::gravaBytes(sealed, Bytes(good.begin(), good.begin() + static_cast<long>(n)));
        EXPECT_NE(open(), kEnvelopeOk) << "kept " << n << " bytes";
    }
}

TEST_F(Envelope, PlainContentCutShortIsNotReportedAsSuccess)
{
    ASSERT_EQ(seal(test::pattern(40), kCipherNone, kDigestNone), 0);
    Bytes env = sealedBytes();
    env[env.size() - 6] = 60;  // L claims more bytes than the file holds
    test::gravaBytes(sealed, env);
    EXPECT_EQ(open(), kEnvelopeBadPadding);
}

// ---- keys and recipients ----------------------------------------------------

TEST_F(Envelope, ForeignPrivateKeyCannotOpen)
{
    ASSERT_EQ(seal(test::pattern(40)), 0);
    const int code = open_sealed_file(sealed, opened, generated(0).priv, signer().pub, 0);
    EXPECT_TRUE(code == kEnvelopePrivateKeyFailed || code == kEnvelopeBadPadding
                || code == kEnvelopeBadSignature)
        << code;
}

TEST_F(Envelope, WrongSenderKeyFailsTheSignatureBlock)
{
    ASSERT_EQ(seal(test::pattern(40)), 0);
    EXPECT_EQ(open_sealed_file(sealed, opened, recipient().priv, generated(0).pub, 0),
              kEnvelopePublicKeyFailed);
    // The content itself was decrypted before the signature was checked.
    EXPECT_EQ(openedBytes(), test::pattern(40));
}

TEST_F(Envelope, SignatureOfOtherContentDoesNotMatch)
{
    ASSERT_EQ(seal(test::pattern(40)), 0);
    const Bytes first = sealedBytes();
    ASSERT_EQ(seal(test::pattern(40, 2)), 0);
    Bytes mixed = sealedBytes();
    const std::size_t sigAt = kContentAt + 48 + 2;
    std::copy(first.begin() + sigAt, first.begin() + sigAt + 64, mixed.begin() + sigAt);
    test::gravaBytes(sealed, mixed);
    EXPECT_EQ(open(), kEnvelopeBadSignature);
}

TEST_F(Envelope, WithoutDigestAnySenderKeyOpens)
{
    ASSERT_EQ(seal(test::pattern(33), kCipherDesCbc, kDigestNone), 0);
    ASSERT_EQ(open_sealed_file(sealed, opened, recipient().priv, generated(1).pub, 0), 0);
    EXPECT_EQ(openedBytes(), test::pattern(33));
}

TEST_F(Envelope, RecipientIndexBeyondTheKeyBlocksGives243)
{
    ASSERT_EQ(seal(test::pattern(10)), 0);
    EXPECT_EQ(open(1), kEnvelopeNoKeyBlock);
    Bytes env = sealedBytes();
    env[kKeyLengthAt] = 0;  // an empty key block is no key block
    test::gravaBytes(sealed, env);
    EXPECT_EQ(open(0), kEnvelopeNoKeyBlock);
}

TEST_F(Envelope, SeveralRecipientsOpenEachByItsIndex)
{
    const Bytes content = test::pattern(77);
    test::gravaBytes(plain, content);
    const Keys* who[] = {&generated(0), &recipient(), &generated(1)};
    const PublicKeyRecord to[] = {who[0]->pub, who[1]->pub, who[2]->pub};
    ASSERT_EQ(seal_file(plain, sealed, signer().priv, to, {}, kCipherDesxCbc, kDigestMd2), 0);
    EXPECT_EQ(sealedBytes()[kCountAt], 3);
    for (std::size_t i = 0; i < 3; ++i) {
        fs::remove(opened);
        ASSERT_EQ(open_sealed_file(sealed, opened, who[i]->priv, signer().pub, i), 0) << i;
        EXPECT_EQ(openedBytes(), content) << i;
    }
    EXPECT_EQ(open_sealed_file(sealed, opened, who[0]->priv, signer().pub, 1),
              kEnvelopePrivateKeyFailed);
    EXPECT_EQ(open_sealed_file(sealed, opened, who[0]->priv, signer().pub, 3),
              kEnvelopeNoKeyBlock);
}

TEST_F(Envelope, KeyRecordsOver1024BitsAreRefusedBeforeAnyFileIsTouched)
{
    test::gravaBytes(plain, test::pattern(8));
    PublicKeyRecord bigPublic = recipient().pub;
    bigPublic[0] = 0x01;
    bigPublic[1] = 0x04;  // 1025 bits
    PrivateKeyRecord bigPrivate = signer().priv;
    bigPrivate[0] = 0x01;
    bigPrivate[1] = 0x04;
    const PublicKeyRecord good[] = {recipient().pub};
    const PublicKeyRecord bad[] = {recipient().pub, bigPublic};
    EXPECT_EQ(seal_file(plain, sealed, signer().priv, bad, {}, 1, 5), kEnvelopeModulusTooLong);
    EXPECT_EQ(seal_file(plain, sealed, bigPrivate, good, {}, 1, 5), kEnvelopeModulusTooLong);
    EXPECT_FALSE(fs::exists(sealed));
    ASSERT_EQ(seal(test::pattern(8)), 0);
    EXPECT_EQ(open_sealed_file(sealed, opened, bigPrivate, signer().pub, 0),
              kEnvelopeModulusTooLong);
    EXPECT_EQ(open_sealed_file(sealed, opened, recipient().priv, bigPublic, 0),
              kEnvelopeModulusTooLong);
    EXPECT_FALSE(fs::exists(opened));
}

TEST_F(Envelope, KeyTooSmallForTheSignatureFailsAsPrivateKeyOperation)
{
    test::DeterministicRandom rng(5);
    const auto small = generate_key_pair(384, rng);
    ASSERT_TRUE(small);
    test::gravaBytes(plain, test::pattern(8));
    PrivateKeyRecord broken = small->privateRecord;
    broken[450 + 63] ^= 0x02;  // q no longer divides n
    const PublicKeyRecord to[] = {recipient().pub};
    EXPECT_EQ(seal_file(plain, sealed, broken, to, {}, 1, 5), kEnvelopePrivateKeyFailed);
    const PublicKeyRecord tiny[] = {[] {
        RsaPublicKey k{64, CryptoPP::Integer("0xC0000000000000A1"), CryptoPP::Integer(3)};
        return *build_public_record(k);
    }()};
    EXPECT_EQ(seal_file(plain, sealed, small->privateRecord, tiny, {}, 1, 5),
              kEnvelopePublicKeyFailed);
}

// ---- selectors and field limits ---------------------------------------------

TEST_F(Envelope, UnknownSelectorsWhenSealing)
{
    EXPECT_EQ(seal(test::pattern(8), kCipherDesCbc, 4), kEnvelopeBadDigestSelector);
    EXPECT_EQ(seal(test::pattern(8), 5, kDigestMd5), kEnvelopeBadCipherSelector);
    EXPECT_EQ(seal(test::pattern(8), 255, kDigestNone), kEnvelopeBadCipherSelector);
}

TEST_F(Envelope, UnknownSelectorsWhenOpening)
{
    ASSERT_EQ(seal(test::pattern(8), kCipherDesEde3Cbc, kDigestMd5), 0);
    Bytes env = sealedBytes();
    env[kDigestAt] = 1;
    test::gravaBytes(sealed, env);
    EXPECT_EQ(open(), kEnvelopeBadDigestSelector);
    env[kDigestAt] = kDigestMd5;
    env[kCipherAt] = 5;  // 24-byte session key, but no such cipher
    test::gravaBytes(sealed, env);
    EXPECT_EQ(open(), kEnvelopeBadCipherSelector);
    env[kCipherAt] = kCipherDesCbc;  // a 24-byte key where DES wants 8
    test::gravaBytes(sealed, env);
    EXPECT_EQ(open(), kEnvelopePrivateKeyFailed);
}

TEST_F(Envelope, OverlongKeyBlockOrSignatureGives1030)
{
    ASSERT_EQ(seal(test::pattern(8)), 0);
    const Bytes good = sealedBytes();
    Bytes env = good;
    env[kKeyLengthAt] = 129;
    test::gravaBytes(sealed, env);
    EXPECT_EQ(open(), kEnvelopeBlockTooLong);
    env = good;
    env[kContentAt + 16] = 129;
    test::gravaBytes(sealed, env);
    EXPECT_EQ(open(), kEnvelopeBlockTooLong);
}

TEST_F(Envelope, RequestsTheLayoutCannotHoldAreRefused)
{
    test::gravaBytes(plain, test::pattern(8));
    const std::vector<PublicKeyRecord> many(128, recipient().pub);
    EXPECT_EQ(seal_file(plain, sealed, signer().priv, many, {}, 1, 5), kEnvelopeTooLarge);
    EXPECT_EQ(seal_file(plain, sealed, signer().priv, {}, {}, 1, 5), kEnvelopeTooLarge);
    const Bytes info(65536);
    const PublicKeyRecord to[] = {recipient().pub};
    EXPECT_EQ(seal_file(plain, sealed, signer().priv, to, info, 1, 5), kEnvelopeTooLarge);
    EXPECT_FALSE(fs::exists(sealed));
    // Without a cipher no key block is written, so no recipient is needed.
    EXPECT_EQ(seal_file(plain, sealed, signer().priv, {}, {}, 0, 5), kEnvelopeOk);
}

// ---- files ----------------------------------------------------------------

TEST_F(Envelope, MissingInputGives241AndNoOutput)
{
    const PublicKeyRecord to[] = {recipient().pub};
    EXPECT_EQ(seal_file(path("none"), sealed, signer().priv, to, {}, 1, 5),
              kEnvelopeInputUnreadable);
    EXPECT_FALSE(fs::exists(sealed));
    EXPECT_EQ(open_sealed_file(path("none"), opened, recipient().priv, signer().pub, 0),
              kEnvelopeInputUnreadable);
    EXPECT_FALSE(fs::exists(opened));
}

TEST_F(Envelope, FileWithoutZeroByteGives241AfterCreatingAnEmptyOutput)
{
    test::gravaBytes(sealed, Bytes(300, 0x41));
    EXPECT_EQ(open(), kEnvelopeInputUnreadable);
    ASSERT_TRUE(fs::exists(opened));
    EXPECT_EQ(fs::file_size(opened), 0u);
}

TEST_F(Envelope, OutputThatCannotBeCreatedGives242)
{
    const PublicKeyRecord to[] = {recipient().pub};
    test::gravaBytes(plain, test::pattern(8));
    EXPECT_EQ(seal_file(plain, path("no/such/dir/out"), signer().priv, to, {}, 1, 5),
              kEnvelopeOutputNotCreated);
    ASSERT_EQ(seal(test::pattern(8)), 0);
    EXPECT_EQ(open_sealed_file(sealed, path("no/such/dir/out"), recipient().priv, signer().pub, 0),
              kEnvelopeOutputNotCreated);
}

TEST_F(Envelope, OutputOntoTheInputIsRefusedAndTheInputKept)
{
    const PublicKeyRecord to[] = {recipient().pub};
    test::gravaBytes(plain, test::pattern(50));
    EXPECT_EQ(seal_file(plain, plain, signer().priv, to, {}, 1, 5), kEnvelopeOutputNotCreated);
    EXPECT_EQ(test::leBytes(plain), test::pattern(50));
    ASSERT_EQ(seal(test::pattern(50)), 0);
    const Bytes env = sealedBytes();
    EXPECT_EQ(open_sealed_file(sealed, sealed, recipient().priv, signer().pub, 0),
              kEnvelopeOutputNotCreated);
    EXPECT_EQ(sealedBytes(), env);
}

TEST_F(Envelope, FullDiskIsAWriteFailureNotSuccess)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    const PublicKeyRecord to[] = {recipient().pub};
    test::gravaBytes(plain, test::pattern(10));
    EXPECT_EQ(seal_file(plain, "/dev/full", signer().priv, to, {}, 1, 5), kEnvelopeWriteFailed);
    test::gravaBytes(plain, test::pattern(100000));
    EXPECT_EQ(seal_file(plain, "/dev/full", signer().priv, to, {}, 1, 5), kEnvelopeWriteFailed);

    ASSERT_EQ(seal(test::pattern(10)), 0);
    EXPECT_EQ(open_sealed_file(sealed, "/dev/full", recipient().priv, signer().pub, 0),
              kEnvelopeWriteFailed);
}

TEST_F(Envelope, StreamFormsMatchTheFileForms)
{
    ASSERT_EQ(seal(test::pattern(64), kCipherDesCbc, kDigestMd5, 9), 0);
    const Bytes env = sealedBytes();
    const Bytes content = test::pattern(64);

    std::istringstream in(std::string(content.begin(), content.end()));
    std::ostringstream out;
    test::DeterministicRandom rng(9);
    const PublicKeyRecord to[] = {recipient().pub};
    ASSERT_EQ(seal_stream(in, out, signer().priv, to, {}, kCipherDesCbc, kDigestMd5, &rng), 0);
    EXPECT_EQ(out.str(), std::string(env.begin(), env.end()));

    std::istringstream sealedIn(out.str());
    std::ostringstream plainOut;
    ASSERT_EQ(open_sealed_stream(sealedIn, plainOut, recipient().priv, signer().pub, 0), 0);
    EXPECT_EQ(plainOut.str(), std::string(content.begin(), content.end()));
}

TEST_F(Envelope, BuiltInKeysSealForTheCentral)
{
    // The program signs with its own key and seals for the central; the
    // central's side (tests only) opens with its private key.
    if (!builtin_keys_are_demonstration())
        GTEST_SKIP() << "built with keys from another folder";
    test::gravaBytes(plain, test::pattern(500));
    const PublicKeyRecord to[] = {central_public_key()};
    ASSERT_EQ(seal_file(plain, sealed, own_private_key(), to, {}, kCipherDesCbc, kDigestMd5), 0);
    EXPECT_EQ(sealedBytes().size(), 174u + 8 * (500 / 8 + 1));
    ASSERT_EQ(open_sealed_file(sealed, opened, test::demo_private("central"),
                               public_half(own_private_key()), 0),
              0);
    EXPECT_EQ(openedBytes(), test::pattern(500));
    // The program cannot open its own answer file: it is sealed for the central.
    EXPECT_NE(open_sealed_file(sealed, opened, own_private_key(), central_public_key(), 0), 0);
}

}  // namespace
}  // namespace pluvexa
