// The bounds of a workbook: each refused with its reason and no sheet, the
// values at a bound still read, and Calc's empty rows and columns to the
// sheet's end neither refused nor kept.

#include "exchange/livros/leituralivro.h"
#include "zipdeteste.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace pluvexa {
namespace {

const QString kLinhas = QStringLiteral("Planilha grande demais: a aba Aba passa de 100.000 linhas (máximo 100.000)");
const QString kColunas = QStringLiteral("Planilha grande demais: a aba Aba passa de 1.000 colunas (máximo 1.000)");
const QString kCelulas = QStringLiteral("Planilha grande demais: mais de 2.000.000 células (máximo 2.000.000)");

QByteArray repete(const QByteArray& parte, int vezes)
{
    QByteArray b;
    for (int i = 0; i < vezes; ++i)
        b += parte;
    return b;
}

const QByteArray kUm = "<table:table-cell office:value-type=\"float\" office:value=\"1\"><text:p>1</text:p></table:table-cell>";
// What Calc writes after the last value of a sheet.
const QByteArray kFimCalc = "<table:table-row table:number-rows-repeated=\"1048574\">"
                            "<table:table-cell table:number-columns-repeated=\"16384\"/></table:table-row>";

struct Caso {
    const char* nome;
    bool ods;             // else .xlsx
    QByteArray linhas;    // the sheet's rows as written
    QString erro;         // empty: read
    std::size_t linhasLidas = 0;
    int ultimaLinha = 0;
};

std::vector<Caso> casos()
{
    return {
        {"OdsRowRepeatedPastTheLastRow", true,
         "<table:table-row table:number-rows-repeated=\"100001\">" + kUm + "</table:table-row>", kLinhas},
        {"OdsRowRepeatedToTheLastRow", true,
         "<table:table-row table:number-rows-repeated=\"100000\">" + kUm + "</table:table-row>" + kFimCalc, {},
         100000, 100000},
        {"OdsCalcsEmptyRowsAndColumnsToTheEnd", true,
         "<table:table-row>" + kUm + "<table:table-cell table:number-columns-repeated=\"16383\"/></table:table-row>"
             + "<table:table-row table:number-rows-repeated=\"5\"><table:table-cell/></table:table-row>"
             + "<table:table-row>" + kUm + "</table:table-row>" + kFimCalc,
         {}, 2, 7},
        {"OdsValuePastTheLastColumn", true,
         "<table:table-row><table:table-cell table:number-columns-repeated=\"1000\"/>" + kUm + "</table:table-row>",
         kColunas},
        {"OdsValueRepeatedPastTheLastColumn", true,
         "<table:table-row><table:table-cell table:number-columns-repeated=\"999\"/>"
             + QByteArray(kUm).replace("<table:table-cell ", "<table:table-cell table:number-columns-repeated=\"2\" ")
             + "</table:table-row>",
         kColunas},
        {"OdsValueAtTheLastColumn", true,
         "<table:table-row><table:table-cell table:number-columns-repeated=\"999\"/>" + kUm + "</table:table-row>", {},
         1, 1},
        // 2,001 rows of 1,000 values: every row within the bounds, the
        // cells not.
        {"OdsTooManyCells", true,
         "<table:table-row table:number-rows-repeated=\"2001\">"
             + QByteArray(kUm).replace("<table:table-cell ", "<table:table-cell table:number-columns-repeated=\"1000\" ")
             + "</table:table-row>",
         kCelulas},
        {"XlsxValuePastTheLastRow", false, "<row r=\"100001\"><c r=\"A100001\"><v>1</v></c></row>", kLinhas},
        {"XlsxValueAtTheLastRow", false, "<row r=\"100000\"><c r=\"A100000\"><v>1</v></c></row>", {}, 1, 100000},
        {"XlsxValuePastTheLastColumn", false, "<row r=\"1\"><c r=\"ALM1\"><v>1</v></c></row>", kColunas},
        {"XlsxValueAtTheLastColumn", false, "<row r=\"1\"><c r=\"ALL1\"><v>1</v></c></row>", {}, 1, 1},
        {"XlsxFormattedEmptyCellAtTheSheetsEnd", false,
         "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>x</t></is></c></row>"
         "<row r=\"1048576\"><c r=\"XFD1048576\" s=\"1\"/></row>",
         {}, 1, 1},
    };
}

class Limite : public testing::TestWithParam<Caso> {};

TEST_P(Limite, RefusedWithItsReasonOrRead)
{
    static QTemporaryDir dir;
    const Caso& c = GetParam();
    const QString caminho = dir.filePath(QString::fromUtf8(c.nome) + (c.ods ? QStringLiteral(".ods") : QStringLiteral(".xlsx")));
    ASSERT_TRUE(teste::gravaZip(caminho, c.ods ? teste::ods(c.linhas) : teste::xlsx(c.linhas)));
    const Livro livro = leLivro(caminho);
    EXPECT_EQ(livro.erro, c.erro);
    if (!c.erro.isEmpty()) {
        EXPECT_TRUE(livro.abas.empty());
        return;
    }
    ASSERT_EQ(livro.abas.size(), 1u);
    EXPECT_EQ(livro.abas[0].nome, QStringLiteral("Aba"));
    ASSERT_EQ(livro.abas[0].linhas.size(), c.linhasLidas);
    EXPECT_EQ(livro.abas[0].linhas.back().linha, c.ultimaLinha);
    for (const LinhaTabela& l : livro.abas[0].linhas)
        ASSERT_FALSE(l.celulas.empty());
}

INSTANTIATE_TEST_SUITE_P(Livros, Limite, testing::ValuesIn(casos()),
                         [](const auto& info) { return std::string(info.param.nome); });

QString dado(const char* nome)
{
    return QStringLiteral(PLUVEXA_TEST_DATA "/planilhas/") + QString::fromUtf8(nome);
}

TEST(LimiteLivro, ABombOfSharedStringsIsRefusedAsItExpands)
{
    // 40 MiB of blanks in 46 KB; its directory declares the truth, within
    // the workbook's 256 MB, so only counting while expanding stops it.
    const Livro livro = leLivro(dado("bomba.xlsx"));
    EXPECT_EQ(livro.erro, QStringLiteral("Planilha grande demais: os textos compartilhados passam de 32 MB (máximo 32 MB)"));
    EXPECT_TRUE(livro.abas.empty());
}

TEST(LimiteLivro, AWorkbookOver16MiBIsRefusedByItsSize)
{
    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("grande.xlsx"));
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.write("PK\x03\x04", 4) == 4 && f.resize(16 * 1024 * 1024 + 1));
    f.close();
    EXPECT_EQ(leLivro(caminho).erro, QStringLiteral("Planilha grande demais: 16,0 MB (máximo 16 MB)"));
}

// A workbook cut anywhere, or with its bytes spoiled, gives its error and
// no sheet; never a crash (the fuzz targets try many more).
TEST(LimiteLivro, DamagedWorkbooksGiveAnErrorAndNoSheet)
{
    QTemporaryDir dir;
    for (const char* nome : {"folha.xlsx", "folha.ods", "folha.xls"}) {
        QFile origem(dado(nome));
        ASSERT_TRUE(origem.open(QIODevice::ReadOnly));
        const QByteArray bytes = origem.readAll();
        for (const double parte : {0.1, 0.5, 0.9, 0.99}) {
            // The last sectors of an .xls's container may be unused: cut
            // there it still reads whole.
            if (parte > 0.9 && QByteArray(nome).endsWith(".xls"))
                continue;
            const QString caminho = dir.filePath(QStringLiteral("cortada-") + QString::fromUtf8(nome));
            QFile f(caminho);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(bytes.left(qsizetype(bytes.size() * parte)));
            f.close();
            const Livro livro = leLivro(caminho);
            EXPECT_FALSE(livro.ok()) << nome << " cut at " << parte;
            EXPECT_TRUE(livro.abas.empty());
        }
    }
}

}  // namespace
}  // namespace pluvexa
