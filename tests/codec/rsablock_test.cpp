#include "envelopetesthelpers.h"

#include "codec/rsablock.h"

#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using CryptoPP::Integer;
using CryptoPP::SecByteBlock;
using test::Bytes;

class RsaBlock : public testing::Test {
protected:
    RsaPrivateKey priv = parse_private_record(test::demo_private("own"));
    RsaPublicKey pub = parse_public_record(test::demo_public("own"));

    // Raw RSA on a hand-made block, to present malformed blocks to the code
    // under test.
    Bytes raw(const Bytes& block, const Integer& exponent) const
    {
        const Integer c = a_exp_b_mod_c(Integer(block.data(), block.size()), exponent, pub.n);
        Bytes out(64);
        c.Encode(out.data(), out.size());
        return out;
    }
    Bytes seal_raw(const Bytes& block) const { return raw(block, pub.e); }
    Bytes sign_raw(const Bytes& block) const { return raw(block, priv.d); }
};

// 00 type padding 00 data; the callers make it 64 bytes, the 512-bit demo key.
Bytes block(std::uint8_t type, std::size_t padding, std::uint8_t padByte, const Bytes& data)
{
    Bytes b{0x00, type};
    b.insert(b.end(), padding, padByte);
    b.push_back(0x00);
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

TEST_F(RsaBlock, SessionKeyAndSignatureRoundTrip)
{
    test::DeterministicRandom rng(7);
    const Bytes key = test::pattern(24);
    SecByteBlock sealed, opened, signature, recovered;
    ASSERT_TRUE(rsa_encrypt_type2(pub, key, rng, sealed));
    EXPECT_EQ(sealed.size(), 64u);
    ASSERT_TRUE(rsa_decrypt_type2(priv, sealed, opened));
    EXPECT_EQ(Bytes(opened.begin(), opened.end()), key);

    const Bytes info = test::pattern(34, 9);
    ASSERT_TRUE(rsa_sign_type1(priv, info, signature));
    ASSERT_TRUE(rsa_recover_type1(pub, signature, recovered));
    EXPECT_EQ(Bytes(recovered.begin(), recovered.end()), info);
}

TEST_F(RsaBlock, DataMustLeaveRoomForEightBytesOfPadding)
{
    test::DeterministicRandom rng(1);
    SecByteBlock out;
    EXPECT_TRUE(rsa_sign_type1(priv, test::pattern(53), out));
    EXPECT_FALSE(rsa_sign_type1(priv, test::pattern(54), out));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(rsa_encrypt_type2(pub, test::pattern(53), rng, out));
    EXPECT_FALSE(rsa_encrypt_type2(pub, test::pattern(54), rng, out));
}

TEST_F(RsaBlock, Type2PaddingIsNonZeroRandomBytes)
{
    // A generator that answers zero half of the time must not put a zero in
    // the padding, which would end it early.
    struct ZeroHeavy : CryptoPP::RandomNumberGenerator {
        unsigned n = 0;
        void GenerateBlock(CryptoPP::byte* out, size_t size) override
        {
            for (size_t i = 0; i < size; ++i)
                out[i] = (n++ % 2) ? 0x00 : static_cast<CryptoPP::byte>(n);
        }
    } rng;
    SecByteBlock sealed, opened;
    ASSERT_TRUE(rsa_encrypt_type2(pub, test::pattern(8), rng, sealed));
    const Integer m = a_exp_b_mod_c(Integer(sealed.data(), sealed.size()), priv.d, priv.n);
    Bytes plain(64);
    m.Encode(plain.data(), plain.size());
    EXPECT_EQ(plain[0], 0x00);
    EXPECT_EQ(plain[1], 0x02);
    for (std::size_t i = 2; i < 64 - 9; ++i)
        EXPECT_NE(plain[i], 0x00) << "padding byte " << i;
}

struct MalformedCase {
    const char* name;
    Bytes block;
    bool accepted;
};

class Type2Block : public RsaBlock, public testing::WithParamInterface<MalformedCase> {};

TEST_P(Type2Block, DecryptsOnlyWellFormedBlocks)
{
    SecByteBlock out;
    EXPECT_EQ(rsa_decrypt_type2(priv, seal_raw(GetParam().block), out), GetParam().accepted);
}

const Bytes kKey8 = test::pattern(8);

INSTANTIATE_TEST_SUITE_P(
    Blocks, Type2Block,
    testing::Values(MalformedCase{"EightPaddingBytes", block(0x02, 53, 0x77, kKey8), true},
                    MalformedCase{"SevenPaddingBytes", block(0x02, 7, 0x77, test::pattern(54)), false},
                    MalformedCase{"ExactlyEightBeforeZero", block(0x02, 8, 0x77, test::pattern(53)), true},
                    MalformedCase{"BlockTypeOne", block(0x01, 53, 0xFF, kKey8), false},
                    MalformedCase{"LeadingByteNotZero", [] { Bytes b = block(0x02, 53, 0x77, kKey8); b[0] = 0x01; return b; }(), false},
                    MalformedCase{"NoZeroAfterPadding", Bytes{0x00, 0x02, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0x11, 0x22}, false}),
    [](const auto& info) { return std::string(info.param.name); });

class Type1Block : public RsaBlock, public testing::WithParamInterface<MalformedCase> {};

TEST_P(Type1Block, RecoversOnlyWellFormedBlocks)
{
    SecByteBlock out;
    EXPECT_EQ(rsa_recover_type1(pub, sign_raw(GetParam().block), out), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, Type1Block,
    testing::Values(MalformedCase{"EightFfBytes", block(0x01, 8, 0xFF, test::pattern(53)), true},
                    MalformedCase{"SevenFfBytes", block(0x01, 7, 0xFF, test::pattern(54)), false},
                    MalformedCase{"PaddingNotFf", [] { Bytes b = block(0x01, 27, 0xFF, test::pattern(34)); b[10] = 0xFE; return b; }(), false},
                    MalformedCase{"BlockTypeTwo", block(0x02, 27, 0xFF, test::pattern(34)), false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RsaBlock, InputNotSmallerThanTheModulusIsRefused)
{
    SecByteBlock signature, out;
    ASSERT_TRUE(rsa_sign_type1(priv, test::pattern(34), signature));
    // signature + n is the same residue; only the size check turns it away.
    const Integer shifted = Integer(signature.data(), signature.size()) + pub.n;
    Bytes wide(65);
    shifted.Encode(wide.data(), wide.size());
    EXPECT_FALSE(rsa_recover_type1(pub, wide, out));

    Bytes modulus(64);
    pub.n.Encode(modulus.data(), modulus.size());
    EXPECT_FALSE(rsa_decrypt_type2(priv, modulus, out));
}

TEST_F(RsaBlock, KeysThatCannotWorkFailInsteadOfThrowing)
{
    test::DeterministicRandom rng(1);
    SecByteBlock out;
    RsaPrivateKey mismatched = priv;
    mismatched.q += 2;  // p * q no longer n
    EXPECT_FALSE(rsa_sign_type1(mismatched, test::pattern(34), out));
    RsaPrivateKey zeroPrime = priv;
    zeroPrime.p = Integer::Zero();
    EXPECT_FALSE(rsa_decrypt_type2(zeroPrime, test::pattern(64), out));
    RsaPublicKey zeroModulus = pub;
    zeroModulus.n = Integer::Zero();
    EXPECT_FALSE(rsa_encrypt_type2(zeroModulus, test::pattern(8), rng, out));
    EXPECT_FALSE(rsa_recover_type1(zeroModulus, test::pattern(64), out));
    RsaPublicKey understated = pub;
    understated.bits = 500;  // the modulus has 512 bits
    EXPECT_FALSE(rsa_encrypt_type2(understated, test::pattern(8), rng, out));
}

}  // namespace
}  // namespace pluvexa
