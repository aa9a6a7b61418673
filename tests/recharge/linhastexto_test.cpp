// Splitting a recharge text into lines: CR LF, CR or LF; blank lines never
// stored; more non-blank lines than a recharge file holds refused.

#include "recharge/linhastexto.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pluvexa {
namespace {

struct CasoTexto {
    const char* nome;
    std::string texto;
    std::vector<Texto> linhas;
};

class Divisao : public ::testing::TestWithParam<CasoTexto> {};

TEST_P(Divisao, GivesTheNonBlankLinesInOrder)
{
    std::vector<Texto> linhas = {"stale"};
    ASSERT_TRUE(divideTexto(GetParam().texto, linhas));
    EXPECT_EQ(linhas, GetParam().linhas);
}

INSTANTIATE_TEST_SUITE_P(
    LinhasTexto, Divisao,
    ::testing::Values(
        CasoTexto{"CrLfCrAndLfEndALine", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        CasoTexto{"LfCrIsTwoEnds", "a\n\rb", {"a", "b"}},
        CasoTexto{"ALastLineWithoutItsEndCounts", "00X\r\n99Y", {"00X", "99Y"}},
        CasoTexto{"EmptyLinesAreLeftOut", "\r\n\r\na\r\n\r\n\n\rb\r\n\r\n", {"a", "b"}},
        CasoTexto{"BlanksTabsAndControlCharactersAreBlank", "a\r\n   \r\n\t\x01\x1F \r\n\x7F\r\n",
                  {"a", "\x7F"}},
        CasoTexto{"LeadingAndTrailingBlanksOfALineStay", "  01X  \r\n", {"  01X  "}},
        CasoTexto{"Windows1252BytesAreNotBlank", "\xA0\r\n\xC7\r\n", {"\xA0", "\xC7"}},
        CasoTexto{"AnEmptyTextHasNoLine", "", {}},
        CasoTexto{"OnlyLineBreaksHaveNoLine", std::string(100000, '\n') + std::string(100000, '\r'), {}}),
    [](const auto& info) { return std::string(info.param.nome); });

// `n` non-blank lines, each followed by `brancas` blank ones.
std::string texto(std::size_t n, std::size_t brancas)
{
    std::string s;
    for (std::size_t i = 0; i < n; ++i) {
        s += "01" + std::to_string(i) + "\r\n";
        for (std::size_t b = 0; b < brancas; ++b)
            s += " \r\n";
    }
    return s;
}

struct CasoLimite {
    const char* nome;
    std::size_t linhas;
    std::size_t brancas;
    bool aceito;
};

class Limite : public ::testing::TestWithParam<CasoLimite> {};

TEST_P(Limite, CountsOnlyNonBlankLines)
{
    const CasoLimite& c = GetParam();
    std::vector<Texto> linhas = {"stale"};
    EXPECT_EQ(divideTexto(texto(c.linhas, c.brancas), linhas), c.aceito);
    if (c.aceito) {
        ASSERT_EQ(linhas.size(), c.linhas);
        EXPECT_EQ(linhas.back(), "01" + std::to_string(c.linhas - 1));
    } else {
        EXPECT_TRUE(linhas.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    LinhasTexto, Limite,
    ::testing::Values(CasoLimite{"TheLimitIs10049", kMaisLinhasTexto, 0, true},
                      CasoLimite{"OneMoreIsRefused", kMaisLinhasTexto + 1, 0, false},
                      CasoLimite{"BlankLinesAroundDoNotCount", kMaisLinhasTexto, 100, true},
                      CasoLimite{"BlankLinesDoNotHideTheExcess", kMaisLinhasTexto + 1, 100, false},
                      CasoLimite{"FarMoreIsRefusedToo", 200000, 0, false}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(LinhasTexto, TheLimitIsTheHoldersCardTypesTariffsHeaderAndTrailer)
{
    EXPECT_EQ(kMaisLinhasTexto, 10049u);
}

TEST(LinhasTexto, SixtyFourMebibytesOfLineBreaksGiveNoLineAndKeepNoneOfThem)
{
    std::vector<Texto> linhas;
    EXPECT_TRUE(divideTexto(std::string(std::size_t(64) << 20, '\n'), linhas));
    EXPECT_TRUE(linhas.empty());
    EXPECT_EQ(linhas.capacity(), 0u);  // nothing was stored, not even for a while
}

}  // namespace
}  // namespace pluvexa
