#include "envelopetesthelpers.h"

#include "codec/builtinkeys.h"
#include "codec/keyrecord.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pluvexa {
namespace {

using CryptoPP::Integer;
using test::Bytes;

TEST(KeyRecord, NumbersAreRightAlignedBigEndianAndBitsLittleEndian)
{
    RsaPublicKey key;
    key.bits = 0x0201;
    key.n = Integer(0x0102);
    key.e = Integer(3);
    const auto record = build_public_record(key);
    ASSERT_TRUE(record);
    PublicKeyRecord expected{};
    expected[0] = 0x01;
    expected[1] = 0x02;
    expected[128] = 0x01;  // modulus field is bytes 2..129
    expected[129] = 0x02;
    expected[257] = 0x03;  // exponent field is bytes 130..257
    EXPECT_EQ(*record, expected);

    const RsaPublicKey back = parse_public_record(*record);
    EXPECT_EQ(back.bits, 0x0201u);
    EXPECT_EQ(back.n, Integer(0x0102));
    EXPECT_EQ(back.e, Integer(3));
}

TEST(KeyRecord, PrivateFieldsSitAtTheirOffsets)
{
    RsaPrivateKey key;
    key.bits = 16;
    key.n = Integer(1);
    key.e = Integer(2);
    key.d = Integer(3);
    key.p = Integer(4);
    key.q = Integer(5);
    key.dp = Integer(6);
    key.dq = Integer(7);
    key.qinv = Integer(8);
    const auto record = build_private_record(key);
    ASSERT_TRUE(record);
    // Last byte of each field: n, e, d (128 wide) then p, q, dp, dq, qinv (64).
    const std::size_t ends[] = {129, 257, 385, 449, 513, 577, 641, 705};
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ((*record)[ends[i]], i + 1) << "field " << i;
    EXPECT_EQ(public_half(*record), build_public_record({16, Integer(1), Integer(2)}));
    EXPECT_EQ(parse_private_record(*record).qinv, Integer(8));
}

TEST(KeyRecord, NumbersTooWideForTheirFieldAreRefused)
{
    const Integer wide = Integer::Power2(128 * 8);  // 129 bytes
    EXPECT_FALSE(build_public_record({1024, wide, Integer(3)}));
    RsaPrivateKey key;
    key.bits = 512;
    key.p = Integer::Power2(64 * 8);  // 65 bytes into a 64-byte field
    EXPECT_FALSE(build_private_record(key));
    EXPECT_FALSE(build_public_record({0x10000, Integer(5), Integer(3)}));
}

class GeneratedKeyPair : public testing::TestWithParam<unsigned> {};

TEST_P(GeneratedKeyPair, IsAConsistentRsaKeyOfTheAskedSize)
{
    test::DeterministicRandom rng(GetParam());
    const auto pair = generate_key_pair(GetParam(), rng);
    ASSERT_TRUE(pair);
    EXPECT_EQ(record_bits(pair->privateRecord), GetParam());
    EXPECT_EQ(pair->publicRecord, public_half(pair->privateRecord));

    const RsaPrivateKey k = parse_private_record(pair->privateRecord);
    EXPECT_EQ(k.n.BitCount(), GetParam());
    EXPECT_EQ(k.e, Integer(65537));
    EXPECT_EQ(k.p * k.q, k.n);
    EXPECT_EQ(k.dp, k.d % (k.p - 1));
    EXPECT_EQ(k.dq, k.d % (k.q - 1));
    EXPECT_EQ((k.qinv * k.q) % k.p, Integer::One());
    const Integer m(12345);
    EXPECT_EQ(a_exp_b_mod_c(a_exp_b_mod_c(m, k.e, k.n), k.d, k.n), m);
}

INSTANTIATE_TEST_SUITE_P(Sizes, GeneratedKeyPair, testing::Values(384u, 512u, 1000u, 1024u));

TEST(KeyRecord, GeneratorRefusesSizesTheEnvelopeCannotUse)
{
    test::DeterministicRandom rng(1);
    EXPECT_FALSE(generate_key_pair(kMinGeneratedModulusBits - 1, rng));
    EXPECT_FALSE(generate_key_pair(kMaxModulusBits + 1, rng));
}

class DemoKeyPair : public testing::TestWithParam<const char*> {};

TEST_P(DemoKeyPair, PublicRecordIsThePublicHalfOfAConsistentPrivateRecord)
{
    const std::string who = GetParam();
    ASSERT_EQ(test::leBytes(test::demo_key_path(who + ".private")).size(), kPrivateKeyRecordSize);
    ASSERT_EQ(test::leBytes(test::demo_key_path(who + ".public")).size(), kPublicKeyRecordSize);
    const PrivateKeyRecord priv = test::demo_private(who);
    EXPECT_EQ(public_half(priv), test::demo_public(who));
    const RsaPrivateKey k = parse_private_record(priv);
    EXPECT_EQ(k.bits, 512u);
    EXPECT_EQ(k.n.BitCount(), 512u);
    EXPECT_EQ(k.p * k.q, k.n);
    EXPECT_EQ(k.dp, k.d % (k.p - 1));
    EXPECT_EQ(k.dq, k.d % (k.q - 1));
    EXPECT_EQ((k.qinv * k.q) % k.p, Integer::One());
}

INSTANTIATE_TEST_SUITE_P(Demo, DemoKeyPair, testing::Values("own", "central"));

TEST(BuiltinKeys, AreTheDemonstrationFilesByteForByte)
{
    if (!builtin_keys_are_demonstration())
        GTEST_SKIP() << "built with keys from another folder";
    EXPECT_EQ(own_private_key(), test::demo_private("own"));
    EXPECT_EQ(central_public_key(), test::demo_public("central"));
    EXPECT_NE(parse_private_record(own_private_key()).n, parse_public_record(central_public_key()).n);
}

}  // namespace
}  // namespace pluvexa
