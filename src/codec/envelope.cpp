#include "codec/envelope.h"

#include "codec/contenthasher.h"

#include "codec/randomsource.h"
#include "codec/rsablock.h"

#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/md2.h>
#include <cryptopp/md5.h>
#include <cryptopp/misc.h>
#include <cryptopp/secblock.h>

#include <boost/crc.hpp>

#include <algorithm>
#include <array>
#include <fstream>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <system_error>
#include <vector>

namespace pluvexa {
namespace {

using CryptoPP::SecByteBlock;

constexpr std::array<std::uint8_t, 21> kMagic = {
    'Q', '7', ' ', 'E', 'n', 'c', 'r', 'y', 'p', 't', 'e', 'd', ' ',
    'F', 'i', 'l', 'e', 0x0D, 0x0A, 0x1A, 0x00};

constexpr std::size_t kChunk = kEnvelopeChunk;
static_assert(kChunk % kCipherBlock == 0);
constexpr std::size_t kMaxRsaBlock = 128;
constexpr std::size_t kTrailerSize = 6;
constexpr std::uint64_t kMaxContent = 0xFFFFFFFFu;
constexpr std::size_t kMaxInfo = 0xFFFF;

// DER DigestInfo prefix for MD5; MD2 differs in the last arc of the OID.
constexpr std::array<std::uint8_t, 18> kDigestInfoPrefix = {
    0x30, 0x20, 0x30, 0x0C, 0x06, 0x08, 0x2A, 0x86, 0x48,
    0x86, 0xF7, 0x0D, 0x02, 0x05, 0x05, 0x00, 0x04, 0x10};
constexpr std::size_t kDigestAlgorithmArc = 13;
constexpr std::size_t kDigestSize = 16;

using Crc16 = boost::crc_optimal<16, 0x1021, 0xFFFF, 0, false, false>;

bool too_long(const PublicKeyRecord& r) { return record_bits(r) > kMaxModulusBits; }
bool too_long(const PrivateKeyRecord& r) { return record_bits(r) > kMaxModulusBits; }

std::unique_ptr<CryptoPP::HashTransformation> new_digest(int selector)
{
    switch (selector) {
    case kDigestMd2:
        return std::make_unique<CryptoPP::Weak::MD2>();
    case kDigestMd5:
        return std::make_unique<CryptoPP::Weak::MD5>();
    default:
        return nullptr;
    }
}

// Finishes the digest and wraps it in its DigestInfo.
SecByteBlock digest_info(CryptoPP::HashTransformation& hash, int selector)
{
    SecByteBlock info(kDigestInfoPrefix.size() + kDigestSize);
    std::copy(kDigestInfoPrefix.begin(), kDigestInfoPrefix.end(), info.begin());
    if (selector == kDigestMd2)
        info[kDigestAlgorithmArc] = 0x02;
    hash.Final(info.data() + kDigestInfoPrefix.size());
    return info;
}

class Writer {
public:
    explicit Writer(std::ostream& out) : m_out(out) {}
    bool bytes(const std::uint8_t* p, std::size_t n)
    {
        m_out.write(reinterpret_cast<const char*>(p), static_cast<std::streamsize>(n));
        return static_cast<bool>(m_out);
    }
    bool bytes(std::span<const std::uint8_t> s) { return bytes(s.data(), s.size()); }
    bool u8(unsigned v)
    {
        const std::uint8_t b = static_cast<std::uint8_t>(v);
        return bytes(&b, 1);
    }
    bool u16(unsigned v)
    {
        const std::uint8_t b[2] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)};
        return bytes(b, 2);
    }
    bool u32(std::uint32_t v)
    {
        const std::uint8_t b[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                   static_cast<std::uint8_t>(v >> 16),
                                   static_cast<std::uint8_t>(v >> 24)};
        return bytes(b, 4);
    }
    bool flush() { return static_cast<bool>(m_out.flush()); }

private:
    std::ostream& m_out;
};

class Reader {
public:
    explicit Reader(std::istream& in) : m_in(in) {}
    // Reads up to n bytes; answers how many came.
    std::size_t some(std::uint8_t* p, std::size_t n)
    {
        m_in.read(reinterpret_cast<char*>(p), static_cast<std::streamsize>(n));
        return static_cast<std::size_t>(m_in.gcount());
    }
    bool bytes(std::uint8_t* p, std::size_t n) { return some(p, n) == n; }
    bool skip(std::size_t n)
    {
        m_in.ignore(static_cast<std::streamsize>(n));
        return static_cast<std::size_t>(m_in.gcount()) == n;
    }
    bool u8(unsigned& v)
    {
        std::uint8_t b;
        if (!bytes(&b, 1))
            return false;
        v = b;
        return true;
    }
    bool u16(unsigned& v)
    {
        std::uint8_t b[2];
        if (!bytes(b, 2))
            return false;
        v = b[0] | (unsigned{b[1]} << 8);
        return true;
    }
    bool failedHard() const { return m_in.bad(); }

private:
    std::istream& m_in;
};

int seal_checked(std::istream& input, std::ostream& output, const PrivateKeyRecord& ownPrivate,
                 std::span<const PublicKeyRecord> recipients, std::span<const std::uint8_t> info,
                 int cipherSelector, int digestSelector, CryptoPP::RandomNumberGenerator* rng)
{
    Writer w(output);
    if (!w.bytes(kMagic) || !w.u16(static_cast<unsigned>(info.size())) || !w.bytes(info)
        || !w.u8(static_cast<unsigned>(cipherSelector)) || !w.u8(static_cast<unsigned>(digestSelector))
        || !w.u16(0))
        return kEnvelopeWriteFailed;

    std::unique_ptr<CryptoPP::HashTransformation> hash;
    if (digestSelector != kDigestNone) {
        hash = new_digest(digestSelector);
        if (!hash)
            return kEnvelopeBadDigestSelector;
    }

    std::unique_ptr<CryptoPP::SymmetricCipher> cipher;
    if (cipherSelector != kCipherNone) {
        // Only the cipher needs randomness; a fresh generator per seal keeps
        // session keys and IVs from repeating across files.
        std::unique_ptr<CryptoPP::RandomNumberGenerator> systemRandom;
        if (!rng) {
            systemRandom = new_system_random();
            if (!systemRandom)
                return kEnvelopeNoRandom;
            rng = systemRandom.get();
        }
        SecByteBlock sessionKey(session_key_length(cipherSelector));
        SecByteBlock iv(kCipherBlock);
        try {
            rng->GenerateBlock(sessionKey.data(), sessionKey.size());
            rng->GenerateBlock(iv.data(), iv.size());
        } catch (const CryptoPP::Exception&) {
            return kEnvelopeNoRandom;
        }
        if (cipherSelector == kCipherDesEde2Cbc)
            std::copy_n(sessionKey.begin(), 8, sessionKey.begin() + 16);
        cipher = make_content_cipher(cipherSelector, true, sessionKey, iv);
        if (!cipher)
            return kEnvelopeBadCipherSelector;
        std::vector<SecByteBlock> keyBlocks(recipients.size());
        for (std::size_t i = 0; i < recipients.size(); ++i) {
            if (!rsa_encrypt_type2(parse_public_record(recipients[i]), sessionKey, *rng, keyBlocks[i]))
                return kEnvelopePublicKeyFailed;
        }
        sessionKey.CleanNew(0);
        if (!w.bytes(iv) || !w.u8(static_cast<unsigned>(recipients.size())))
            return kEnvelopeWriteFailed;
        for (const SecByteBlock& block : keyBlocks) {
            if (!w.u16(static_cast<unsigned>(block.size())) || !w.bytes(block))
                return kEnvelopeWriteFailed;
        }
    }

    Crc16 crc;
    std::uint64_t length = 0;
    Reader r(input);
    // Two pieces in turn: one is hashed on the hasher's thread while the
    // next is read and enciphered on this one.
    SecByteBlock pieces[2] = {SecByteBlock(kChunk), SecByteBlock(kChunk)};
    int turn = 0;
    // Plain bytes waiting for a whole cipher block, then the chunk behind them.
    SecByteBlock pending(kCipherBlock + kChunk);
    SecByteBlock sealed(kCipherBlock + kChunk);
    std::size_t waiting = 0;
    ContentHasher hasher([&](const std::uint8_t* p, std::size_t n) {
        crc.process_bytes(p, n);
        if (hash)
            hash->Update(p, n);
    });
    for (;;) {
        std::uint8_t* const chunk = pieces[turn].data();
        turn ^= 1;
        const std::size_t n = r.some(chunk, kChunk);
        if (n == 0)
            break;
        hasher.add(chunk, n);
        if (cipher) {
            std::copy_n(chunk, n, pending.begin() + waiting);
            waiting += n;
            const std::size_t whole = waiting - waiting % kCipherBlock;
            cipher->ProcessData(sealed.data(), pending.data(), whole);
            if (!w.bytes(sealed.data(), whole))
                return kEnvelopeWriteFailed;
            std::copy(pending.begin() + whole, pending.begin() + waiting, pending.begin());
            waiting -= whole;
        } else if (!w.bytes(chunk, n)) {
            return kEnvelopeWriteFailed;
        }
        length += n;
        if (length > kMaxContent)
            return kEnvelopeTooLarge;
    }
    hasher.finish();
    if (r.failedHard())
        return kEnvelopeInputUnreadable;

    if (cipher) {
        const std::size_t pad = kCipherBlock - waiting;
        std::fill(pending.begin() + waiting, pending.begin() + kCipherBlock,
                  static_cast<std::uint8_t>(pad));
        cipher->ProcessData(sealed.data(), pending.data(), kCipherBlock);
        if (!w.bytes(sealed.data(), kCipherBlock))
            return kEnvelopeWriteFailed;
    }

    if (hash) {
        SecByteBlock signature;
        {
            const SecByteBlock data = digest_info(*hash, digestSelector);
            if (!rsa_sign_type1(parse_private_record(ownPrivate), data, signature))
                return kEnvelopePrivateKeyFailed;
        }
        if (!w.u16(static_cast<unsigned>(signature.size())) || !w.bytes(signature))
            return kEnvelopeWriteFailed;
    }

    if (!w.u32(static_cast<std::uint32_t>(length)) || !w.u16(crc.checksum()) || !w.flush())
        return kEnvelopeWriteFailed;
    return kEnvelopeOk;
}

// Argument checks that come before any file is touched.
int seal_precheck(const PrivateKeyRecord& ownPrivate, std::span<const PublicKeyRecord> recipients,
                  std::span<const std::uint8_t> info, int cipherSelector)
{
    if (too_long(ownPrivate)
        || std::any_of(recipients.begin(), recipients.end(),
                       [](const PublicKeyRecord& r) { return too_long(r); }))
        return kEnvelopeModulusTooLong;
    if (info.size() > kMaxInfo)
        return kEnvelopeTooLarge;
    if (cipherSelector != kCipherNone && (recipients.empty() || recipients.size() > kMaxRecipients))
        return kEnvelopeTooLarge;
    return kEnvelopeOk;
}

// Reads the trailer's content length and leaves the input at its start.
bool read_trailer_length(std::istream& input, std::uint32_t& length)
{
    input.seekg(0, std::ios::end);
    const std::streamoff size = input.tellg();
    if (!input || size < static_cast<std::streamoff>(kTrailerSize))
        return false;
    input.seekg(size - static_cast<std::streamoff>(kTrailerSize));
    std::uint8_t trailer[kTrailerSize];
    input.read(reinterpret_cast<char*>(trailer), kTrailerSize);
    if (input.gcount() != static_cast<std::streamsize>(kTrailerSize))
        return false;
    length = trailer[0] | (std::uint32_t{trailer[1]} << 8) | (std::uint32_t{trailer[2]} << 16)
        | (std::uint32_t{trailer[3]} << 24);
    input.clear();
    input.seekg(0);
    return static_cast<bool>(input);
}

bool skip_magic(std::istream& input)
{
    std::istream::int_type c;
    while ((c = input.get()) != std::istream::traits_type::eof()) {
        if (c == 0)
            return true;
    }
    return false;
}

int open_checked(std::istream& input, std::ostream& output, const PrivateKeyRecord& ownPrivate,
                 const PublicKeyRecord& senderPublic, std::size_t recipientIndex)
{
    std::uint32_t length = 0;
    if (!read_trailer_length(input, length) || !skip_magic(input))
        return kEnvelopeInputUnreadable;

    Reader r(input);
    unsigned infoLength = 0, cipherSelector = 0, digestSelector = 0;
    if (!r.u16(infoLength) || !r.skip(infoLength) || !r.u8(cipherSelector) || !r.u8(digestSelector)
        || !r.skip(2))
        return kEnvelopeInputUnreadable;

    std::unique_ptr<CryptoPP::SymmetricCipher> cipher;
    if (cipherSelector != kCipherNone) {
        SecByteBlock iv(kCipherBlock);
        unsigned count = 0;
        if (!r.bytes(iv.data(), iv.size()) || !r.u8(count))
            return kEnvelopeInputUnreadable;
        SecByteBlock keyBlock;
        for (std::size_t i = 0; i < count; ++i) {
            unsigned blockLength = 0;
            if (!r.u16(blockLength))
                return kEnvelopeInputUnreadable;
            if (i != recipientIndex) {
                if (!r.skip(blockLength))
                    return kEnvelopeInputUnreadable;
                continue;
            }
            if (blockLength > kMaxRsaBlock)
                return kEnvelopeBlockTooLong;
            keyBlock.New(blockLength);
            if (!r.bytes(keyBlock.data(), blockLength))
                return kEnvelopeInputUnreadable;
        }
        if (keyBlock.empty())
            return kEnvelopeNoKeyBlock;
        SecByteBlock sessionKey;
        if (!rsa_decrypt_type2(parse_private_record(ownPrivate), keyBlock, sessionKey)
            || sessionKey.size() != session_key_length(static_cast<int>(cipherSelector)))
            return kEnvelopePrivateKeyFailed;
        cipher = make_content_cipher(static_cast<int>(cipherSelector), false, sessionKey, iv);
        if (!cipher)
            return kEnvelopeBadCipherSelector;
    }
    const std::uint64_t contentLength =
        cipher ? kCipherBlock * (std::uint64_t{length} / kCipherBlock + 1) : length;

    std::unique_ptr<CryptoPP::HashTransformation> hash;
    if (digestSelector != kDigestNone) {
        hash = new_digest(static_cast<int>(digestSelector));
        if (!hash)
            return kEnvelopeBadDigestSelector;
    }

    Writer w(output);
    // The plain bytes of each piece are gathered in one of two buffers in
    // turn and written; the digest of one is taken on the hasher's thread
    // while the next is deciphered, as sealing does.
    SecByteBlock gathered[2] = {SecByteBlock(kCipherBlock + kChunk), SecByteBlock(kCipherBlock + kChunk)};
    int turn = 0;
    std::size_t filled = 0;
    std::optional<ContentHasher> hasher;
    if (hash)
        hasher.emplace([&](const std::uint8_t* p, std::size_t n) { hash->Update(p, n); });
    auto gather = [&](const std::uint8_t* p, std::size_t n) {
        std::copy_n(p, n, gathered[turn].begin() + filled);
        filled += n;
    };
    auto emit = [&] {
        const std::uint8_t* const piece = gathered[turn].data();
        const std::size_t n = filled;
        turn ^= 1;
        filled = 0;
        if (hasher)
            hasher->add(piece, n);
        return w.bytes(piece, n);
    };

    SecByteBlock chunk(kChunk);
    SecByteBlock pending(kCipherBlock + kChunk);  // ciphertext short of a block, then the chunk
    SecByteBlock plain(kCipherBlock + kChunk);
    SecByteBlock held(kCipherBlock);  // last plain block, kept until the padding is checked
    std::size_t waiting = 0;
    bool holding = false;
    std::uint64_t remaining = contentLength;
    while (remaining > 0) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, remaining));
        const std::size_t n = r.some(chunk.data(), want);
        remaining -= n;
        if (!cipher) {
            gather(chunk.data(), n);
            if (!emit())
                return kEnvelopeWriteFailed;
        } else {
            std::copy_n(chunk.begin(), n, pending.begin() + waiting);
            waiting += n;
            const std::size_t whole = waiting - waiting % kCipherBlock;
            if (whole > 0) {
                cipher->ProcessData(plain.data(), pending.data(), whole);
                if (holding)
                    gather(held.data(), kCipherBlock);
                gather(plain.data(), whole - kCipherBlock);
                if (!emit())
                    return kEnvelopeWriteFailed;
                std::copy_n(plain.begin() + (whole - kCipherBlock), kCipherBlock, held.begin());
                holding = true;
                std::copy(pending.begin() + whole, pending.begin() + waiting, pending.begin());
                waiting -= whole;
            }
        }
        if (n < want)
            return kEnvelopeBadPadding;  // the content ends before its length says
    }

    if (cipher) {
        if (!holding || waiting != 0)
            return kEnvelopeBadPadding;
        const unsigned pad = held[kCipherBlock - 1];
        if (pad < 1 || pad > kCipherBlock
            || !std::all_of(held.end() - pad, held.end(), [pad](std::uint8_t b) { return b == pad; }))
            return kEnvelopeBadPadding;
        gather(held.data(), kCipherBlock - pad);
        if (!emit())
            return kEnvelopeWriteFailed;
    }

    if (hash) {
        hasher->finish();
        unsigned signatureLength = 0;
        if (!r.u16(signatureLength))
            return kEnvelopeBadSignature;
        if (signatureLength > kMaxRsaBlock)
            return kEnvelopeBlockTooLong;
        SecByteBlock signature(signatureLength);
        if (!r.bytes(signature.data(), signature.size()))
            return kEnvelopeBadSignature;
        SecByteBlock recovered;
        if (!rsa_recover_type1(parse_public_record(senderPublic), signature, recovered))
            return kEnvelopePublicKeyFailed;
        const SecByteBlock expected = digest_info(*hash, static_cast<int>(digestSelector));
        if (recovered != expected)
            return kEnvelopeBadSignature;
    }
    if (!w.flush())
        return kEnvelopeWriteFailed;
    return kEnvelopeOk;
}

bool same_file(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec);
}

// Closes a file the operation wrote; a close that fails loses buffered bytes.
int finish(std::ofstream& out, int code)
{
    out.close();
    if (code == kEnvelopeOk && out.fail())
        return kEnvelopeWriteFailed;
    return code;
}

}  // namespace

const char* envelope_error_name(int code)
{
    switch (code) {
    case kEnvelopeOk: return "ok";
    case kEnvelopeInputUnreadable: return "input unreadable or not an envelope";
    case kEnvelopeOutputNotCreated: return "output not created";
    case kEnvelopeNoKeyBlock: return "no key block for the recipient";
    case kEnvelopeWriteFailed: return "write failed";
    case kEnvelopeTooLarge: return "too large";
    case kEnvelopeNoRandom: return "no random source";
    case kEnvelopeBadDigestSelector: return "bad digest selector";
    case kEnvelopeBadPadding: return "bad padding";
    case kEnvelopeBlockTooLong: return "block too long";
    case kEnvelopeModulusTooLong: return "key too long";
    case kEnvelopePrivateKeyFailed: return "private-key operation failed";
    case kEnvelopePublicKeyFailed: return "public-key operation failed";
    case kEnvelopeBadSignature: return "bad signature";
    case kEnvelopeBadCipherSelector: return "bad cipher selector";
    default: return "unknown";
    }
}

int seal_stream(std::istream& input, std::ostream& output, const PrivateKeyRecord& ownPrivate,
                std::span<const PublicKeyRecord> recipients, std::span<const std::uint8_t> info,
                int cipherSelector, int digestSelector, CryptoPP::RandomNumberGenerator* rng)
{
    if (const int code = seal_precheck(ownPrivate, recipients, info, cipherSelector))
        return code;
    return seal_checked(input, output, ownPrivate, recipients, info, cipherSelector,
                        digestSelector, rng);
}

int open_sealed_stream(std::istream& input, std::ostream& output,
                       const PrivateKeyRecord& ownPrivate, const PublicKeyRecord& senderPublic,
                       std::size_t recipientIndex)
{
    if (too_long(ownPrivate) || too_long(senderPublic))
        return kEnvelopeModulusTooLong;
    return open_checked(input, output, ownPrivate, senderPublic, recipientIndex);
}

int seal_file(const std::filesystem::path& input, const std::filesystem::path& output,
              const PrivateKeyRecord& ownPrivate, std::span<const PublicKeyRecord> recipients,
              std::span<const std::uint8_t> info, int cipherSelector, int digestSelector,
              CryptoPP::RandomNumberGenerator* rng)
{
    if (const int code = seal_precheck(ownPrivate, recipients, info, cipherSelector))
        return code;
    std::ifstream in(input, std::ios::binary);
    if (!in)
        return kEnvelopeInputUnreadable;
    // Truncating the output would destroy the input before it is read.
    if (same_file(input, output))
        return kEnvelopeOutputNotCreated;
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    if (!out)
        return kEnvelopeOutputNotCreated;
    return finish(out, seal_checked(in, out, ownPrivate, recipients, info, cipherSelector,
                                    digestSelector, rng));
}

int open_sealed_file(const std::filesystem::path& input, const std::filesystem::path& output,
                     const PrivateKeyRecord& ownPrivate, const PublicKeyRecord& senderPublic,
                     std::size_t recipientIndex)
{
    if (too_long(ownPrivate) || too_long(senderPublic))
        return kEnvelopeModulusTooLong;
    std::ifstream in(input, std::ios::binary);
    if (!in)
        return kEnvelopeInputUnreadable;
    if (same_file(input, output))
        return kEnvelopeOutputNotCreated;
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    if (!out)
        return kEnvelopeOutputNotCreated;
    return finish(out, open_checked(in, out, ownPrivate, senderPublic, recipientIndex));
}

}  // namespace pluvexa
