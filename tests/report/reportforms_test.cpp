#include "formfixture.h"
#include "report/tfrepimportacao.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

const QDateTime kAgora(QDate(2026, 12, 10), QTime(9, 30, 5));

TEST(Tfreprecarga, LongListingBreaksIntoPagesWithHeadersOnEach)
{
    // 100 holders: 107 body lines. Landscape A4 leaves 210 - 20 - 34,9 =
    // 155,1 mm under the header, room for 36 lines of 4,2 mm: 36 + 36 + 35
    // lines, and the 10,6 mm summary no longer fits under the third page's
    // 147 mm of lines, so it opens a fourth page.
    test::ListagemPronta l(100);
    const report::Document doc = l.form->prepara(kAgora);
    ASSERT_EQ(l.form->Linhas.size(), 107u);
    ASSERT_EQ(doc.pages.size(), 4u);

    const QStringList primeira = doc.textsOfPage(0);
    for (const char* t : {"Listagem de Cartões a Recarregar", "EMPRESA DEMO",
                          "Arquivo : /tmp/PX_00123_0007_2612100930_1.rec", "Data:", "10/12/2026 09:30:05",
                          "Página:", "Usuário", "Cartão", "Matrícula", "Nome", "Tipo", "Tarifa", "Valor",
                          "Total", "2.1.1.01C  - Pluvexa"})
        EXPECT_TRUE(primeira.contains(QString::fromUtf8(t))) << t;
    // The page number follows "Página:".
    EXPECT_EQ(primeira.at(primeira.indexOf(QStringLiteral("Página:")) + 1), QStringLiteral("1"));
    const QStringList ultima = doc.textsOfPage(3);
    EXPECT_EQ(ultima.at(ultima.indexOf(QStringLiteral("Página:")) + 1), QStringLiteral("4"));
    EXPECT_TRUE(ultima.contains(QStringLiteral("Listagem de Cartões a Recarregar")));

    // 36 detail lines on a full page; the body text reaches the screen as
    // Unicode.
    EXPECT_EQ(doc.pages[0].bands.size(), 1u + 36u);
    EXPECT_EQ(doc.pages[3].bands.size(), 2u);   // header and summary
    EXPECT_TRUE(std::any_of(primeira.begin(), primeira.end(), [](const QString& s) {
        return s.startsWith(QStringLiteral("Tipo Cartão : 1  - ESCOLAR"));
    }));
    EXPECT_TRUE(std::any_of(primeira.begin(), primeira.end(),
                            [](const QString& s) { return s.contains(QStringLiteral("TITULAR 0 SÃO PAULO")); }));
}

TEST(Tfreprecarga, BodyPrintsInAMonospacedFace)
{
    test::ListagemPronta l(1);
    const QFont& f = l.form->qrllinha.font;
    EXPECT_TRUE(QFontInfo(f).fixedPitch());
    // Every character at the design screen's pitch, 7 pixels at 96 dpi, so a
    // 147-column line spans the 272 mm under the headings.
    QFont amostra(f);
    amostra.setPixelSize(1000);
    const double avanco = QFontMetricsF(amostra).horizontalAdvance(QLatin1Char('W')) / 1000.0;
    EXPECT_NEAR(f.pointSizeF() / 72.0 * 25.4 * avanco * 147, 147 * 7 * 25.4 / 96, 0.5);
    EXPECT_FALSE(QFontInfo(l.form->QRLabel2.font).fixedPitch());
}

TEST(Tfreprecarga, PreparingTwiceGivesTheSamePages)
{
    test::ListagemPronta l(50);
    const report::Document a = l.form->prepara(kAgora);
    const report::Document b = l.form->prepara(kAgora);
    ASSERT_EQ(a.pages.size(), b.pages.size());
    for (size_t i = 0; i < a.pages.size(); ++i)
        EXPECT_EQ(a.textsOfPage(i), b.textsOfPage(i)) << "page " << i;
}

TEST(Tfreprecarga, EmptyModelPrintsHeaderAndTheZeroBlock)
{
    test::ListagemPronta l(0);
    const report::Document doc = l.form->prepara(kAgora);
    ASSERT_EQ(doc.pages.size(), 1u);
    ASSERT_EQ(l.form->Linhas.size(), 5u);
    const QStringList textos = doc.textsOfPage(0);
    EXPECT_TRUE(std::any_of(textos.begin(), textos.end(),
                            [](const QString& s) { return s.startsWith(QStringLiteral("Total Geral :")); }));
}

class Tfrepimportacao_ : public ::testing::Test {
protected:
    Tfrepimportacao form;
    void SetUp() override
    {
        form.defineCabecalho(QStringLiteral("Resultado da Importação das Recargas"),
                             QStringLiteral("EMPRESA DEMO"), QStringLiteral("/tmp/valores.rrm"),
                             QDate(2026, 12, 10));
    }
};

TEST_F(Tfrepimportacao_, OnlyTheEmptyFirstEntryPrintsHeadingAndClosingLine)
{
    form.DefineLinhas({std::string()});
    const report::Document doc = form.prepara(kAgora);
    ASSERT_EQ(doc.pages.size(), 1u);
    const std::vector<report::PlacedBand>& bandas = doc.pages[0].bands;
    ASSERT_EQ(bandas.size(), 3u);
    EXPECT_EQ(bandas[1].band, &form.QRBand4);
    EXPECT_EQ(bandas[2].band, &form.QRBand3);
    const QStringList textos = doc.textsOfPage(0);
    for (const char* t : {"Resultado da Importação das Recargas", "Empresa : EMPRESA DEMO",
                          "Arquivo   : /tmp/valores.rrm", "Importado : 10/12/2026",
                          "Linha do Arquivo      Matrícula                                 Erro"})
        EXPECT_TRUE(textos.contains(QString::fromUtf8(t))) << t;
    EXPECT_FALSE(std::any_of(textos.begin(), textos.end(),
                             [](const QString& s) { return s.startsWith(QStringLiteral("2.1.1")); }));
}

TEST_F(Tfrepimportacao_, ResultLinesFromEntryOneOnEveryPreparationWithHeadingOnEachPage)
{
    // Portrait A4: 277 - 26,2 - 5,6 = 245,2 mm for lines of 5,6 mm, 43 a
    // page; 50 result lines take two pages.
    std::vector<Texto> linhas{std::string()};
    for (int i = 1; i <= 50; ++i)
        linhas.push_back(std::string(13 - std::to_string(i).size(), ' ') + std::to_string(i) + "   MAT"
                         + std::to_string(i));
    form.DefineLinhas(linhas);
    for (int vez = 0; vez < 2; ++vez) {
        const report::Document doc = form.prepara(kAgora);
        ASSERT_EQ(doc.pages.size(), 2u);
        EXPECT_EQ(doc.pages[0].bands.size(), 2u + 43u);
        EXPECT_EQ(doc.pages[1].bands[1].band, &form.QRBand4);
        EXPECT_EQ(doc.pages[0].bands[2].texts.at(0), QStringLiteral("            1   MAT1"));
        EXPECT_EQ(doc.pages[1].bands.back().band, &form.QRBand3);
        EXPECT_EQ(doc.pages[1].bands[doc.pages[1].bands.size() - 2].texts.at(0),
                  QStringLiteral("           50   MAT50"));
    }
}

}  // namespace
}  // namespace pluvexa

namespace pluvexa {
namespace {

// A refusal longer than the page holds goes on below, under the message's
// column, broken between words: nothing is cut.
TEST(QuebraLinhaImportacao, KeepsEveryWordWithinThePage)
{
    const std::string inicio = "          123   " + std::string("M001") + std::string(17, ' ');
    const std::string curta = inicio + "Matr\xED" "cula em mais de um tipo de cart\xE3o - informe a coluna Tipo";
    EXPECT_EQ(Tfrepimportacao::quebraLinha(curta), std::vector<std::string>{curta});

    const std::string valor(64, '9');
    const std::string longa = inicio + "Valor inv\xE1lido: 1.000.000.000.000.000.000.000.000.000.000.000.000.000.000.00\x85 - use "
                                       "v\xEDrgula para os centavos";
    const std::string semQuebra = inicio + "Valor inv\xE1lido: " + valor + "\x85";
    for (const std::string& linha : {longa, semQuebra}) {
        const std::vector<std::string> partes = Tfrepimportacao::quebraLinha(linha);
        ASSERT_GT(partes.size(), 1u) << linha;
        std::string junto;
        for (std::size_t i = 0; i < partes.size(); ++i) {
            EXPECT_LE(partes[i].size(), Tfrepimportacao::kLarguraLinha) << partes[i];
            if (i > 0) {
                EXPECT_EQ(partes[i].substr(0, 37), std::string(37, ' ')) << partes[i];
                junto += partes[i].substr(37);
            } else {
                junto += partes[i];
            }
        }
        std::string semBrancos = linha, juntoSem = junto;
        std::erase(semBrancos, ' ');
        std::erase(juntoSem, ' ');
        EXPECT_EQ(juntoSem, semBrancos);
    }
}

}  // namespace
}  // namespace pluvexa
