#include "recharge/lzw.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <new>

namespace pluvexa {
namespace lzw {
namespace {

constexpr std::size_t kProgressStep = 1000;

// Exact map from (prefix code, appended byte) to the code of that string.
// The central's coder finds strings with its own hash table; any exact map
// defines the same codes in the same order, so this one is chosen for speed
// (measured on recharge text and on random bytes):
// - strings that extend a single byte are looked up directly in a 256x256
//   table; they are the first lookup after every emitted code;
// - longer prefixes go through an open-addressing table of 2^17 16-bit codes
//   (at most 65279 strings: under half full, short probes), checked against
//   each code's key. Kept small (256 KB) so that it stays in cache, since
//   each lookup waits for the previous one.
class StringTable {
public:
    StringTable()
        : byByte_(new std::uint16_t[256 * 256]()),
          slots_(new std::uint16_t[kSize]()),
          keyOf_(new std::uint32_t[kEndCode])
    {
    }

    // Returns the code of key's string (key = prefix << 8 | byte), or 0 after
    // storing `code` for it (when `code` is nonzero).
    std::uint32_t findOrAdd(std::uint32_t key, std::uint32_t code)
    {
        if (key < 256 * 256) {
            const std::uint32_t found = byByte_[key];
            if (found == 0 && code != 0)
                byByte_[key] = static_cast<std::uint16_t>(code);
            return found;
        }
        std::uint32_t i = (key * 0x9E3779B1u) >> (32 - kBits);
        for (;;) {
            const std::uint32_t found = slots_[i];
            if (found == 0) {
                if (code != 0) {
                    slots_[i] = static_cast<std::uint16_t>(code);
                    keyOf_[code] = key;
                }
                return 0;
            }
            if (keyOf_[found] == key)
                return found;
            i = (i + 1) & (kSize - 1);
        }
    }

private:
    static constexpr unsigned kBits = 17;
    static constexpr std::uint32_t kSize = 1u << kBits;
    // 0 means empty in both tables: no code below 256 is ever stored.
    std::unique_ptr<std::uint16_t[]> byByte_;
    std::unique_ptr<std::uint16_t[]> slots_;
    std::unique_ptr<std::uint32_t[]> keyOf_;
};

inline std::uint8_t* putCode(std::uint8_t* out, std::uint32_t code)
{
    out[0] = static_cast<std::uint8_t>(code >> 8);
    out[1] = static_cast<std::uint8_t>(code);
    return out + 2;
}

// No flush per star: a flush is a system call, thousands of them per file.
void print(std::ostream* progress, const char* text)
{
    if (progress)
        *progress << text;
}

}  // namespace

std::vector<std::uint8_t> compress(std::span<const std::uint8_t> input, std::ostream* progress)
{
    print(progress, "Compressing...\n");
    if (input.empty()) {
        print(progress, "\n");
        // The missing first byte counts as -1, emitted as a code of all ones.
        return {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00};
    }

    StringTable table;
    // At most one code per input byte, plus the end and pad codes. Left
    // uninitialised: only the pages actually written get touched.
    std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[2 * (input.size() + 2)]);
    std::uint8_t* const begin = buffer.get();
    std::uint8_t* out = begin;

    const std::uint8_t* p = input.data();
    const std::uint8_t* const end = p + input.size();
    std::uint32_t string = *p++;
    std::uint32_t nextCode = kFirstStringCode;
    // Chunks of kProgressStep bytes: one "*" after each full chunk, without a
    // per-byte counter in the loop.
    while (p < end) {
        const std::size_t chunk = std::min<std::size_t>(kProgressStep, static_cast<std::size_t>(end - p));
        const std::uint8_t* const chunkEnd = p + chunk;
        for (; p < chunkEnd; ++p) {
            const std::uint32_t c = *p;
            const std::uint32_t found =
                table.findOrAdd((string << 8) | c, nextCode <= kLastStringCode ? nextCode : 0);
            if (found != 0) {
                string = found;
            } else {
                if (nextCode <= kLastStringCode)
                    ++nextCode;
                out = putCode(out, string);
                string = c;
            }
        }
        if (chunk == kProgressStep)
            print(progress, "*");
    }
    out = putCode(out, string);
    out = putCode(out, kEndCode);
    out = putCode(out, kPadCode);
    print(progress, "\n");
    return std::vector<std::uint8_t>(begin, out);
}

namespace {

// Where each defined string can be copied from: every string the expander
// defines is the previous output string followed by the first byte of the
// next one, and those lie next to each other in the output. Sized by the
// codes the stream can define (at most one per code read), so that short
// streams stay cheap.
struct DefinedStrings {
    explicit DefinedStrings(std::size_t codes)
        : offset(new std::size_t[codes]), length(new std::uint32_t[codes])
    {
    }
    std::unique_ptr<std::size_t[]> offset;
    std::unique_ptr<std::uint32_t[]> length;
};

// Short strings are copied as one block of this size (loaded whole before it
// is stored), which needs as much slack after the output.
constexpr std::size_t kCopyBlock = 16;

}  // namespace

ExpandResult expand(std::span<const std::uint8_t> stream, std::ostream* progress)
{
    print(progress, "Expanding...\n");
    ExpandResult result;

    // The central's expander keeps the next code in its bit accumulator and
    // an exhausted input reads as -1, whose ones cover the accumulator: the
    // code being assembled and every later one read as the end code. So only
    // codes whose following code is complete in the input are readable.
    const std::size_t readable = stream.size() >= 4 ? stream.size() / 2 - 1 : 0;
    const std::uint8_t* const s = stream.data();
    auto codeAt = [s](std::size_t i) { return (std::uint32_t{s[2 * i]} << 8) | s[2 * i + 1]; };

    const std::uint32_t first = readable > 0 ? codeAt(0) : kEndCode;
    if (first == kEndCode) {
        print(progress, "\n");
        return result;
    }
    if (first >= kFirstStringCode) {
        print(progress, "Fatal error during code expansion.\n");
        result.status = ExpandStatus::FatalError;
        return result;
    }

    // First pass: where every string goes and where each defined string can
    // be copied from, the checks, and the output size. The second pass then
    // fills an output of exactly that size: no growing, and only the pages
    // of the output are ever touched.
    DefinedStrings defined(std::min<std::size_t>(kEndCode, kFirstStringCode + readable));
    std::size_t total = 1;
    std::size_t oldPos = 0;
    std::uint32_t oldLength = 1;
    std::uint32_t nextCode = kFirstStringCode;
    std::size_t counter = 0;
    std::size_t decoded = 1;   // codes that expand, the first one included
    bool fatal = false;
    bool tooLarge = false;
    for (std::size_t i = 1; i < readable; ++i) {
        const std::uint32_t code = codeAt(i);
        if (code == kEndCode)
            break;
        if (++counter == kProgressStep) {
            counter = 0;
            print(progress, "*");
        }
        std::uint32_t length;
        if (code < kFirstStringCode) {
            length = 1;
        } else if (code < nextCode) {
            length = defined.length[code];
        } else if (code == nextCode) {
            // The string being defined is needed already: the previous
            // string followed by its own first byte.
            length = oldLength + 1;
        } else {
            fatal = true;
            break;
        }
        if (length > kDecodeStackSize) {
            fatal = true;
            break;
        }
        if (length > kMaxExpandedSize - total) {
            tooLarge = true;
            break;
        }
        if (nextCode <= kLastStringCode) {
            defined.offset[nextCode] = oldPos;
            defined.length[nextCode] = oldLength + 1;
            ++nextCode;
        }
        oldPos = total;
        oldLength = length;
        total += length;
        decoded = i + 1;
    }

    if (tooLarge) {
        print(progress, "Fatal error: expanded output would exceed 64 MiB.\n");
        result.status = ExpandStatus::TooLarge;
        return result;
    }

    // Second pass. A code's entries never change once defined, so the final
    // table serves every step.
    result.bytes.resize(total + kCopyBlock);
    std::uint8_t* const out = result.bytes.data();
    out[0] = static_cast<std::uint8_t>(first);
    std::size_t pos = 1;
    for (std::size_t i = 1; i < decoded; ++i) {
        const std::uint32_t code = codeAt(i);
        if (code < kFirstStringCode) {
            out[pos++] = static_cast<std::uint8_t>(code);
            continue;
        }
        const std::size_t length = defined.length[code];
        const std::uint8_t* const from = out + defined.offset[code];
        // All but the last byte lie before pos. The last byte is at pos
        // itself when the string is the one being defined: its own first
        // byte, so it is copied after the rest.
        if (length <= kCopyBlock) {
            std::uint8_t block[kCopyBlock];
            std::memcpy(block, from, kCopyBlock);
            std::memcpy(out + pos, block, kCopyBlock);
        } else {
            std::memcpy(out + pos, from, length - 1);
        }
        out[pos + length - 1] = from[length - 1];
        pos += length;
    }
    result.bytes.resize(total);

    if (fatal) {
        print(progress, "Fatal error during code expansion.\n");
        result.status = ExpandStatus::FatalError;
    } else {
        print(progress, "\n");
    }
    return result;
}

}  // namespace lzw

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Reads the whole file, straight into a buffer of the size the file system
// reports for a regular file; whatever follows (a file that grew, a
// special file) is appended.
bool readAll(std::FILE* f, const std::string& path, std::vector<std::uint8_t>& data)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > 0) {
        data.resize(static_cast<std::size_t>(size));
        data.resize(std::fread(data.data(), 1, data.size(), f));
    }
    std::uint8_t buf[1 << 16];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        data.insert(data.end(), buf, buf + n);
    return std::ferror(f) == 0;
}

// Writes everything and closes the file; false when any byte did not reach
// it (a full disk shows up at the write or only at the final flush).
bool writeAllAndClose(File file, const std::vector<std::uint8_t>& data)
{
    // An empty vector may hold no buffer at all; fwrite must not see it.
    const bool written = data.empty() || std::fwrite(data.data(), 1, data.size(), file.get()) == data.size();
    const bool closed = std::fclose(file.release()) == 0;
    return written && closed;
}

enum class Operation { Compress, Expand };

int runFileUnguarded(Operation op, const std::string& inputPath, const std::string& outputPath,
                     std::ostream& out, lzw::ExpandStatus& status)
{
    // The input is read before the output is created, so that a missing input
    // leaves an existing output file as it was.
    File input(std::fopen(inputPath.c_str(), "rb"));
    std::vector<std::uint8_t> data;
    if (!input || !readAll(input.get(), inputPath, data)) {
        out << "Fatal error opening files.\n";
        return 0;
    }
    input.reset();
    File output(std::fopen(outputPath.c_str(), "wb"));
    if (!output) {
        out << "Fatal error opening files.\n";
        return 0;
    }
    bool expanded = true;
    std::vector<std::uint8_t> result;
    if (op == Operation::Compress) {
        result = lzw::compress(data, &out);
    } else {
        lzw::ExpandResult r = lzw::expand(data, &out);
        status = r.status;
        expanded = r.status == lzw::ExpandStatus::Ok;
        result = std::move(r.bytes);
    }
    if (!writeAllAndClose(std::move(output), result)) {
        out << "Fatal error writing output file.\n";
        return 0;
    }
    return expanded ? 1 : 0;
}

int runFile(Operation op, const std::string& inputPath, const std::string& outputPath,
            lzw::ExpandStatus* status = nullptr)
{
    std::ostream& out = std::cout;
    int result = 0;
    lzw::ExpandStatus verdict = lzw::ExpandStatus::Ok;
    try {
        result = runFileUnguarded(op, inputPath, outputPath, out, verdict);
    } catch (const std::bad_alloc&) {
        // Files are closed by their owners during unwinding.
        out << "Fatal error allocating table space!\n";
    }
    out.flush();
    if (status)
        *status = verdict;
    return result;
}

}  // namespace

int compress_file(const std::string& inputPath, const std::string& outputPath)
{
    return runFile(Operation::Compress, inputPath, outputPath);
}

int expand_file(const std::string& inputPath, const std::string& outputPath, lzw::ExpandStatus* status)
{
    return runFile(Operation::Expand, inputPath, outputPath, status);
}

}  // namespace pluvexa
