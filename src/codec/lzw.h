#pragma once

// Fixed-width LZW coder of the recharge files exchanged with the card central.
//
// Stream format (shared with the central, so every detail is part of it):
// each code is 16 bits, written high byte first; codes 0..255 are single
// bytes, 256..65534 are strings defined in order while coding (nothing is
// defined once 65534 exists), 65535 ends the stream and is followed by one
// pad code 0 that the expander's one-code read-ahead consumes. No header,
// length or checksum.
//
// The in-memory forms do the work; the file forms add file handling and print
// their progress to standard output.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <span>
#include <vector>

namespace pluvexa {
namespace lzw {

inline constexpr std::uint32_t kFirstStringCode = 256;
inline constexpr std::uint32_t kLastStringCode = 65534;
inline constexpr std::uint32_t kEndCode = 65535;
inline constexpr std::uint32_t kPadCode = 0;
// Longest string the central's expander can rebuild; a longer one is a fatal
// expansion error even if this implementation could produce it.
inline constexpr std::size_t kDecodeStackSize = 4000;
// Largest output the expander produces. A recharge text of 10,000 holders is
// under 3 MiB; drafts are not signed, so a damaged or hostile stream could
// otherwise ask for gigabytes (each two-byte code may stand for 4000 bytes).
inline constexpr std::size_t kMaxExpandedSize = 64 * 1024 * 1024;

// Compresses `input`. An empty input gives FF FF FF FF 00 00, which expand()
// turns back into nothing. `progress`, when given, receives
// "Compressing...\n", one "*" per 1000 input bytes after the first, and "\n".
// The stream is made whatever its strings' lengths: see longestString().
std::vector<std::uint8_t> compress(std::span<const std::uint8_t> input,
                                   std::ostream* progress = nullptr);

// The length of the longest string the codes of `stream` stand for, as the
// expander rebuilds them (up to the end code, or the first code that
// neither exists nor is being defined). The compressor lets a string grow
// without limit, one byte each time it is used again, but the central's
// expander holds at most kDecodeStackSize bytes of one: a stream whose
// longest string passes that cannot be expanded there. A string of n bytes
// follows strings of 1 to n - 1 bytes, so an input needs at least
// n(n + 1) / 2 bytes to make one: a recharge text of under 3 MiB never
// comes near, a run of some 8 MB of one repeated byte does.
std::size_t longestString(std::span<const std::uint8_t> stream);

enum class CompressStatus {
    Ok,
    StringTooLong,   // a string passes kDecodeStackSize: the central's expander cannot rebuild it
};

enum class ExpandStatus {
    Ok,           // ran to the end code, or to the point where the input ran out
    FatalError,   // undefined code, or a string longer than kDecodeStackSize
    TooLarge,     // the output would pass the limit asked for (kMaxExpandedSize at most)
};

struct ExpandResult {
    ExpandStatus status = ExpandStatus::Ok;
    // On FatalError: what was expanded before it. On TooLarge: nothing; the
    // output is never allocated.
    std::vector<std::uint8_t> bytes;
};

// Expands a stream. An input that runs out early reads as end codes from
// the code that was being assembled on (that code is lost, no error).
// `progress`, when given, receives "Expanding...\n", one "*" per 1000 codes
// after the first, and "\n" at the end, or
// "Fatal error during code expansion.\n" instead of the "\n" on a fatal error,
// or "Fatal error: expanded output would exceed 64 MiB.\n" when the output
// would pass `limit` (found before anything is allocated for it; a limit
// other than kMaxExpandedSize is named in bytes). A limit above
// kMaxExpandedSize counts as kMaxExpandedSize.
ExpandResult expand(std::span<const std::uint8_t> stream, std::ostream* progress = nullptr,
                    std::size_t limit = kMaxExpandedSize);

}  // namespace lzw

// File-to-file forms: 1 when the output was completely written (for
// compress_file: and the central can expand it; for expand_file: and the
// expansion ran without a fatal error), 0 otherwise, with the reason
// printed to standard output. Neither deletes a file: a failed run leaves
// whatever output was written (compress_file leaves its output empty for a
// stream the central cannot expand). `status`, when given, receives the verdict
// (Ok when the failure lay elsewhere), so that a caller can name an output
// that would be too large or a string too long. expand_file refuses an
// output past `limit` as expand() does.
// Paths are taken as the envelope's are (std::filesystem::path), so a name
// reaches the system as it holds it: bytes elsewhere, UTF-16 on Windows.
int compress_file(const std::filesystem::path& inputPath, const std::filesystem::path& outputPath,
                  lzw::CompressStatus* status = nullptr);
int expand_file(const std::filesystem::path& inputPath, const std::filesystem::path& outputPath,
                lzw::ExpandStatus* status = nullptr, std::size_t limit = lzw::kMaxExpandedSize);

}  // namespace pluvexa
