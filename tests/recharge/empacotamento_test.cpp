#include "central/ladocentral.h"
#include "codec/builtinkeys.h"
#include "codec/envelope.h"
#include "codec/lzw.h"
#include "recharge/empacotamento.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

QByteArray le(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void grava(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

template <typename Record>
Record registro(const char* name)
{
    const QByteArray data = le(QStringLiteral(PLUVEXA_SOURCE_DIR "/keys/demo/") + QString::fromLatin1(name));
    Record r{};
    EXPECT_EQ(size_t(data.size()), r.size()) << name;
    std::copy(data.begin(), data.begin() + qsizetype(std::min(r.size(), size_t(data.size()))), r.begin());
    return r;
}

class Pipeline : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
    bool existe(const QString& name) const { return QFile::exists(path(name)); }
};

TEST_F(Pipeline, DraftRoundTripGivesBackTheSavedLinesWithCrLfAndTrimsOnlyTrailingBlankLines)
{
    std::vector<Texto> linhas = {"00HEADER", "", "01DETALHE \xC7", "99TRAILER", "", "   ", "\t"};
    ASSERT_EQ(CompactaArquivo(linhas, dir.path(), QStringLiteral("PX_1_2.REC"), true), EmpacotamentoOk);
    EXPECT_EQ(linhas.size(), 4u);  // the list itself loses the blank tail
    EXPECT_TRUE(existe(QStringLiteral("PX_1_2.REC")));
    EXPECT_FALSE(existe(kTmpTexto));
    EXPECT_FALSE(existe(kTmpComprimido));
    EXPECT_FALSE(existe(QStringLiteral("PX_1_2.REC.part")));

    ASSERT_EQ(DescompactaArquivo(path(QStringLiteral("PX_1_2.REC")), true), EmpacotamentoOk);
    EXPECT_EQ(le(path(kTmpTexto)), QByteArray("00HEADER\r\n\r\n01DETALHE \xC7\r\n99TRAILER\r\n"));
}

TEST_F(Pipeline, AnswerIsSealedForTheCentralAndHasTheEnvelopeSize)
{
    std::vector<Texto> linhas(300, Texto(272, '7'));
    ASSERT_EQ(CompactaArquivo(linhas, dir.path(), QStringLiteral("ANSWER_2.REC"), false), EmpacotamentoOk);

    // The content is the compressed stream of the CR LF text.
    std::string texto;
    for (const Texto& l : linhas)
        texto += l + "\r\n";
    const auto comprimido = lzw::compress(std::span(reinterpret_cast<const std::uint8_t*>(texto.data()), texto.size()));
    const qint64 L = qint64(comprimido.size());
    EXPECT_EQ(QFileInfo(path(QStringLiteral("ANSWER_2.REC"))).size(), 174 + 8 * (L / 8 + 1));

    // The central opens it with its private key and the program's public key.
    const QString lido = path(QStringLiteral("lido.txt"));
    const RespostaCentral r = leArquivoResposta(path(QStringLiteral("ANSWER_2.REC")), lido,
        registro<PrivateKeyRecord>("central.private"), registro<PublicKeyRecord>("own.public"));
    ASSERT_EQ(r.resultado, CentralOk) << r.codigoEnvelope;
    EXPECT_EQ(le(lido), QByteArray::fromStdString(texto));
}

TEST_F(Pipeline, ReceivedFileFromTheCentralOpensAndExpands)
{
    const QString plain = path(QStringLiteral("plain.txt"));
    grava(plain, "00ABC\r\n99XYZ\r\n");
    const QString recebido = path(QStringLiteral("PX_00001_0001_2401010000_1.rec"));
    ASSERT_EQ(preparaArquivoRecebido(plain, recebido, registro<PrivateKeyRecord>("central.private"),
                                     registro<PublicKeyRecord>("own.public")).resultado, CentralOk);
    ASSERT_EQ(DescompactaArquivo(recebido, false), EmpacotamentoOk);
    EXPECT_EQ(carregaLinhas(path(kTmpTexto)), (std::vector<Texto>{"00ABC", "99XYZ"}));
    EXPECT_TRUE(existe(kTmpComprimido));  // left for the caller
}

TEST_F(Pipeline, ReceivedFileWithoutAnyZeroByteGivesEnvelopeFailureAndAnEmptyTmp2)
{
    grava(path(QStringLiteral("x_1.rec")), QByteArray(100, 'A'));
    EXPECT_EQ(DescompactaArquivo(path(QStringLiteral("x_1.rec")), false), FalhaEnvelope);
    EXPECT_TRUE(existe(kTmpComprimido));
    EXPECT_EQ(QFileInfo(path(kTmpComprimido)).size(), 0);
    EXPECT_FALSE(existe(kTmpTexto));
}

TEST_F(Pipeline, BadSignatureGivesEnvelopeFailureWithTheDecryptedStreamInTmp2)
{
    // Sealed for the program but signed by a key that is not the central's.
    const QString plain = path(QStringLiteral("plain.txt"));
    grava(plain, QByteArray(500, 'z'));
    const QString recebido = path(QStringLiteral("forged_1.rec"));
    ASSERT_EQ(preparaArquivoRecebido(plain, recebido, registro<PrivateKeyRecord>("own.private"),
                                     registro<PublicKeyRecord>("own.public")).resultado, CentralOk);
    EXPECT_EQ(DescompactaArquivo(recebido, false), FalhaEnvelope);
    EXPECT_GT(QFileInfo(path(kTmpComprimido)).size(), 0);
    const auto expandido = lzw::expand(std::span(
        reinterpret_cast<const std::uint8_t*>(le(path(kTmpComprimido)).constData()),
        size_t(QFileInfo(path(kTmpComprimido)).size())));
    EXPECT_EQ(expandido.bytes.size(), 500u);
}

TEST_F(Pipeline, ExpansionFailureGivesCompressionFailureAndTheProcessLives)
{
    // First code 0x1234 names a string that was never defined.
    grava(path(QStringLiteral("draft_2.REC")), QByteArray::fromHex("1234FFFF0000"));
    EXPECT_EQ(DescompactaArquivo(path(QStringLiteral("draft_2.REC")), true), FalhaCompressao);
}

TEST_F(Pipeline, FailedSealLeavesNoFileUnderTheFinalNameAndKeepsAnOlderOne)
{
    grava(path(QStringLiteral("A_2.REC")), "older answer");
    ChavesEnvelope ruins = ChavesEnvelope::embutidas();
    ruins.centralPublica[0] = 0xFF;  // 0x?FF bits: more than the envelope accepts
    ruins.centralPublica[1] = 0x7F;
    std::vector<Texto> linhas = {"00X"};
    EXPECT_EQ(CompactaArquivo(linhas, dir.path(), QStringLiteral("A_2.REC"), false, ruins), FalhaEnvelope);
    EXPECT_EQ(le(path(QStringLiteral("A_2.REC"))), QByteArray("older answer"));
    EXPECT_FALSE(existe(QStringLiteral("A_2.REC.part")));
}

TEST_F(Pipeline, UncreatableTextFileThrowsNamingThePath)
{
    std::vector<Texto> linhas = {"00X"};
    const QString missing = path(QStringLiteral("no/such/folder"));
    try {
        CompactaArquivo(linhas, missing, QStringLiteral("A_2.REC"), true);
        FAIL() << "expected ErroArquivo";
    } catch (const ErroArquivo& e) {
        EXPECT_NE(std::string(e.what()).find("TMP1.REC"), std::string::npos) << e.what();
    }
}

TEST(CarregaLinhas, AcceptsCrLfCrAndLfAndKeepsALastLineWithoutEnd)
{
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("t.txt"));
    grava(p, "a\r\nb\rc\nd");
    EXPECT_EQ(carregaLinhas(p), (std::vector<Texto>{"a", "b", "c", "d"}));
    grava(p, "a\r\n\r\n");
    EXPECT_EQ(carregaLinhas(p), (std::vector<Texto>{"a", ""}));
    EXPECT_TRUE(carregaLinhas(dir.filePath(QStringLiteral("missing"))).empty());
}

}  // namespace
}  // namespace pluvexa
