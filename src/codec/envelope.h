#pragma once

// The sealed-file envelope: content encrypted under a fresh session key, the
// session key RSA-encrypted for each recipient, the content signed with the
// sender's RSA key.
//
// Byte layout (multi-byte integers little-endian; RSA blocks big-endian and as
// long as the modulus of the key that made them):
//
//   21      magic "Q7 Encrypted File" 0D 0A 1A 00; when opening only the
//           first 00 byte matters, the text before it is not compared
//    2      info length N
//    N      info bytes (skipped when opening)
//    1      cipher selector (CipherSelector: 0 none, 1 DES-CBC, 2 two-key
//           3DES EDE CBC, 3 three-key 3DES EDE CBC, 4 DESX CBC)
//    1      digest selector (DigestSelector: 0 none, 3 MD2, 5 MD5)
//    2      reserved, written 0, ignored
//   -- only when the cipher selector is not 0:
//    8      IV
//    1      recipient count R (1 to 127)
//   R x     2 key-block length K (at most 128), then K bytes: the session key
//           under the recipient's public key, PKCS #1 v1.5 block type 2
//   -- content, C bytes: with a cipher, C = 8 * (floor(L / 8) + 1), the CBC
//      ciphertext of the plain content padded with p = 8 - L mod 8 bytes of
//      value p; without one, C = L and the content is stored as it is
//   -- only when the digest selector is not 0:
//    2      signature length S (at most 128)
//    S      PKCS #1 v1.5 block type 1 signature, under the sender's private
//           key, over the DER DigestInfo of the digest of the plain content
//   -- trailer, always the last 6 bytes:
//    4      L, length of the plain content
//    2      CRC-16/CCITT-FALSE of the plain content (written, never checked)
//
// With 512-bit keys, one recipient, DES-CBC and MD5 a sealed file is
// 174 + 8 * (floor(L / 8) + 1) bytes long.
//
// Result codes (0 is success). On an error after the output was created the
// output stays on disk as far as it was written: a partial envelope when
// sealing, unverified plain bytes when opening.
//
//   241  the input cannot be opened or read; opening: no 00 byte ends the
//        magic, or the input ends inside the header or the key blocks (not
//        an envelope)
//   242  the output cannot be created, or it is the input file itself
//   243  opening: no key block (or an empty one) for the recipient index
//   244  writing the output failed or fell short (a full disk, say)
//   245  sealing: the layout cannot hold the request: info over 65535
//        bytes, a recipient count outside 1 to 127 with a cipher, or an
//        input of 4 GiB or more
//   246  sealing: the system's random generator could not be seeded
//  1026  digest selector other than 0, 3 or 5
//  1028  opening: wrong padding in the last content block, or the content
//        ends before its length says (altered content, a wrong key, or a
//        length field that does not match)
//  1030  opening: a key block or a signature longer than 128 bytes
//  1031  a key record of more than 1024 bits
//  1033  the private-key operation failed: signing, or decrypting the
//        session key (also a session key of the wrong length)
//  1034  the public-key operation failed: encrypting the session key, or
//        decrypting the signature block
//  1035  opening: the signature does not match the content, or is cut short
//  1037  cipher selector outside 0 to 4
//
// Both operations stream the content in pieces of kEnvelopeChunk bytes and
// hold no more than a few pieces, a cipher block and the RSA blocks; both
// take the content's digest on a second thread while the next piece is
// enciphered or deciphered. Session keys, digests, key
// blocks and RSA intermediates are wiped as soon as they are done with. The
// operations are self-contained and may run on any thread.

#include "codec/contentcipher.h"
#include "codec/keyrecord.h"

#include <cryptopp/cryptlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <span>

namespace pluvexa {

// The content is read, hashed, enciphered and written this many bytes at a
// time (a whole number of cipher blocks). The bytes sealed do not depend on
// it; larger pieces only cost fewer calls per byte.
inline constexpr std::size_t kEnvelopeChunk = 64 * 1024;

enum EnvelopeResult : int {
    kEnvelopeOk = 0,
    kEnvelopeInputUnreadable = 241,
    kEnvelopeOutputNotCreated = 242,
    kEnvelopeNoKeyBlock = 243,
    kEnvelopeWriteFailed = 244,
    kEnvelopeTooLarge = 245,
    kEnvelopeNoRandom = 246,
    kEnvelopeBadDigestSelector = 1026,
    kEnvelopeBadPadding = 1028,
    kEnvelopeBlockTooLong = 1030,
    kEnvelopeModulusTooLong = 1031,
    kEnvelopePrivateKeyFailed = 1033,
    kEnvelopePublicKeyFailed = 1034,
    kEnvelopeBadSignature = 1035,
    kEnvelopeBadCipherSelector = 1037,
};

enum DigestSelector : int {
    kDigestNone = 0,
    kDigestMd2 = 3,
    kDigestMd5 = 5,
};

inline constexpr std::size_t kMaxRecipients = 127;

// The short name of a result code, for messages beside the number:
// "bad signature" for 1035; "unknown" for a code not listed above.
const char* envelope_error_name(int code);

// Seals `input` into `output` (created or truncated), signed with
// `ownPrivate` and readable by each of `recipients`. `rng` supplies session
// key, IV and padding; null means a fresh generator seeded by the operating
// system (the only choice outside tests).
int seal_file(const std::filesystem::path& input, const std::filesystem::path& output,
              const PrivateKeyRecord& ownPrivate, std::span<const PublicKeyRecord> recipients,
              std::span<const std::uint8_t> info, int cipherSelector, int digestSelector,
              CryptoPP::RandomNumberGenerator* rng = nullptr);

// Opens the envelope `input` into `output` (created or truncated) as the
// recipient at `recipientIndex` (counted from 0), checking the signature
// with `senderPublic`.
int open_sealed_file(const std::filesystem::path& input, const std::filesystem::path& output,
                     const PrivateKeyRecord& ownPrivate, const PublicKeyRecord& senderPublic,
                     std::size_t recipientIndex);

// The same on streams already open; the file forms are these plus opening
// the files. open_sealed_stream needs a seekable input (the trailer is read
// first). Codes 241 and 242 then only mean unreadable or non-envelope input.
int seal_stream(std::istream& input, std::ostream& output, const PrivateKeyRecord& ownPrivate,
                std::span<const PublicKeyRecord> recipients, std::span<const std::uint8_t> info,
                int cipherSelector, int digestSelector,
                CryptoPP::RandomNumberGenerator* rng = nullptr);
int open_sealed_stream(std::istream& input, std::ostream& output,
                       const PrivateKeyRecord& ownPrivate, const PublicKeyRecord& senderPublic,
                       std::size_t recipientIndex);

}  // namespace pluvexa
