#include "codec/lzw.h"
#include "lzw_reference.h"
#include "support/arquivosbytes.h"
#include "support/pastatemporaria.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace pluvexa {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes hex(const std::string& text)
{
    Bytes out;
    std::istringstream in(text);
    unsigned v;
    while (in >> std::hex >> v)
        out.push_back(static_cast<std::uint8_t>(v));
    return out;
}

Bytes codes(std::initializer_list<std::uint32_t> list)
{
    Bytes out;
    for (std::uint32_t c : list) {
        out.push_back(static_cast<std::uint8_t>(c >> 8));
        out.push_back(static_cast<std::uint8_t>(c));
    }
    return out;
}

void appendCode(Bytes& out, std::uint32_t c)
{
    out.push_back(static_cast<std::uint8_t>(c >> 8));
    out.push_back(static_cast<std::uint8_t>(c));
}

Bytes randomBytes(std::size_t n, unsigned alphabet, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<unsigned> d(0, alphabet - 1);
    Bytes out(n);
    for (auto& b : out)
        b = static_cast<std::uint8_t>(d(rng));
    return out;
}

// Lines shaped like recharge details: fixed-width digits, names and blanks.
Bytes rechargeLikeText(int lines, std::uint32_t seed)
{
    static const char* const names[] = {"MARIA SILVA", "JOSE SANTOS", "ANA OLIVEIRA",
                                         "JOAO PEREIRA LIMA", "FRANCISCA ALVES",
                                         "CARLOS RIBEIRO", "ADRIANA COSTA GOMES"};
    std::mt19937 rng(seed);
    std::string text;
    char buf[64];
    for (int i = 0; i < lines; ++i) {
        std::snprintf(buf, sizeof buf, "01%010u%010u", 100000u + 3u * i,
                      static_cast<unsigned>(rng() % 1000000000u));
        std::string line = buf;
        std::string name = names[rng() % std::size(names)];
        line += name + std::string(50 - name.size(), ' ');
        std::snprintf(buf, sizeof buf, "%020u%02u%04u%018u", static_cast<unsigned>(rng() % 99999),
                      static_cast<unsigned>(rng() % 3 + 1), static_cast<unsigned>(rng() % 4 + 1),
                      static_cast<unsigned>(rng() % 400) * 100);
        line += buf;
        line += std::string(36, '0') + std::string(12, ' ');
        line.resize(270, '0');
        text += line + "\r\n";
    }
    return bytesOf(text);
}

// Codes 97, 256, 257, ...: each new code is the one being defined (the
// previous string plus its own first byte), so code 256 + k stands for
// k + 2 letters a.
Bytes growingRunOfA(std::uint32_t lastCode)
{
    Bytes s = codes({97});
    for (std::uint32_t c = 256; c <= lastCode; ++c)
        appendCode(s, c);
    return s;
}

// "aaa" (which defines "aa" first), then random bytes that fill the table.
Bytes pairThenRandom()
{
    Bytes b = bytesOf("aaa");
    const Bytes r = randomBytes(200000, 256, 8);
    b.insert(b.end(), r.begin(), r.end());
    return b;
}

Bytes runAfter(Bytes head, std::size_t length, std::uint8_t byte)
{
    head.insert(head.end(), length, byte);
    return head;
}

Bytes terminated(Bytes s)
{
    appendCode(s, 65535);
    appendCode(s, 0);
    return s;
}

std::string progressOfCompress(const Bytes& in)
{
    std::ostringstream log;
    lzw::compress(in, &log);
    return log.str();
}

std::string progressOfExpand(const Bytes& in)
{
    std::ostringstream log;
    lzw::expand(in, &log);
    return log.str();
}

// ---- The stream format, byte for byte ------------------------------------

struct KnownStream {
    const char* name;
    std::string plain;
    const char* stream;
};
void PrintTo(const KnownStream& v, std::ostream* os) { *os << v.name; }

class LzwKnownStreams : public testing::TestWithParam<KnownStream> {};

TEST_P(LzwKnownStreams, CompressToTheCentralsBytesAndExpandBack)
{
    const Bytes plain = bytesOf(GetParam().plain);
    const Bytes stream = hex(GetParam().stream);
    EXPECT_EQ(lzw::compress(plain), stream);
    EXPECT_EQ(lzwref::compress(plain), stream);
    const lzw::ExpandResult back = lzw::expand(stream);
    EXPECT_EQ(back.status, lzw::ExpandStatus::Ok);
    EXPECT_EQ(back.bytes, plain);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, LzwKnownStreams,
    testing::Values(
        // 258 arrives while it is being defined (KwKwK).
        KnownStream{"abababab", "abababab", "00 61 00 62 01 00 01 02 00 62 FF FF 00 00"},
        KnownStream{"tenA", std::string(10, 'a'), "00 61 01 00 01 01 01 02 FF FF 00 00"},
        KnownStream{"singleByte", "x", "00 78 FF FF 00 00"},
        KnownStream{"byteFF", "\xFF", "00 FF FF FF 00 00"},
        // The missing first byte is emitted as a code of all ones; the
        // expander takes it as the end code, so the empty file round-trips.
        KnownStream{"empty", "", "FF FF FF FF 00 00"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- The fast compressor against the plain hash-table one ---------------

struct Sample {
    const char* name;
    Bytes (*make)();
};
void PrintTo(const Sample& v, std::ostream* os) { *os << v.name; }

class LzwAgainstReference : public testing::TestWithParam<Sample> {};

TEST_P(LzwAgainstReference, SameStreamAndRoundTrip)
{
    const Bytes plain = GetParam().make();
    const Bytes stream = lzw::compress(plain);
    ASSERT_EQ(stream, lzwref::compress(plain));
    const lzw::ExpandResult back = lzw::expand(stream);
    EXPECT_EQ(back.status, lzw::ExpandStatus::Ok);
    EXPECT_TRUE(back.bytes == plain) << "round trip differs";
    EXPECT_TRUE(lzwref::expand(stream).bytes == plain) << "reference expander disagrees";
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, LzwAgainstReference,
    testing::Values(
        Sample{"randomSmall", [] { return randomBytes(3000, 256, 1); }},
        Sample{"twoLetters", [] { return randomBytes(50000, 2, 2); }},
        Sample{"digits", [] { return randomBytes(200000, 10, 3); }},
        // Random bytes fill the code table after ~130 KB; the rest is coded
        // with the strings defined so far.
        Sample{"randomFillsTable", [] { return randomBytes(1 << 20, 256, 4); }},
        Sample{"rechargeLike", [] { return rechargeLikeText(2000, 5); }},
        Sample{"rechargeLikeSeveralMB", [] { return rechargeLikeText(12000, 6); }},
        Sample{"longRun", [] { return Bytes(200000, 'a'); }},
        // Once the table is full, the rest of a large input is coded in two
        // halves at once. A run of one byte after the table filled, with "aa"
        // its longest string in the table, is parsed in pairs, so whether the
        // halves' string starts ever line up depends on the run's length:
        // both ways here.
        Sample{"runAfterFullTable", [] { return runAfter(pairThenRandom(), 600000, 'a'); }},
        Sample{"runAfterFullTablePlusOne", [] { return runAfter(pairThenRandom(), 600001, 'a'); }},
        Sample{"runAfterFullTablePlusTwo", [] { return runAfter(pairThenRandom(), 600002, 'a'); }},
        Sample{"zeros", [] { return Bytes(70000, 0); }},
        Sample{"allBytesRepeated",
               [] {
                   Bytes b;
                   for (int r = 0; r < 300; ++r)
                       for (int i = 0; i < 256; ++i)
                           b.push_back(static_cast<std::uint8_t>(i ^ r));
                   return b;
               }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LzwCompress, DefinesNoCodeBeyond65534)
{
    const Bytes plain = randomBytes(1 << 20, 256, 7);
    const Bytes stream = lzw::compress(plain);
    std::uint32_t highest = 0;
    for (std::size_t i = 0; i + 4 < stream.size(); i += 2)   // all but end and pad
        highest = std::max<std::uint32_t>(highest, (stream[i] << 8) | stream[i + 1]);
    EXPECT_EQ(highest, 65534u);
}

TEST(LzwCompress, ManyRandomInputsMatchTheReference)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 200; ++round) {
        const std::size_t n = rng() % 5000;
        const Bytes plain = randomBytes(n, 1 + rng() % 256, rng());
        const Bytes stream = lzw::compress(plain);
        ASSERT_EQ(stream, lzwref::compress(plain)) << "round " << round;
        ASSERT_EQ(lzw::expand(stream).bytes, plain) << "round " << round;
    }
}

// ---- Progress texts --------------------------------------------------------

TEST(LzwProgress, OneStarPerThousandBytesAfterTheFirst)
{
    EXPECT_EQ(progressOfCompress(Bytes(2500, 'q')), "Compressing...\n**\n");
    EXPECT_EQ(progressOfCompress(Bytes(1000, 'q')), "Compressing...\n\n");
    EXPECT_EQ(progressOfCompress(Bytes(1001, 'q')), "Compressing...\n*\n");
    EXPECT_EQ(progressOfCompress(Bytes()), "Compressing...\n\n");
}

TEST(LzwProgress, OneStarPerThousandCodesAfterTheFirst)
{
    Bytes stream;
    for (int i = 0; i < 1001; ++i)
        appendCode(stream, 'z');
    EXPECT_EQ(progressOfExpand(terminated(stream)), "Expanding...\n*\n");
    stream.resize(2 * 1000);
    EXPECT_EQ(progressOfExpand(terminated(stream)), "Expanding...\n\n");
    // The star of the 1000th code comes before that code is found bad.
    Bytes bad(2 * 1000);
    for (std::size_t i = 0; i < bad.size(); i += 2)
        bad[i + 1] = 'z';
    appendCode(bad, 60000);
    EXPECT_EQ(progressOfExpand(terminated(bad)),
              "Expanding...\n*Fatal error during code expansion.\n");
}

// ---- Streams that end early ------------------------------------------------

struct ShortStream {
    const char* name;
    const char* stream;
    std::string plain;
};
void PrintTo(const ShortStream& v, std::ostream* os) { *os << v.name; }

class LzwShortStreams : public testing::TestWithParam<ShortStream> {};

TEST_P(LzwShortStreams, ExpandUpToWhereTheInputRanOutWithoutError)
{
    const Bytes stream = hex(GetParam().stream);
    const lzw::ExpandResult r = lzw::expand(stream);
    EXPECT_EQ(r.status, lzw::ExpandStatus::Ok);
    EXPECT_EQ(r.bytes, bytesOf(GetParam().plain));
}

INSTANTIATE_TEST_SUITE_P(
    Cut, LzwShortStreams,
    testing::Values(
        ShortStream{"noPadCode", "00 61 00 62 01 00 01 02 00 62 FF FF", "abababab"},
        // The last complete code is the one being assembled in the read-ahead
        // when the input runs out: it is lost.
        ShortStream{"noEndCode", "00 61 00 62 01 00 01 02 00 62", "abababa"},
        ShortStream{"oddLength", "00 61 00 62 01 00 01 02 00 62 FF", "abababa"},
        ShortStream{"halfCode", "00 61 00 62 01 00 01", "ab"},
        ShortStream{"oneCode", "00 61", ""},
        ShortStream{"oneByte", "00", ""},
        ShortStream{"nothing", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LzwExpand, EveryCutOfAStreamAgreesWithTheReference)
{
    const Bytes plain = rechargeLikeText(40, 9);
    const Bytes stream = lzw::compress(plain);
    for (std::size_t n = 0; n <= stream.size(); ++n) {
        const std::span<const std::uint8_t> cut(stream.data(), n);
        const lzw::ExpandResult r = lzw::expand(cut);
        const lzwref::Expanded ref = lzwref::expand(cut);
        ASSERT_EQ(r.status, lzw::ExpandStatus::Ok) << n;
        ASSERT_FALSE(ref.fatal) << n;
        if (n < 4)   // first code is the end code: the reference writes FF
            ASSERT_TRUE(r.bytes.empty()) << n;
        else
            ASSERT_EQ(r.bytes, ref.bytes) << n;
        ASSERT_TRUE(std::equal(r.bytes.begin(), r.bytes.end(), plain.begin())) << n;
    }
}

// ---- Fatal expansion errors --------------------------------------------------

struct BadStream {
    const char* name;
    Bytes stream;
    std::size_t bytesBeforeError;
};
void PrintTo(const BadStream& v, std::ostream* os) { *os << v.name; }

class LzwFatalExpansion : public testing::TestWithParam<BadStream> {};

TEST_P(LzwFatalExpansion, ReportsTheErrorAndKeepsWhatCameBefore)
{
    const Bytes stream = terminated(GetParam().stream);
    std::ostringstream log;
    const lzw::ExpandResult r = lzw::expand(stream, &log);
    EXPECT_EQ(r.status, lzw::ExpandStatus::FatalError);
    EXPECT_EQ(r.bytes.size(), GetParam().bytesBeforeError);
    const lzwref::Expanded ref = lzwref::expand(stream);
    EXPECT_TRUE(ref.fatal);
    EXPECT_EQ(r.bytes, ref.bytes);
    EXPECT_TRUE(log.str().ends_with("Fatal error during code expansion.\n")) << log.str();
}

// growingRunOfA(256 + k) expands to 1 + sum(2 .. k + 2) letters.
std::size_t lettersOfGrowingRun(std::size_t lastCode)
{
    const std::size_t k = lastCode - 256;
    return 1 + (k + 2) * (k + 3) / 2 - 1;
}

INSTANTIATE_TEST_SUITE_P(
    Streams, LzwFatalExpansion,
    testing::Values(
        BadStream{"firstCodeIsAString", codes({256, 97}), 0},
        BadStream{"firstCodeIsTheLastString", codes({65534}), 0},
        BadStream{"codeBeyondTheOneBeingDefined", codes({97, 98, 258}), 2},
        BadStream{"farCodeLater", codes({97, 98, 99, 60000}), 3},
        // 4254 stands for 4000 letters; in the KwKwK case 4255 needs 4254
        // decoded behind the carried byte: 4001 bytes.
        BadStream{"kwkwkLongerThanTheStack",
                  [] {
                      Bytes s = growingRunOfA(4255);
                      return s;
                  }(),
                  lettersOfGrowingRun(4254)},
        // 4254 defines 4255 (4001 letters) after it; using it directly
        // overflows the stack too.
        BadStream{"stringLongerThanTheStack",
                  [] {
                      Bytes s = growingRunOfA(4254);
                      appendCode(s, 4254);
                      appendCode(s, 4255);
                      return s;
                  }(),
                  lettersOfGrowingRun(4254) + 4000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LzwExpand, StringsOfExactlyTheStackSizeStillExpand)
{
    Bytes s = growingRunOfA(4254);   // the last one KwKwK with 4000 letters
    appendCode(s, 4254);             // 4000 letters, not KwKwK
    const lzw::ExpandResult r = lzw::expand(terminated(s));
    ASSERT_EQ(r.status, lzw::ExpandStatus::Ok);
    EXPECT_EQ(r.bytes, Bytes(lettersOfGrowingRun(4254) + 4000, 'a'));
    EXPECT_EQ(lzwref::expand(terminated(s)).bytes, r.bytes);
}

TEST(LzwExpand, NoCodeIsDefinedOnceTheTableIsFull)
{
    // 97 then 65279 codes that each use a plain byte: codes 256..65534 get
    // defined. 65534 is then valid, 65535 ends, and any code is within range.
    Bytes s = codes({97});
    for (std::uint32_t i = 0; i < 65279; ++i)
        appendCode(s, 'b');
    appendCode(s, 65534);   // "bb": defined last, from two b's
    appendCode(s, 256);     // "ab"
    const lzw::ExpandResult r = lzw::expand(terminated(s));
    ASSERT_EQ(r.status, lzw::ExpandStatus::Ok);
    std::string expected = "a" + std::string(65279, 'b') + "bb" + "ab";
    EXPECT_EQ(r.bytes, bytesOf(expected));
    EXPECT_EQ(lzwref::expand(terminated(s)).bytes, r.bytes);
}

// ---- The bound on the output ----------------------------------------------

// Code 4254 stands for 4000 letters a once growingRunOfA(4254) has run
// (lettersOfGrowingRun(4254) = 8,002,000 letters). Repeating it and then
// single letters reaches any length without a long stream.
Bytes runOfA(std::size_t repeats, std::size_t singles)
{
    Bytes s = growingRunOfA(4254);
    for (std::size_t i = 0; i < repeats; ++i)
        appendCode(s, 4254);
    for (std::size_t i = 0; i < singles; ++i)
        appendCode(s, 'a');
    return terminated(s);
}

// 8,002,000 + 14776 * 4000 + 2864 = 67,108,864.
constexpr std::size_t kRepeatsToBound = 14776;
constexpr std::size_t kSinglesToBound = 2864;

TEST(LzwBound, OutputOfExactlyTheBoundExpands)
{
    const lzw::ExpandResult r = lzw::expand(runOfA(kRepeatsToBound, kSinglesToBound));
    ASSERT_EQ(r.status, lzw::ExpandStatus::Ok);
    EXPECT_EQ(r.bytes.size(), lzw::kMaxExpandedSize);
    EXPECT_EQ(std::count(r.bytes.begin(), r.bytes.end(), 'a'), std::ptrdiff_t(lzw::kMaxExpandedSize));
}

TEST(LzwBound, OneByteMoreIsRefusedWithNothingKept)
{
    std::ostringstream log;
    const lzw::ExpandResult r = lzw::expand(runOfA(kRepeatsToBound, kSinglesToBound + 1), &log);
    EXPECT_EQ(r.status, lzw::ExpandStatus::TooLarge);
    EXPECT_TRUE(r.bytes.empty());
    EXPECT_TRUE(log.str().ends_with("Fatal error: expanded output would exceed 64 MiB.\n")) << log.str();
}

TEST(LzwBound, HalfAMegabyteStreamAskingForAGigabyteIsRefusedBeforeAllocating)
{
    const Bytes stream = runOfA(250000, 0);   // 8 MB + 1 GB of letters
    ASSERT_LT(stream.size(), 520000u);
    const lzw::ExpandResult r = lzw::expand(stream);
    EXPECT_EQ(r.status, lzw::ExpandStatus::TooLarge);
    EXPECT_TRUE(r.bytes.empty());
    EXPECT_EQ(r.bytes.capacity(), 0u);
}

// ---- File forms ----------------------------------------------------------

class CoutCapture {
public:
    CoutCapture() : old_(std::cout.rdbuf(buf_.rdbuf())) {}
    ~CoutCapture() { std::cout.rdbuf(old_); }
    std::string text() const { return buf_.str(); }

private:
    std::ostringstream buf_;
    std::streambuf* old_;
};

class LzwFiles : public testing::Test {
protected:
    std::filesystem::path path(const char* name) const { return dir / name; }
    test::PastaTemporaria dir;
};

TEST_F(LzwFiles, RoundTripThroughFiles)
{
    const Bytes plain = rechargeLikeText(3000, 12);
    test::gravaBytes(path("TMP1.REC"), plain);
    CoutCapture out;
    ASSERT_EQ(compress_file(path("TMP1.REC"), path("TMP2.REC")), 1);
    EXPECT_EQ(test::leBytes(path("TMP2.REC")), lzwref::compress(plain));
    ASSERT_EQ(expand_file(path("TMP2.REC"), path("back")), 1);
    EXPECT_TRUE(test::leBytes(path("back")) == plain);
    const std::size_t realCodes = test::leBytes(path("TMP2.REC")).size() / 2 - 2;
    EXPECT_EQ(out.text(), "Compressing...\n" + std::string((plain.size() - 1) / 1000, '*') +
                              "\nExpanding...\n" + std::string((realCodes - 1) / 1000, '*') + "\n");
}

TEST_F(LzwFiles, EmptyFileRoundTrips)
{
    test::gravaBytes(path("empty"), {});
    CoutCapture out;
    ASSERT_EQ(compress_file(path("empty"), path("z")), 1);
    EXPECT_EQ(test::leBytes(path("z")), hex("FF FF FF FF 00 00"));
    ASSERT_EQ(expand_file(path("z"), path("back")), 1);
    EXPECT_TRUE(std::filesystem::exists(path("back")));
    EXPECT_TRUE(test::leBytes(path("back")).empty());
    EXPECT_EQ(out.text(), "Compressing...\n\nExpanding...\n\n");
}

TEST_F(LzwFiles, MissingInputFailsAndLeavesTheOutputAlone)
{
    test::gravaBytes(path("out"), bytesOf("kept"));
    CoutCapture out;
    EXPECT_EQ(compress_file(path("missing"), path("out")), 0);
    EXPECT_EQ(expand_file(path("missing"), path("out")), 0);
    EXPECT_EQ(out.text(), "Fatal error opening files.\nFatal error opening files.\n");
    EXPECT_EQ(test::leBytes(path("out")), bytesOf("kept"));
}

TEST_F(LzwFiles, UnreadableInputFails)
{
    CoutCapture out;
    EXPECT_EQ(compress_file(dir.caminho(), path("out")), 0);   // a folder
    EXPECT_EQ(out.text(), "Fatal error opening files.\n");
    EXPECT_FALSE(std::filesystem::exists(path("out")));
}

TEST_F(LzwFiles, OutputThatCannotBeCreatedFails)
{
    test::gravaBytes(path("in"), bytesOf("abc"));
    CoutCapture out;
    EXPECT_EQ(compress_file(path("in"), path("no/such/folder/out")), 0);
    EXPECT_EQ(out.text(), "Fatal error opening files.\n");
}

TEST_F(LzwFiles, FullDiskIsAFailure)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    test::gravaBytes(path("in"), rechargeLikeText(20, 1));
    test::gravaBytes(path("z"), lzw::compress(rechargeLikeText(20, 1)));
    CoutCapture out;
    EXPECT_EQ(compress_file(path("in"), "/dev/full"), 0);
    EXPECT_EQ(expand_file(path("z"), "/dev/full"), 0);
    EXPECT_NE(out.text().find("Fatal error writing output file.\n"), std::string::npos) << out.text();
}

TEST_F(LzwFiles, FatalExpansionKeepsTheBytesBeforeItAndReturnsZero)
{
    test::gravaBytes(path("bad"), terminated(codes({'o', 'k', 300, 'x'})));
    CoutCapture out;
    EXPECT_EQ(expand_file(path("bad"), path("out")), 0);
    EXPECT_EQ(test::leBytes(path("out")), bytesOf("ok"));
    EXPECT_EQ(out.text(), "Expanding...\nFatal error during code expansion.\n");
}

TEST_F(LzwFiles, OutputBeyondTheBoundFailsAndSaysWhy)
{
    test::gravaBytes(path("big"), runOfA(kRepeatsToBound + 1, 0));
    CoutCapture out;
    lzw::ExpandStatus status = lzw::ExpandStatus::Ok;
    EXPECT_EQ(expand_file(path("big"), path("out"), &status), 0);
    EXPECT_EQ(status, lzw::ExpandStatus::TooLarge);
    EXPECT_EQ(out.text(), "Expanding...\n" + std::string(18, '*')
                              + "Fatal error: expanded output would exceed 64 MiB.\n");
    EXPECT_TRUE(test::leBytes(path("out")).empty());
}

// The compressor codes in pieces of 4 KiB while the table fills, buffers
// switch to 2 MiB pages from 256 KiB, and progress stars fall every 1000
// bytes. Around those edges and a few more (64 KiB, several of them), for
// text and for bytes that do not compress, a file gives the central's
// stream and expands back.
struct FileSize {
    const char* name;
    std::size_t size;
    bool text;
};
void PrintTo(const FileSize& v, std::ostream* os) { *os << v.name; }

class LzwFileSizes : public LzwFiles, public testing::WithParamInterface<FileSize> {};

TEST_P(LzwFileSizes, StreamOfTheReferenceAndRoundTrip)
{
    const FileSize& c = GetParam();
    Bytes plain = c.text ? rechargeLikeText(static_cast<int>(c.size / 272 + 1), 5) : randomBytes(c.size, 256, 11);
    plain.resize(c.size);
    test::gravaBytes(path("in"), plain);
    CoutCapture out;
    ASSERT_EQ(compress_file(path("in"), path("z")), 1);
    const Bytes stream = test::leBytes(path("z"));
    EXPECT_TRUE(stream == lzwref::compress(plain));
    ASSERT_EQ(expand_file(path("z"), path("back")), 1);
    EXPECT_TRUE(test::leBytes(path("back")) == plain);
    const std::size_t codes = stream.size() / 2 - 2;
    EXPECT_EQ(out.text(), "Compressing...\n" + std::string(plain.empty() ? 0 : (plain.size() - 1) / 1000, '*')
                              + "\nExpanding...\n" + std::string(plain.empty() ? 0 : (codes - 1) / 1000, '*')
                              + "\n");
}

constexpr std::size_t kPiece = 1 << 16;
constexpr std::size_t kGrowing = 4096;
constexpr std::size_t kLarge = 256 * 1024;

INSTANTIATE_TEST_SUITE_P(
    Edges, LzwFileSizes,
    testing::Values(FileSize{"one_byte", 1, false}, FileSize{"seven", 7, true}, FileSize{"eight", 8, true},
                    FileSize{"nine", 9, false}, FileSize{"a_star", 1001, true}, FileSize{"before_a_star", 1000, false},
                    FileSize{"growing_piece_less_one", kGrowing - 1, false}, FileSize{"growing_piece", kGrowing, true},
                    FileSize{"growing_piece_and_one", kGrowing + 1, false},
                    FileSize{"large_less_one", kLarge - 1, true}, FileSize{"large", kLarge, false},
                    FileSize{"large_and_one", kLarge + 1, true},
                    FileSize{"piece_less_one_text", kPiece - 1, true}, FileSize{"piece_text", kPiece, true},
                    FileSize{"piece_and_one_text", kPiece + 1, true}, FileSize{"piece_less_one", kPiece - 1, false},
                    FileSize{"piece", kPiece, false}, FileSize{"piece_and_one", kPiece + 1, false},
                    FileSize{"two_pieces_less_one", 2 * kPiece - 1, false},
                    FileSize{"two_pieces_and_one_text", 2 * kPiece + 1, true},
                    FileSize{"past_the_code_table", 5 * kPiece + 3, false}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Strings the central's expander can rebuild ---------------------------

// A run of one letter is coded as strings of 1, 2, 3, ... letters: the
// string of 4000 letters ends at the 8,002,000th, and the run must go 4001
// letters further for one of 4001.
struct Corrida {
    const char* nome;
    std::size_t letras;
    std::size_t maisLonga;
};

class CorridaDeLetras : public LzwFiles, public testing::WithParamInterface<Corrida> {};

TEST_P(CorridaDeLetras, CompressesOnlyWhatTheExpanderRebuilds)
{
    const Corrida& c = GetParam();
    const Bytes plain(c.letras, 'a');
    const Bytes stream = lzw::compress(plain);
    EXPECT_EQ(lzw::longestString(stream), c.maisLonga);
    const bool cabe = c.maisLonga <= lzw::kDecodeStackSize;
    // The length found is the one the expander meets.
    EXPECT_EQ(lzw::expand(stream).status, cabe ? lzw::ExpandStatus::Ok : lzw::ExpandStatus::FatalError);

    test::gravaBytes(path("in"), plain);
    CoutCapture out;
    lzw::CompressStatus status = lzw::CompressStatus::StringTooLong;
    EXPECT_EQ(compress_file(path("in"), path("out"), &status), cabe ? 1 : 0);
    EXPECT_EQ(status, cabe ? lzw::CompressStatus::Ok : lzw::CompressStatus::StringTooLong);
    EXPECT_EQ(test::leBytes(path("out")), cabe ? stream : Bytes{});
    if (!cabe) {
        EXPECT_TRUE(out.text().ends_with("Fatal error: a string would pass the expander's 4000 bytes.\n")) << out.text();
    }
}

INSTANTIATE_TEST_SUITE_P(LzwFiles, CorridaDeLetras,
                         testing::Values(Corrida{"Short", 10, 4}, Corrida{"UpToTheLongest", 8006000, 4000},
                                         Corrida{"OneLetterMore", 8006001, 4001},
                                         Corrida{"FarLonger", 9000000, 4242}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(LzwLongestString, FollowsTheExpanderThroughDefinedAndPendingCodes)
{
    // abababab: 97, 98, 256 ("ab"), 258 ("aba", being defined), 98.
    EXPECT_EQ(lzw::longestString(hex("00 61 00 62 01 00 01 02 00 62 FF FF 00 00")), 3u);
    EXPECT_EQ(lzw::longestString(hex("FF FF FF FF 00 00")), 0u);
    EXPECT_EQ(lzw::longestString({}), 0u);
    // It stops where the expander stops: at a code not yet defined.
    EXPECT_EQ(lzw::longestString(terminated(codes({'o', 'k', 300, 'x'}))), 1u);
}

}  // namespace
}  // namespace pluvexa
