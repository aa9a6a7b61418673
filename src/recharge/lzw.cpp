#include "recharge/lzw.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <new>
#include <system_error>
#include <thread>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace pluvexa {
namespace lzw {
namespace {

constexpr std::size_t kProgressStep = 1000;

// Memory for the coder's tables and whole files. Blocks from 256 KiB up are
// mapped in 2 MiB pages where the system offers them, and arrive zeroed: a
// 3 MB output or the compressor's 640 KB of tables then cost one or two
// page faults instead of hundreds, which on a busy or virtual machine is a
// large part of a whole run. Smaller blocks are left uninitialised.
class LargeBuffer {
public:
    enum Fill { Uninitialised, Zeroed };
    explicit LargeBuffer(std::size_t size, Fill fill = Uninitialised)
    {
#ifdef __linux__
        constexpr std::size_t kHuge = std::size_t{2} << 20;
        if (size >= kHuge / 8) {
            // Mapped with a huge page's worth to spare, then trimmed to start
            // on a huge page boundary, where the system can use one.
            mapped_ = (size + kHuge - 1) / kHuge * kHuge;
            void* p = ::mmap(nullptr, mapped_ + kHuge, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (p == MAP_FAILED)
                throw std::bad_alloc();
            const auto start = reinterpret_cast<std::uintptr_t>(p);
            const std::uintptr_t aligned = (start + kHuge - 1) / kHuge * kHuge;
            if (aligned > start)
                ::munmap(p, aligned - start);
            if (aligned + mapped_ < start + mapped_ + kHuge)
                ::munmap(reinterpret_cast<void*>(aligned + mapped_), start + kHuge - aligned);
            data_ = reinterpret_cast<std::uint8_t*>(aligned);
            ::madvise(data_, mapped_, MADV_HUGEPAGE);  // a hint: without it, ordinary pages
            return;
        }
#endif
        const std::size_t n = size == 0 ? 1 : size;
        data_ = fill == Zeroed ? new std::uint8_t[n]() : new std::uint8_t[n];
    }
    ~LargeBuffer()
    {
#ifdef __linux__
        if (mapped_) {
            ::munmap(data_, mapped_);
            return;
        }
#endif
        delete[] data_;
    }
    LargeBuffer(const LargeBuffer&) = delete;
    LargeBuffer& operator=(const LargeBuffer&) = delete;
    std::uint8_t* data() const { return data_; }

private:
    std::uint8_t* data_ = nullptr;
    std::size_t mapped_ = 0;
};

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
    // All three tables in one block of fresh zeroed pages (see LargeBuffer).
    StringTable()
        : memory_(kByByteBytes + kSlotsBytes + kKeyOfBytes, LargeBuffer::Zeroed),
          byByte_(reinterpret_cast<std::uint16_t*>(memory_.data())),
          slots_(reinterpret_cast<std::uint16_t*>(memory_.data() + kByByteBytes)),
          keyOf_(reinterpret_cast<std::uint32_t*>(memory_.data() + kByByteBytes + kSlotsBytes))
    {
    }

    // The code of key's string (key = prefix << 8 | byte), or 0. Reads only:
    // two threads may look up at once once nothing is stored any more.
    std::uint32_t find(std::uint32_t key) const
    {
        if (key < 256 * 256)
            return byByte_[key];
        std::uint32_t i = (key * 0x9E3779B1u) >> (32 - kBits);
        for (;;) {
            const std::uint32_t found = slots_[i];
            if (found == 0 || keyOf_[found] == key)
                return found;
            i = (i + 1) & (kSize - 1);
        }
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
    static constexpr std::size_t kByByteBytes = 256 * 256 * sizeof(std::uint16_t);
    static constexpr std::size_t kSlotsBytes = kSize * sizeof(std::uint16_t);
    static constexpr std::size_t kKeyOfBytes = std::size_t{kEndCode} * sizeof(std::uint32_t);
    LargeBuffer memory_;
    // 0 means empty in both tables: no code below 256 is ever stored.
    std::uint16_t* const byByte_;
    std::uint16_t* const slots_;
    std::uint32_t* const keyOf_;
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

// Greedy coding with the table filled up: no string is defined any more,
// so the codes from a given string start on depend only on the bytes from
// there. Answers the end of the codes written to `out`; `string` carries the
// string in progress in and out. `starts`, when given, receives the input
// positions where the first `room` strings after the first begin.
std::uint8_t* codeFixed(const StringTable& table, const std::uint8_t* p, const std::uint8_t* const end,
                        std::uint32_t& string, std::uint8_t* out, const std::uint8_t** starts = nullptr,
                        std::size_t room = 0)
{
    std::uint32_t s = string;
    std::size_t recorded = 0;
    for (; p < end; ++p) {
        const std::uint32_t c = *p;
        const std::uint32_t found = table.find((s << 8) | c);
        if (found != 0) {
            s = found;
        } else {
            out = putCode(out, s);
            s = c;
            if (recorded < room)
                starts[recorded++] = p;
        }
    }
    string = s;
    return out;
}

// The codes of a whole input, in up to three pieces that follow each other.
struct CodedInput {
    std::span<const std::uint8_t> pieces[3];
};

// The coder over a whole input. Until the table is full it codes in order.
// From then on the parse is the same from any string start whatever came
// before, so the rest is split in two: a second thread codes the second
// half from its first byte while this one codes the first half, then this
// one goes on into the second half until it starts a string at a byte where
// the second thread also started one; from there the second thread's codes
// are the stream's. Should the two never meet within the second thread's
// first strings, this thread codes on to the end alone. The bytes written
// are those of coding the input in order.
class Compressor {
public:
    explicit Compressor(std::ostream* progress) : progress_(progress) {}

    CodedInput code(std::span<const std::uint8_t> input)
    {
        print(progress_, "Compressing...\n");
        CodedInput coded;
        const std::uint8_t* p = input.data();
        const std::uint8_t* const end = p + input.size();
        // At most one code per input byte, plus the end and pad codes (and,
        // for an empty input, the code standing for its missing first byte).
        first_ = std::make_unique<LargeBuffer>(2 * (input.size() + 3));
        std::uint8_t* out = first_->data();
        std::uint8_t* const begin = out;
        if (p == end) {
            // The missing first byte counts as -1, emitted as a code of all
            // ones; then the end and pad codes.
            out = putCode(out, kEndCode);
            out = putCode(out, kEndCode);
            out = putCode(out, kPadCode);
            coded.pieces[0] = {begin, out};
            stars(input.size());
            return coded;
        }
        string_ = *p++;
        // In order while strings are still defined.
        while (p < end && nextCode_ <= kLastStringCode) {
            const std::uint8_t* const pieceEnd = p + std::min<std::size_t>(kGrowingPiece, end - p);
            out = codeGrowing(p, pieceEnd, out);
            p = pieceEnd;
        }
        const std::size_t rest = static_cast<std::size_t>(end - p);
        if (rest < kTwoThreadsFrom || !secondThread(p, end, out, coded)) {
            out = codeFixed(table_, p, end, string_, out);
            out = finish(out);
            coded.pieces[0] = {begin, out};
        }
        stars(input.size());
        return coded;
    }

private:
    // Input coded in order between checks for a full table.
    static constexpr std::size_t kGrowingPiece = 4096;
    // Below this, a second thread costs more than it saves.
    static constexpr std::size_t kTwoThreadsFrom = 256 * 1024;
    // String starts of the second half kept to meet the first half in.
    static constexpr std::size_t kMeetWithin = 4096;

    // Codes [p, end) in the order strings are defined.
    std::uint8_t* codeGrowing(const std::uint8_t* p, const std::uint8_t* const end, std::uint8_t* out)
    {
        std::uint32_t string = string_;
        std::uint32_t nextCode = nextCode_;
        for (; p < end; ++p) {
            const std::uint32_t c = *p;
            const std::uint32_t found =
                table_.findOrAdd((string << 8) | c, nextCode <= kLastStringCode ? nextCode : 0);
            if (found != 0) {
                string = found;
            } else {
                if (nextCode <= kLastStringCode)
                    ++nextCode;
                out = putCode(out, string);
                string = c;
            }
        }
        string_ = string;
        nextCode_ = nextCode;
        return out;
    }

    // Codes [p, end) in two halves as the class comment says; false (with
    // nothing changed) when no thread could be started. Fills coded's
    // pieces, the first one up to where its codes end.
    bool secondThread(const std::uint8_t* p, const std::uint8_t* const end, std::uint8_t* out, CodedInput& coded)
    {
        const std::uint8_t* const middle = p + (end - p) / 2;
        second_ = std::make_unique<LargeBuffer>(2 * static_cast<std::size_t>(end - middle + 3));
        std::unique_ptr<const std::uint8_t*[]> starts(new const std::uint8_t*[kMeetWithin]);
        std::uint32_t secondString = *middle;
        std::uint8_t* secondEnd = nullptr;
        std::thread second;
        try {
            second = std::thread([&] {
                secondEnd = codeFixed(table_, middle + 1, end, secondString, second_->data(), starts.get(), kMeetWithin);
            });
        } catch (const std::system_error&) {
            second_.reset();
            return false;
        }
        out = codeFixed(table_, p, middle, string_, out);
        second.join();

        // On into the second half until a string starts where one of the
        // second thread's did; the k-th of those follows its k-th code.
        const std::size_t known = std::min<std::size_t>(kMeetWithin, (secondEnd - second_->data()) / 2);
        std::size_t k = 0;
        const std::uint8_t* q = middle;
        std::uint32_t s = string_;
        for (; q < end && k < known; ++q) {
            const std::uint32_t c = *q;
            const std::uint32_t found = table_.find((s << 8) | c);
            if (found != 0) {
                s = found;
                continue;
            }
            out = putCode(out, s);
            s = c;
            while (k < known && starts[k] < q)
                ++k;
            if (k < known && starts[k] == q) {
                // Met: the rest is the second thread's, from its code k + 1.
                coded.pieces[0] = {first_->data(), out};
                const std::uint8_t* const from = second_->data() + 2 * (k + 1);
                std::uint8_t* tail = secondEnd;
                string_ = secondString;
                tail = finish(tail);
                coded.pieces[1] = {from, tail};
                return true;
            }
        }
        // Never met: the rest in order, alone.
        string_ = s;
        out = codeFixed(table_, q, end, string_, out);
        out = finish(out);
        coded.pieces[0] = {first_->data(), out};
        return true;
    }

    // The string in progress, then the end and pad codes.
    std::uint8_t* finish(std::uint8_t* out)
    {
        out = putCode(out, string_);
        out = putCode(out, kEndCode);
        return putCode(out, kPadCode);
    }

    // One "*" per kProgressStep input bytes after the first, then "\n".
    void stars(std::size_t size)
    {
        if (progress_ && size > 1)
            *progress_ << std::string((size - 1) / kProgressStep, '*');
        print(progress_, "\n");
    }

    std::ostream* progress_;
    StringTable table_;
    std::uint32_t string_ = 0;
    std::uint32_t nextCode_ = kFirstStringCode;
    std::unique_ptr<LargeBuffer> first_;
    std::unique_ptr<LargeBuffer> second_;
};

}  // namespace

std::vector<std::uint8_t> compress(std::span<const std::uint8_t> input, std::ostream* progress)
{
    Compressor coder(progress);
    const CodedInput coded = coder.code(input);
    std::vector<std::uint8_t> stream;
    stream.reserve(coded.pieces[0].size() + coded.pieces[1].size());
    for (const auto& piece : coded.pieces)
        stream.insert(stream.end(), piece.begin(), piece.end());
    return stream;
}

namespace {

// Where each defined string can be copied from: every string the expander
// defines is the previous output string followed by the first byte of the
// next one, and those lie next to each other in the output. Sized by the
// codes the stream can define (at most one per code read), so that short
// streams stay cheap. Offsets fit 32 bits: the output never passes
// kMaxExpandedSize.
struct DefinedStrings {
    explicit DefinedStrings(std::size_t codes) : offset(new std::uint32_t[codes]), length(new std::uint32_t[codes])
    {
        // Single bytes are strings of length 1, copied from a table of the
        // bytes 0 to 255 behind the output (their offsets are set once the
        // output's size is known): both passes then treat every code alike,
        // with no branch that random data would make unpredictable.
        for (std::uint32_t c = 0; c < kFirstStringCode; ++c)
            length[c] = 1;
    }
    std::unique_ptr<std::uint32_t[]> offset;
    std::unique_ptr<std::uint32_t[]> length;
};

// Short strings are copied as one block of this size (loaded whole before it
// is stored), which needs as much slack after the output.
constexpr std::size_t kCopyBlock = 16;
// Behind the output and its slack lie the bytes 0 to 255, where single-byte
// codes are copied from, and the slack of those copies.
constexpr std::size_t kLiteralsAt = kCopyBlock;  // from the output's end
constexpr std::size_t kTail = kCopyBlock + kFirstStringCode + kCopyBlock;
static_assert(kMaxExpandedSize + kTail <= UINT32_MAX);  // offsets fit 32 bits

// The expander's two passes. `room(n)` answers a buffer of n + kTail bytes,
// whose first `total` bytes are then the output. It is not called when
// nothing is expanded or the output is refused.
template <typename Room>
ExpandStatus expandInto(std::span<const std::uint8_t> stream, std::ostream* progress, Room&& room,
                        std::size_t& total)
{
    print(progress, "Expanding...\n");
    total = 0;

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
        return ExpandStatus::Ok;
    }
    if (first >= kFirstStringCode) {
        print(progress, "Fatal error during code expansion.\n");
        return ExpandStatus::FatalError;
    }

    // First pass: where every string goes and where each defined string can
    // be copied from, the checks, and the output size. The second pass then
    // fills an output of exactly that size: no growing, and only the pages
    // of the output are ever touched.
    DefinedStrings defined(std::min<std::size_t>(kEndCode, kFirstStringCode + readable));
    std::size_t size = 1;
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
        if (code < nextCode) {
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
        if (length > kMaxExpandedSize - size) {
            tooLarge = true;
            break;
        }
        if (nextCode <= kLastStringCode) {
            defined.offset[nextCode] = static_cast<std::uint32_t>(oldPos);
            defined.length[nextCode] = oldLength + 1;
            ++nextCode;
        }
        oldPos = size;
        oldLength = length;
        size += length;
        decoded = i + 1;
    }

    if (tooLarge) {
        print(progress, "Fatal error: expanded output would exceed 64 MiB.\n");
        return ExpandStatus::TooLarge;
    }

    // Second pass. A code's entries never change once defined, so the final
    // table serves every step.
    std::uint8_t* const out = room(size);
    for (std::uint32_t c = 0; c < kFirstStringCode; ++c) {
        defined.offset[c] = static_cast<std::uint32_t>(size + kLiteralsAt + c);
        out[size + kLiteralsAt + c] = static_cast<std::uint8_t>(c);
    }
    out[0] = static_cast<std::uint8_t>(first);
    std::size_t pos = 1;
    for (std::size_t i = 1; i < decoded; ++i) {
        const std::uint32_t code = codeAt(i);
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
    total = size;

    if (fatal) {
        print(progress, "Fatal error during code expansion.\n");
        return ExpandStatus::FatalError;
    }
    print(progress, "\n");
    return ExpandStatus::Ok;
}

}  // namespace

ExpandResult expand(std::span<const std::uint8_t> stream, std::ostream* progress)
{
    ExpandResult result;
    std::size_t total = 0;
    result.status = expandInto(stream, progress, [&](std::size_t n) {
        result.bytes.resize(n + kTail);
        return result.bytes.data();
    }, total);
    result.bytes.resize(total);
    return result;
}

}  // namespace lzw

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;


// Reads the whole input straight into a buffer of the size the file
// system reports; whatever follows (a file that grew, a special file whose
// size says nothing) is appended through a vector.
bool readWhole(std::FILE* f, const std::string& path, std::unique_ptr<lzw::LargeBuffer>& buffer,
               std::vector<std::uint8_t>& grown, std::span<const std::uint8_t>& data)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    std::size_t got = 0;
    if (!error && size > 0) {
        buffer = std::make_unique<lzw::LargeBuffer>(static_cast<std::size_t>(size));
        got = std::fread(buffer->data(), 1, static_cast<std::size_t>(size), f);
    }
    std::uint8_t piece[1 << 16];
    std::size_t n = std::fread(piece, 1, sizeof piece, f);
    if (n == 0) {
        data = std::span<const std::uint8_t>(buffer ? buffer->data() : nullptr, got);
        return std::ferror(f) == 0;
    }
    if (got > 0)
        grown.assign(buffer->data(), buffer->data() + got);
    do
        grown.insert(grown.end(), piece, piece + n);
    while ((n = std::fread(piece, 1, sizeof piece, f)) > 0);
    data = grown;
    return std::ferror(f) == 0;
}

bool writeAll(std::FILE* f, const std::uint8_t* data, std::size_t size)
{
    return size == 0 || std::fwrite(data, 1, size, f) == size;
}

int compressFileUnguarded(const std::string& inputPath, const std::string& outputPath, std::ostream& out)
{
    // The input is read before the output is created, so that a missing or
    // unreadable input (a folder) leaves an existing output as it was.
    File input(std::fopen(inputPath.c_str(), "rb"));
    std::unique_ptr<lzw::LargeBuffer> inputBuffer;
    std::vector<std::uint8_t> inputRest;
    std::span<const std::uint8_t> data;
    if (!input || !readWhole(input.get(), inputPath, inputBuffer, inputRest, data)) {
        out << "Fatal error opening files.\n";
        return 0;
    }
    input.reset();
    File output(std::fopen(outputPath.c_str(), "wb"));
    if (!output) {
        out << "Fatal error opening files.\n";
        return 0;
    }
    lzw::Compressor coder(&out);
    const lzw::CodedInput coded = coder.code(data);
    bool written = true;
    for (const auto& piece : coded.pieces)
        written = written && writeAll(output.get(), piece.data(), piece.size());
    if (!written || std::fclose(output.release()) != 0) {
        out << "Fatal error writing output file.\n";
        return 0;
    }
    return 1;
}

int expandFileUnguarded(const std::string& inputPath, const std::string& outputPath, std::ostream& out,
                        lzw::ExpandStatus& status)
{
    // The input is read before the output is created, so that a missing input
    // leaves an existing output file as it was.
    File input(std::fopen(inputPath.c_str(), "rb"));
    std::unique_ptr<lzw::LargeBuffer> inputBuffer;
    std::vector<std::uint8_t> inputRest;
    std::span<const std::uint8_t> data;
    if (!input || !readWhole(input.get(), inputPath, inputBuffer, inputRest, data)) {
        out << "Fatal error opening files.\n";
        return 0;
    }
    input.reset();
    File output(std::fopen(outputPath.c_str(), "wb"));
    if (!output) {
        out << "Fatal error opening files.\n";
        return 0;
    }
    std::unique_ptr<lzw::LargeBuffer> result;
    std::size_t total = 0;
    status = lzw::expandInto(data, &out, [&](std::size_t n) {
        result = std::make_unique<lzw::LargeBuffer>(n + lzw::kTail);
        return result->data();
    }, total);
    const bool written = !result || writeAll(output.get(), result->data(), total);
    if (!written || std::fclose(output.release()) != 0) {
        out << "Fatal error writing output file.\n";
        return 0;
    }
    return status == lzw::ExpandStatus::Ok ? 1 : 0;
}

enum class Operation { Compress, Expand };

int runFile(Operation op, const std::string& inputPath, const std::string& outputPath,
            lzw::ExpandStatus* status = nullptr)
{
    std::ostream& out = std::cout;
    int result = 0;
    lzw::ExpandStatus verdict = lzw::ExpandStatus::Ok;
    try {
        result = op == Operation::Compress ? compressFileUnguarded(inputPath, outputPath, out)
                                           : expandFileUnguarded(inputPath, outputPath, out, verdict);
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
