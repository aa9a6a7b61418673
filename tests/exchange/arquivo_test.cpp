// The line reading of the external file and of the import log.

#include "exchange/arquivo.h"
#include "registroexterno.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

namespace pluvexa {
namespace {

using test::gravaTexto;
using test::leTexto;

struct CasoLinhas {
    const char* nome;
    std::string bytes;
    std::vector<std::string> linhas;  // what LeLinha gives, in order
};

class LeituraDeLinhas : public ::testing::TestWithParam<CasoLinhas> {
protected:
    QTemporaryDir dir;
    QString caminho() const { return dir.filePath(QStringLiteral("a.rrm")); }
};

TEST_P(LeituraDeLinhas, ReadsCountsAndRewinds)
{
    const CasoLinhas& c = GetParam();
    gravaTexto(caminho(), c.bytes);
    Arquivo a;
    ASSERT_TRUE(a.Abre(caminho(), Arquivo::ModoLeitura));
    EXPECT_EQ(a.ContaLinhas(), int(c.linhas.size()));
    EXPECT_EQ(a.NumLinhas, int(c.linhas.size()));
    // Counting rewound the file: the lines come from the first one.
    a.NumLinhas = 0;
    for (const std::string& esperada : c.linhas) {
        ASSERT_TRUE(a.ExisteLinha());
        ASSERT_TRUE(a.LeLinha());
        EXPECT_EQ(a.Linha(), esperada);
    }
    EXPECT_EQ(a.NumLinhas, int(c.linhas.size()));
    EXPECT_FALSE(a.ExisteLinha());
    EXPECT_FALSE(a.LeLinha());
    EXPECT_EQ(a.Linha(), "");  // bytes without a line feed are no line
    EXPECT_TRUE(a.Fecha());
}

INSTANTIATE_TEST_SUITE_P(
    Arquivo, LeituraDeLinhas,
    ::testing::Values(
        CasoLinhas{"LfEndsALine", "um\ndois\n", {"um", "dois"}},
        CasoLinhas{"CrBeforeLfIsNotPartOfTheLine", "um\r\ndois\r\n", {"um", "dois"}},
        CasoLinhas{"CrElsewhereStays", "u\rm\r\r\n", {"u\rm\r"}},
        CasoLinhas{"UnterminatedLastLineIsNeverRead", "um\ndois", {"um"}},
        CasoLinhas{"EmptyMiddleLineIsALine", "um\n\r\ndois\n", {"um", "", "dois"}},
        CasoLinhas{"EmptyFileHasNoLine", "", {}},
        CasoLinhas{"OnlyAnUnterminatedLine", "sem fim", {}},
        CasoLinhas{"BytesStayWindows1252", "JOS\xC9\r\n", {"JOS\xC9"}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Arquivo, LinesLongerThanTheBufferAreReadWhole)
{
    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("longo.rrm"));
    const std::string longa(200000, 'x');
    gravaTexto(caminho, longa + "\n" + "fim\n");
    Arquivo a;
    ASSERT_TRUE(a.Abre(caminho, Arquivo::ModoLeitura));
    EXPECT_EQ(a.ContaLinhas(), 2);
    ASSERT_TRUE(a.LeLinha());
    EXPECT_EQ(a.Linha(), longa);
    ASSERT_TRUE(a.LeLinha());
    EXPECT_EQ(a.Linha(), "fim");
}

TEST(Arquivo, OpensOnlyWithItsTwoModes)
{
    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("a.rrm"));
    gravaTexto(caminho, "um\n");
    Arquivo a;
    for (const char* modo : {"r", "rb", "w", "wt", "RT", "rt ", ""}) {
        EXPECT_FALSE(a.Abre(caminho, modo)) << modo;
        EXPECT_FALSE(a.LeLinha()) << modo;
    }
    EXPECT_EQ(leTexto(caminho), "um\n");  // no wrong mode truncated it
    EXPECT_TRUE(a.Fecha());                  // nothing open: still true
    EXPECT_FALSE(a.Abre(dir.filePath(QStringLiteral("missing.rrm")), Arquivo::ModoLeitura));
}

TEST(Arquivo, WritesBytesAsTheyAreAndReplacesTheOldFileOnlyWhenClosed)
{
    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("x.log"));
    gravaTexto(caminho, "antigo\r\n");
    {
        Arquivo a;
        ASSERT_TRUE(a.Abre(caminho, Arquivo::ModoGravacao));
        EXPECT_TRUE(a.Grava("linha\r\n"));
        EXPECT_TRUE(a.Grava("sem quebra"));
        EXPECT_FALSE(a.Grava(""));
        EXPECT_FALSE(a.LeLinha());  // written, not read
        EXPECT_EQ(leTexto(caminho), "antigo\r\n");
        EXPECT_TRUE(a.Fecha());
    }
    EXPECT_EQ(leTexto(caminho), "linha\r\nsem quebra");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("x.log")});
}

TEST(Arquivo, CannotCreateInAMissingFolder)
{
    QTemporaryDir dir;
    Arquivo a;
    EXPECT_FALSE(a.Abre(dir.filePath(QStringLiteral("nao/existe.log")), Arquivo::ModoGravacao));
    EXPECT_FALSE(a.Grava("x"));
}

}  // namespace
}  // namespace pluvexa
