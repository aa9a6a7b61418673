#include "files/arquivoseguro.h"
#include "formfixture.h"
#include "report/pdf.h"
#include "support/arquivosteste.h"
#include "support/pdftext.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

class PdfDaListagem : public ::testing::Test {
protected:
    QTemporaryDir pasta;
    test::ListagemPronta listagem{40};
    QString destino() const { return pasta.filePath(QStringLiteral("listagem.pdf")); }
};

TEST_F(PdfDaListagem, ReadsBackHeaderAndDetailLines)
{
    const report::Document doc = listagem.form->prepara();
    QString erro;
    ASSERT_TRUE(report::writePdf(listagem.form->QuickRep1, doc, destino(), &erro)) << erro.toStdString();
    const std::optional<QString> texto = test::textoDoPdf(destino());
    if (!texto)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    EXPECT_TRUE(texto->contains(QStringLiteral("Listagem de Cartões a Recarregar")));
    EXPECT_TRUE(texto->contains(QStringLiteral("Arquivo : /tmp/PX_00123_0007_2612100930_1.rec")));
    EXPECT_TRUE(texto->contains(QStringLiteral("Página:")));
    // Two pages: 36 lines and the rest.
    EXPECT_EQ(texto->count(QLatin1Char('\f')), 2);
    // A detail line comes back whole, in its columns.
    const QRegularExpression detalhe(QStringLiteral(
        "1007 +5007 +MAT7 +TITULAR 7 SÃO PAULO +1 + - +10,50 +10,50"));
    EXPECT_TRUE(detalhe.match(*texto).hasMatch()) << texto->left(3000).toStdString();
    EXPECT_TRUE(texto->contains(QStringLiteral("Total Geral :")));
}

TEST_F(PdfDaListagem, ColumnsLineUpInTheMonospacedBody)
{
    const report::Document doc = listagem.form->prepara();
    ASSERT_TRUE(report::writePdf(listagem.form->QuickRep1, doc, destino()));
    const std::optional<QString> texto = test::textoDoPdf(destino());
    if (!texto)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    // The amounts of every detail line of a page end in the same column
    // (poppler spaces each page on its own scale).
    QList<qsizetype> fins;
    for (const QString& l : texto->section(QLatin1Char('\f'), 0, 0).split(QLatin1Char('\n')))
        if (l.contains(QStringLiteral("TITULAR "))) {
            qsizetype fim = l.size();
            while (fim > 0 && l[fim - 1].isSpace())
                --fim;
            fins.append(fim);
        }
    ASSERT_EQ(fins.size(), 34);
    for (qsizetype f : fins)
        EXPECT_EQ(f, fins.first());
}

TEST_F(PdfDaListagem, NothingUnderTheFinalNameWhenTheFolderIsMissing)
{
    const report::Document doc = listagem.form->prepara();
    const QString alvo = pasta.filePath(QStringLiteral("falta/listagem.pdf"));
    QString erro;
    EXPECT_FALSE(report::writePdf(listagem.form->QuickRep1, doc, alvo, &erro));
    EXPECT_FALSE(erro.isEmpty());
    EXPECT_FALSE(QFile::exists(alvo));
}

TEST_F(PdfDaListagem, ReplacesAnEarlierFileAndLeavesNoTemporaryBehind)
{
    ASSERT_NO_FATAL_FAILURE(test::grava(destino(), "old"));
    const report::Document doc = listagem.form->prepara();
    ASSERT_TRUE(report::writePdf(listagem.form->QuickRep1, doc, destino()));
    EXPECT_TRUE(test::le(destino()).startsWith("%PDF-"));
    EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files), QStringList{QStringLiteral("listagem.pdf")});
}

// Every step of the file layer failed in turn: the earlier PDF stays as it
// was, the caller hears why, and no part is left behind.
TEST_F(PdfDaListagem, AnyFailedFileStepKeepsTheEarlierFile)
{
    const report::Document doc = listagem.form->prepara();
    int passos = 0;
    {
        FalhasArquivo contagem;
        ASSERT_TRUE(report::writePdf(listagem.form->QuickRep1, doc, destino()));
        passos = contagem.operacoes();
    }
    ASSERT_GE(passos, 2);  // at least writing the part and renaming it
    for (int n = 1; n <= passos; ++n) {
        ASSERT_NO_FATAL_FAILURE(test::grava(destino(), "old"));
        FalhasArquivo falha(n);
        QString erro;
        EXPECT_FALSE(report::writePdf(listagem.form->QuickRep1, doc, destino(), &erro)) << "step " << n;
        EXPECT_TRUE(falha.falhou());
        EXPECT_FALSE(erro.isEmpty()) << "step " << n;
        EXPECT_EQ(test::le(destino()), QByteArray("old")) << "step " << n;
        EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files), QStringList{QStringLiteral("listagem.pdf")})
            << "step " << n;
    }
}

}  // namespace
}  // namespace pluvexa
