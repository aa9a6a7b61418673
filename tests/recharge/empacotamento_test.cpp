#include "central/ladocentral.h"
#include "codec/builtinkeys.h"
#include "codec/envelope.h"
#include "codec/lzw.h"
#include "central/dadosdemo.h"
#include "recharge/empacotamento.h"
#include "recharge/escritorrecarga.h"
#include "recordfixture.h"
#include "support/arquivosteste.h"
#include "support/fluxolzw.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iostream>
#include <sys/stat.h>

namespace pluvexa {
namespace {

using test::grava;
using test::le;

// Files another program (or the operator) keeps in the folder worked in,
// among them names the packing once used for its own temporaries.
const QStringList kAlheios = {"TMP1.REC", "TMP2.REC", "A_2.REC.part", "A_2.REC.old", ".A_2.REC.AbCdEf.tmp"};

class Pipeline : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
    bool existe(const QString& name) const { return QFile::exists(path(name)); }
    // Every name in the folder, hidden ones included.
    QStringList arquivos() const
    {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    // The foreign files but `exceto` (a name the test itself uses).
    QStringList alheios(const QString& exceto = {}) const
    {
        QStringList a = kAlheios;
        a.removeAll(exceto);
        return a;
    }
    void deixaAlheios(const QString& exceto = {})
    {
        for (const QString& n : alheios(exceto))
            grava(path(n), "not the program's: " + n.toUtf8());
    }
    // The foreign files are there, unchanged, and nothing else but `nossos`.
    void confereSoAlheiosE(const QStringList& nossos, const QString& exceto = {})
    {
        QStringList esperados = alheios(exceto) + nossos;
        esperados.sort();
        EXPECT_EQ(arquivos(), esperados);
        for (const QString& n : alheios(exceto))
            EXPECT_EQ(le(path(n)), "not the program's: " + n.toUtf8()) << n.toStdString();
    }
};

TEST_F(Pipeline, DraftRoundTripGivesBackTheSavedLinesAndTrimsOnlyTrailingBlankLines)
{
    deixaAlheios();
    std::vector<Texto> linhas = {"00HEADER", "", "01DETALHE \xC7", "990000000003TRAILER", "", "   ", "\t"};
    ASSERT_EQ(CompactaArquivo(linhas, dir.path(), QStringLiteral("PX_1_2.REC"), true), EmpacotamentoOk);
    EXPECT_EQ(linhas.size(), 4u);  // the list itself loses the blank tail
    confereSoAlheiosE({"PX_1_2.REC"});

    std::vector<Texto> lidas;
    ASSERT_EQ(DescompactaArquivo(path(QStringLiteral("PX_1_2.REC")), true, lidas), EmpacotamentoOk);
    // The blank line inside was compressed but is not read back: blank
    // lines hold no record and are never stored.
    EXPECT_EQ(lidas, (std::vector<Texto>{"00HEADER", "01DETALHE \xC7", "990000000003TRAILER"}));
    confereSoAlheiosE({"PX_1_2.REC"});
}

TEST_F(Pipeline, AnswerIsSealedForTheCentralAndHasTheEnvelopeSize)
{
    std::vector<Texto> linhas(300, Texto(272, '7'));
    ASSERT_EQ(CompactaArquivo(linhas, dir.path(), QStringLiteral("ANSWER_2.REC"), false), EmpacotamentoOk);
    EXPECT_EQ(arquivos(), QStringList{"ANSWER_2.REC"});

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
        test::chaveDemo<PrivateKeyRecord>("central.private"), test::chaveDemo<PublicKeyRecord>("own.public"));
    ASSERT_EQ(r.resultado, CentralOk) << r.codigoEnvelope;
    EXPECT_EQ(le(lido), QByteArray::fromStdString(texto));
}

// A received file may carry any name, the packing's old temporary names too.
class Recebido : public Pipeline, public ::testing::WithParamInterface<const char*> {};

TEST_P(Recebido, OpensAndExpandsLeavingOnlyWhatWasThere)
{
    const QString nome = QString::fromUtf8(GetParam());
    deixaAlheios(nome);
    const QString plain = path(QStringLiteral("plain.txt"));
    grava(plain, "00ABC\r\n99XYZ\r\n");
    const QString recebido = path(nome);
    ASSERT_EQ(preparaArquivoRecebido(plain, recebido, test::chaveDemo<PrivateKeyRecord>("central.private"),
                                     test::chaveDemo<PublicKeyRecord>("own.public")).resultado, CentralOk);
    std::vector<Texto> linhas;
    ASSERT_EQ(DescompactaArquivo(recebido, false, linhas), EmpacotamentoOk);
    EXPECT_EQ(linhas, (std::vector<Texto>{"00ABC", "99XYZ"}));
    confereSoAlheiosE({"plain.txt", nome}, nome);
}

INSTANTIATE_TEST_SUITE_P(Nomes, Recebido,
                         ::testing::Values("PX_00001_0001_2401010000_1.rec", "TMP1.REC", "TMP2.REC"));

TEST_F(Pipeline, AReceivedNameAtTheLengthLimitStillOpens)
{
    const QString plain = path(QStringLiteral("plain.txt"));
    grava(plain, "00ABC\r\n");
    const QString nome = QString(255 - 6, QLatin1Char('x')) + QStringLiteral("_1.rec");
    const QString recebido = path(nome);
    ASSERT_EQ(preparaArquivoRecebido(plain, recebido, test::chaveDemo<PrivateKeyRecord>("central.private"),
                                     test::chaveDemo<PublicKeyRecord>("own.public")).resultado, CentralOk);
    std::vector<Texto> linhas;
    ASSERT_EQ(DescompactaArquivo(recebido, false, linhas), EmpacotamentoOk);
    EXPECT_EQ(linhas, std::vector<Texto>{"00ABC"});
    EXPECT_EQ(arquivos(), (QStringList{"plain.txt", nome}));
}

TEST_F(Pipeline, AnAnswerNameAtTheLengthLimitIsSavedUnderThatName)
{
    const QString nome = QString(255 - 6, QLatin1Char('y')) + QStringLiteral("_2.REC");
    std::vector<Texto> linhas = {"00X"};
    ASSERT_EQ(CompactaArquivo(linhas, dir.path(), nome, false), EmpacotamentoOk);
    EXPECT_EQ(arquivos(), QStringList{nome});
}

TEST_F(Pipeline, ReceivedFileWithoutAnyZeroByteGivesEnvelopeFailureAndLeavesNoTemporary)
{
    deixaAlheios();
    grava(path(QStringLiteral("x_1.rec")), QByteArray(100, 'A'));
    std::vector<Texto> linhas = {"stale"};
    EXPECT_EQ(DescompactaArquivo(path(QStringLiteral("x_1.rec")), false, linhas), FalhaEnvelope);
    EXPECT_TRUE(linhas.empty());
    confereSoAlheiosE({"x_1.rec"});
}

TEST_F(Pipeline, BadSignatureGivesEnvelopeFailureAndTheDecryptedStreamGoes)
{
    // Sealed for the program but signed by a key that is not the central's:
    // its decrypted stream is unverified and never stays on disk.
    const QString plain = path(QStringLiteral("plain.txt"));
    grava(plain, QByteArray(500, 'z'));
    const QString recebido = path(QStringLiteral("forged_1.rec"));
    ASSERT_EQ(preparaArquivoRecebido(plain, recebido, test::chaveDemo<PrivateKeyRecord>("own.private"),
                                     test::chaveDemo<PublicKeyRecord>("own.public")).resultado, CentralOk);
    std::vector<Texto> linhas;
    EXPECT_EQ(DescompactaArquivo(recebido, false, linhas), FalhaEnvelope);
    EXPECT_EQ(arquivos(), (QStringList{"forged_1.rec", "plain.txt"}));
}

// What a draft or a received file may expand to, opened as the window opens
// it: blank lines are never stored, and a text with more non-blank lines
// than any recharge file is out of pattern and gives none; a draft
// expanding past what any recharge text weighs stops there as an
// expansion failure; no temporary stays either way.
struct CasoExpandido {
    const char* nome;
    bool rascunho;
    std::size_t naoBrancas;  // non-blank lines, header and trailer included, each detail followed by a blank one
    std::uint8_t repetido;   // when naoBrancas is 0: 64 MiB of this byte (a crafted stream)
    int esperado;
};

class TextoExpandido : public Pipeline, public ::testing::WithParamInterface<CasoExpandido> {};

TEST_P(TextoExpandido, KeepsOnlyNonBlankLinesUpToTheLimit)
{
    const CasoExpandido& c = GetParam();
    deixaAlheios();
    const QString nome = c.rascunho ? QStringLiteral("PX_00123_0007_2603091405_2.REC")
                                    : QStringLiteral("PX_00123_0007_2603091405_1.rec");
    if (c.naoBrancas == 0) {
        const std::vector<std::uint8_t> fluxo = test::fluxoRepetido(c.repetido, lzw::kMaxExpandedSize);
        grava(path(nome), QByteArray(reinterpret_cast<const char*>(fluxo.data()), qsizetype(fluxo.size())));
    } else {
        std::vector<Texto> texto = {"00H"};
        for (std::size_t i = 0; i + 2 < c.naoBrancas; ++i) {
            texto.push_back("01" + std::to_string(i));
            texto.push_back("   ");
        }
        texto.push_back(test::trailerLinha(int(c.naoBrancas), 0, 0, 0, 0));
        if (c.rascunho) {
            ASSERT_EQ(CompactaArquivo(texto, dir.path(), nome, true), EmpacotamentoOk);
        } else {
            salvaLinhas(texto, path(QStringLiteral("plain.txt")));
            ASSERT_EQ(preparaArquivoRecebido(path(QStringLiteral("plain.txt")), path(nome),
                                             test::chaveDemo<PrivateKeyRecord>("central.private"),
                                             test::chaveDemo<PublicKeyRecord>("own.public")).resultado,
                      CentralOk);
            ASSERT_TRUE(QFile::remove(path(QStringLiteral("plain.txt"))));
        }
    }
    std::vector<Texto> linhas = {"stale"};
    EXPECT_EQ(DescompactaArquivo(path(nome), c.rascunho, linhas), c.esperado);
    if (c.esperado == EmpacotamentoOk) {
        ASSERT_EQ(linhas.size(), c.naoBrancas);
        EXPECT_EQ(linhas[2], "011");
        EXPECT_TRUE(linhas.back().starts_with("99"));
    } else {
        EXPECT_TRUE(linhas.empty());
    }
    confereSoAlheiosE({nome});
}

INSTANTIATE_TEST_SUITE_P(
    Pipeline, TextoExpandido,
    ::testing::Values(
        CasoExpandido{"DraftOf64MiBOfLineBreaks", true, 0, '\n', FalhaCompressao},
        CasoExpandido{"DraftOf64MiBOfCarriageReturns", true, 0, '\r', FalhaCompressao},
        CasoExpandido{"DraftOfOne64MiBLineOfBlanks", true, 0, ' ', FalhaCompressao},
        CasoExpandido{"DraftAtTheLimit", true, kMaisLinhasTexto, 0, EmpacotamentoOk},
        CasoExpandido{"DraftOneLineOver", true, kMaisLinhasTexto + 1, 0, ForaDoPadrao},
        CasoExpandido{"ReceivedAtTheLimit", false, kMaisLinhasTexto, 0, EmpacotamentoOk},
        CasoExpandido{"ReceivedOneLineOver", false, kMaisLinhasTexto + 1, 0, ForaDoPadrao}),
    [](const auto& info) { return std::string(info.param.nome); });

// A draft's expansion is bounded by the largest text the program writes:
// 10,049 lines of 275 characters and CR LF. Exactly that expands; one byte
// more stops as an expansion failure.
TEST_F(Pipeline, DraftExpandsToTheLargestRecargaTextAndNoByteMore)
{
    for (const std::size_t extra : {std::size_t(0), std::size_t(1)}) {
        std::string texto = "00" + std::string(273 + extra, 'H') + "\r\n";
        for (std::size_t i = 2; i < kMaisLinhasTexto; ++i)
            texto += "01" + std::string(273, char('A' + i % 26)) + "\r\n";
        const Texto trailer = test::trailerLinha(int(kMaisLinhasTexto), 0, 0, 0, 0);
        texto += trailer + std::string(275 - trailer.size(), '0') + "\r\n";
        ASSERT_EQ(texto.size(), kMaiorTextoRecarga + extra);
        const auto fluxo = lzw::compress(std::span(reinterpret_cast<const std::uint8_t*>(texto.data()), texto.size()));
        grava(path(QStringLiteral("PX_1_2.REC")), QByteArray(reinterpret_cast<const char*>(fluxo.data()), qsizetype(fluxo.size())));
        std::vector<Texto> linhas;
        Completude completude;
        EXPECT_EQ(DescompactaArquivo(path(QStringLiteral("PX_1_2.REC")), true, linhas, completude),
                  extra == 0 ? EmpacotamentoOk : FalhaCompressao) << extra;
        EXPECT_EQ(linhas.size(), extra == 0 ? kMaisLinhasTexto : 0u);
        EXPECT_EQ(arquivos(), QStringList{"PX_1_2.REC"});
    }
}

// A text cut short, as a draft (refused: nothing of it is given) and as a
// received file (its envelope vouches for it: given, with what it lacks).
struct CasoIncompleto {
    const char* nome;
    std::vector<Texto> (*texto)();
    const char* linhaLog;
};

class TextoIncompleto : public Pipeline, public ::testing::WithParamInterface<CasoIncompleto> {
protected:
    // The text as bytes, each line followed by CR LF.
    static std::string bytes(const std::vector<Texto>& linhas) { return juntaLinhas(linhas); }
};

TEST_P(TextoIncompleto, DraftIsRefusedAndAReceivedFileOnlySaysWhatItLacks)
{
    const CasoIncompleto& c = GetParam();
    deixaAlheios();
    const std::string texto = bytes(c.texto());
    const auto fluxo = lzw::compress(std::span(reinterpret_cast<const std::uint8_t*>(texto.data()), texto.size()));
    const QString rascunho = QStringLiteral("PX_00123_0007_2603091405_2.REC");
    grava(path(rascunho), QByteArray(reinterpret_cast<const char*>(fluxo.data()), qsizetype(fluxo.size())));
    std::vector<Texto> linhas = {"stale"};
    Completude completude;
    EXPECT_EQ(DescompactaArquivo(path(rascunho), true, linhas, completude), Incompleto);
    EXPECT_TRUE(linhas.empty());
    EXPECT_EQ(completude.linhaLog(), QString::fromUtf8(c.linhaLog));
    confereSoAlheiosE({rascunho});

    const QString recebido = QStringLiteral("PX_00123_0007_2603091405_1.rec");
    grava(path(QStringLiteral("plain.txt")), QByteArray::fromStdString(texto));
    ASSERT_EQ(preparaArquivoRecebido(path(QStringLiteral("plain.txt")), path(recebido),
                                     test::chaveDemo<PrivateKeyRecord>("central.private"),
                                     test::chaveDemo<PublicKeyRecord>("own.public")).resultado,
              CentralOk);
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("plain.txt"))));
    EXPECT_EQ(DescompactaArquivo(path(recebido), false, linhas, completude), EmpacotamentoOk);
    EXPECT_EQ(linhas, c.texto());
    EXPECT_EQ(completude.linhaLog(), QString::fromUtf8(c.linhaLog));
}

std::vector<Texto> cortadoNumFimDeLinha()
{
    auto l = test::arquivoExemplo();
    l.resize(6);
    return l;
}
std::vector<Texto> semTrailer()
{
    auto l = test::arquivoExemplo();
    l.pop_back();
    return l;
}
std::vector<Texto> contagemErrada()
{
    auto l = test::arquivoExemplo();
    l.erase(l.begin() + 7);
    return l;
}
std::vector<Texto> soHeader() { return {test::headerLinha()}; }
std::vector<Texto> vazio() { return {}; }

INSTANTIATE_TEST_SUITE_P(
    Pipeline, TextoIncompleto,
    ::testing::Values(CasoIncompleto{"CutAtALineEnd", cortadoNumFimDeLinha, " ==> Arquivo incompleto: sem Trailer "},
                      CasoIncompleto{"NoTrailer", semTrailer, " ==> Arquivo incompleto: sem Trailer "},
                      CasoIncompleto{"WrongCount", contagemErrada,
                                     " ==> Arquivo incompleto: o Trailer informa 9 registros e foram lidos 8 "},
                      CasoIncompleto{"HeaderOnly", soHeader, " ==> Arquivo incompleto: sem Trailer "},
                      CasoIncompleto{"Empty", vazio, " ==> Arquivo incompleto: sem Header "}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Pipeline, DraftOfNulBytesIsIncompleteWithoutAHeader)
{
    const std::string texto(4096, '\0');
    const auto fluxo = lzw::compress(std::span(reinterpret_cast<const std::uint8_t*>(texto.data()), texto.size()));
    grava(path(QStringLiteral("PX_1_2.REC")), QByteArray(reinterpret_cast<const char*>(fluxo.data()), qsizetype(fluxo.size())));
    std::vector<Texto> linhas;
    Completude completude;
    EXPECT_EQ(DescompactaArquivo(path(QStringLiteral("PX_1_2.REC")), true, linhas, completude), Incompleto);
    EXPECT_EQ(completude.falta, Completude::Falta::Header);
}

// The central's expander rebuilds strings of at most 4000 bytes; the
// largest recharge text, the demonstration file of 10,000 holders,
// compresses to strings far below that.
TEST(Compressao, TheLongestStringOfATenThousandHolderTextStaysUnderTheExpandersLimit)
{
    ModeloRecarga m;
    DemoOptions opcoes;
    opcoes.holders = kRecargas;
    const QDateTime quando(QDate(2026, 3, 9), QTime(14, 5));
    geraModeloDemo(m, opcoes, quando);
    const ResultadoEscrita escrita = EscritorRecarga(m).gera("PX_00123_0007_2603091405_1.rec", quando, quando);
    ASSERT_TRUE(escrita.ok());
    const std::string texto = juntaLinhas(escrita.linhas);
    const auto fluxo = lzw::compress(std::span(reinterpret_cast<const std::uint8_t*>(texto.data()), texto.size()));
    const std::size_t maisLonga = lzw::longestString(fluxo);
    EXPECT_GT(maisLonga, 1u);
    EXPECT_LT(maisLonga, lzw::kDecodeStackSize);
    std::cout << "[          ] " << texto.size() << " bytes of text, longest string " << maisLonga << " bytes\n";
}

TEST_F(Pipeline, ExpansionFailureGivesCompressionFailureAndTheProcessLives)
{
    // First code 0x1234 names a string that was never defined.
    grava(path(QStringLiteral("draft_2.REC")), QByteArray::fromHex("1234FFFF0000"));
    std::vector<Texto> linhas;
    EXPECT_EQ(DescompactaArquivo(path(QStringLiteral("draft_2.REC")), true, linhas), FalhaCompressao);
    EXPECT_EQ(arquivos(), QStringList{"draft_2.REC"});
}

TEST_F(Pipeline, FailedSealLeavesNoFileUnderTheFinalNameAndKeepsAnOlderOne)
{
    deixaAlheios();
    grava(path(QStringLiteral("A_2.REC")), "older answer");
    ChavesEnvelope ruins = ChavesEnvelope::embutidas();
    ruins.centralPublica[0] = 0xFF;  // 0x?FF bits: more than the envelope accepts
    ruins.centralPublica[1] = 0x7F;
    std::vector<Texto> linhas = {"00X"};
    EXPECT_EQ(CompactaArquivo(linhas, dir.path(), QStringLiteral("A_2.REC"), false, ruins), FalhaEnvelope);
    EXPECT_EQ(le(path(QStringLiteral("A_2.REC"))), QByteArray("older answer"));
    confereSoAlheiosE({"A_2.REC"});
}

TEST_F(Pipeline, UncreatableTemporaryThrowsNamingThePath)
{
    std::vector<Texto> linhas = {"00X"};
    const QString missing = path(QStringLiteral("no/such/folder"));
    try {
        CompactaArquivo(linhas, missing, QStringLiteral("A_2.REC"), true);
        FAIL() << "expected ErroArquivo";
    } catch (const ErroArquivo& e) {
        EXPECT_NE(std::string(e.what()).find("A_2.REC"), std::string::npos) << e.what();
    }
}

TEST_F(Pipeline, AFolderUnderTheFinalNameIsRefusedAsAFileNotAsACoderFailure)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("A_2.REC")));
    for (const bool rascunho : {true, false}) {
        std::vector<Texto> linhas = {"00X"};
        try {
            CompactaArquivo(linhas, dir.path(), QStringLiteral("A_2.REC"), rascunho);
            ADD_FAILURE() << "expected ErroArquivo";
        } catch (const ErroArquivo& e) {
            EXPECT_NE(std::string(e.what()).find("is not a regular file"), std::string::npos) << e.what();
        }
        EXPECT_TRUE(QFileInfo(path(QStringLiteral("A_2.REC"))).isDir());
        EXPECT_EQ(arquivos(), QStringList{});
    }
}

// What is read must be a regular file: anything else is refused before a
// temporary is made, naming it.
class EntradaRecusada : public Pipeline, public ::testing::WithParamInterface<bool> {};

TEST_P(EntradaRecusada, AFolderOrAFifoIsNotARegularFile)
{
    const QString alvo = path(QStringLiteral("r_1.rec"));
    if (GetParam())
        ASSERT_TRUE(QDir().mkdir(alvo));
    else
        ASSERT_EQ(::mkfifo(QFile::encodeName(alvo).constData(), 0600), 0);
    std::vector<Texto> linhas;
    try {
        DescompactaArquivo(alvo, false, linhas);
        FAIL() << "expected ErroArquivo";
    } catch (const ErroArquivo& e) {
        EXPECT_NE(std::string(e.what()).find("is not a regular file"), std::string::npos) << e.what();
    }
    EXPECT_EQ(arquivos(), GetParam() ? QStringList{} : QStringList{"r_1.rec"});
}

INSTANTIATE_TEST_SUITE_P(Naturezas, EntradaRecusada, ::testing::Bool());

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

// A plain recharge text as the command line reads it: the lines the
// processing gets from an opened file, blank ones left out, no more than a
// recharge file holds, and only when whole.
TEST(LeTextoRecarga, LeavesOutBlankLinesAndRefusesMoreThanARecargaFileHolds)
{
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("t.txt"));
    grava(p, "00A\r\n\r\n   \r\n01B\r990000000003C");
    std::vector<Texto> linhas = {"stale"};
    QString erro;
    ASSERT_TRUE(leTextoRecarga(p, linhas, &erro)) << erro.toStdString();
    EXPECT_EQ(linhas, (std::vector<Texto>{"00A", "01B", "990000000003C"}));

    // Only a whole text: cut before its trailer, it gives nothing.
    grava(p, "00A\r\n\r\n   \r\n01B\r\n");
    EXPECT_FALSE(leTextoRecarga(p, linhas, &erro));
    EXPECT_TRUE(linhas.empty());
    EXPECT_EQ(erro, QStringLiteral("\"%1\" is incomplete: no trailer").arg(QDir::toNativeSeparators(p)));

    QByteArray longo;
    for (std::size_t i = 0; i <= kMaisLinhasTexto; ++i)
        longo += "01" + QByteArray::number(qulonglong(i)) + "\r\n\r\n";
    grava(p, longo);
    EXPECT_FALSE(leTextoRecarga(p, linhas, &erro));
    EXPECT_TRUE(linhas.empty());
    EXPECT_EQ(erro, QStringLiteral("\"%1\" is out of the recharge text's pattern: more than 10049 non-blank lines")
                        .arg(QDir::toNativeSeparators(p)));
    EXPECT_FALSE(leTextoRecarga(dir.filePath(QStringLiteral("missing")), linhas, &erro));
    EXPECT_TRUE(erro.endsWith(QStringLiteral("does not exist"))) << erro.toStdString();
}

TEST(LeLinhas, AMissingFolderOrUnreadableFileIsAnErrorNotAnEmptyText)
{
    QTemporaryDir dir;
    std::vector<Texto> linhas = {"stale"};
    QString erro;
    EXPECT_FALSE(leLinhas(dir.filePath(QStringLiteral("missing")), linhas, &erro));
    EXPECT_TRUE(linhas.empty());
    EXPECT_TRUE(erro.endsWith(QStringLiteral("does not exist"))) << erro.toStdString();
    EXPECT_FALSE(leLinhas(dir.path(), linhas, &erro));
    EXPECT_TRUE(erro.endsWith(QStringLiteral("is not a regular file"))) << erro.toStdString();
}

}  // namespace
}  // namespace pluvexa
