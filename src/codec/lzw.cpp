// The compressor. The expander is in lzw_expand.cpp, the file forms in
// lzw_files.cpp.

#include "codec/largebuffer.h"
#include "codec/lzw.h"
#include "codec/lzw_internal.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <system_error>
#include <thread>

namespace pluvexa::lzw {

using detail::kProgressStep;
using detail::print;

namespace {

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

// The lengths of the strings a stream's codes stand for, code after code,
// as the expander rebuilds them: each string defined is the previous one
// and one byte more.
class StringLengths {
public:
    StringLengths() : length_(new std::uint32_t[kEndCode]) { std::fill_n(length_.get(), kFirstStringCode, 1u); }

    // Takes the next code; false once the stream ends there (the end code,
    // or a code that neither exists nor is being defined).
    bool take(std::uint32_t code)
    {
        if (code == kEndCode)
            return false;
        std::uint32_t length;
        if (first_) {
            if (code >= kFirstStringCode)
                return false;
            first_ = false;
            length = 1;
        } else {
            if (code < nextCode_)
                length = length_[code];
            else if (code == nextCode_)
                length = oldLength_ + 1;
            else
                return false;
            if (nextCode_ <= kLastStringCode)
                length_[nextCode_++] = oldLength_ + 1;
        }
        oldLength_ = length;
        longest_ = std::max<std::size_t>(longest_, length);
        return true;
    }

    std::size_t longest() const { return longest_; }

private:
    std::unique_ptr<std::uint32_t[]> length_;
    bool first_ = true;
    std::uint32_t nextCode_ = kFirstStringCode;
    std::uint32_t oldLength_ = 0;
    std::size_t longest_ = 0;
};

// The longest string of a stream given in pieces that follow each other,
// each of whole codes.
std::size_t longestOf(std::span<const std::span<const std::uint8_t>> pieces)
{
    StringLengths lengths;
    for (const auto& piece : pieces)
        for (std::size_t i = 0; i + 1 < piece.size(); i += 2)
            if (!lengths.take((std::uint32_t{piece[i]} << 8) | piece[i + 1]))
                return lengths.longest();
    return lengths.longest();
}

}  // namespace

namespace detail {

bool compressTo(std::span<const std::uint8_t> input, std::ostream* progress,
                const std::function<bool(std::span<const std::uint8_t>)>& write, CompressStatus* status)
{
    Compressor coder(progress);
    const CodedInput coded = coder.code(input);
    if (status) {
        *status = longestOf(coded.pieces) > kDecodeStackSize ? CompressStatus::StringTooLong : CompressStatus::Ok;
        if (*status != CompressStatus::Ok)
            return false;
    }
    for (const auto& piece : coded.pieces)
        if (!piece.empty() && !write(piece))
            return false;
    return true;
}

}  // namespace detail

std::size_t longestString(std::span<const std::uint8_t> stream)
{
    // As the expander reads: only codes whose following code is complete
    // in the stream.
    const std::size_t readable = stream.size() >= 4 ? stream.size() / 2 - 1 : 0;
    const std::span<const std::uint8_t> piece[] = {stream.first(2 * readable)};
    return longestOf(piece);
}

std::vector<std::uint8_t> compress(std::span<const std::uint8_t> input, std::ostream* progress)
{
    std::vector<std::uint8_t> stream;
    detail::compressTo(input, progress, [&](std::span<const std::uint8_t> piece) {
        stream.insert(stream.end(), piece.begin(), piece.end());
        return true;
    });
    return stream;
}

}  // namespace pluvexa::lzw
