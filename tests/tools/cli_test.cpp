// pluvexa-cli end to end: the program run as support staff would run it.

#include "clirun.h"
#include "codec/builtinkeys.h"
#include "recharge/cp1252.h"
#include "recharge/empacotamento.h"
#include "recharge/linhastexto.h"
#include "recharge/listagem.h"
#include "recharge/processamento.h"
#include "support/arquivosteste.h"
#include "support/pdftext.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using test::Execucao;
using test::executa;

QList<QByteArray> linhas(const QString& path)
{
    EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
    return test::le(path).split('\n');
}

class Cli : public ::testing::Test {
protected:
    test::TemporaryHome home;  // the demo's received folder lives below HOME
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
};

TEST_F(Cli, DemoWritesAReceivedFileThatCheckFindsConsistent)
{
    const Execucao demo = executa({QStringLiteral("demo"), QStringLiteral("--holders"), QStringLiteral("40")});
    ASSERT_EQ(demo.codigo, 0) << demo.erros.toStdString();
    const QString recebido = demo.saida.trimmed().split('\n').last();
    EXPECT_TRUE(recebido.startsWith(QDir::toNativeSeparators(home.path() + "/Drovanti/Pluvexa/Recebidos/PX_00123_0007_")))
        << recebido.toStdString();
    EXPECT_TRUE(recebido.endsWith(QStringLiteral("_1.rec")));

    const Execucao check = executa({QStringLiteral("check"), recebido});
    EXPECT_EQ(check.codigo, 0) << check.erros.toStdString();
    for (const char* esperado : {"Arquivo Descriptografado com Sucesso", "Header      ==> OK ",
                                 "Eventos     ==> OK ", "Empresa : 123 - TRANSPORTADORA MODELO",
                                 "Holders: 40", "Card types: 2"})
        EXPECT_TRUE(check.saida.contains(QString::fromUtf8(esperado))) << esperado << "\n" << check.saida.toStdString();
    // Nothing is left beside the file.
    EXPECT_FALSE(QFile::exists(QFileInfo(recebido).absolutePath() + "/TMP1.REC"));
}

TEST_F(Cli, RewriteRefusesInconsistentTextAndWritesNothing)
{
    const QString plain = path(QStringLiteral("plain.txt"));
    // Whole (a header first, a trailer counting 3 last), with a card type
    // of the wrong length.
    ASSERT_NO_FATAL_FAILURE(test::grava(plain, "00X\r\n0400SHORT CARD TYPE RECORD\r\n990000000003\r\n"));
    const QString out = path(QStringLiteral("out.txt"));
    const Execucao e = executa({QStringLiteral("rewrite"), plain, out});
    EXPECT_EQ(e.codigo, 1);
    EXPECT_TRUE(e.erros.contains(QStringLiteral("Tipo Cartão ==> Consistencia Inválida"))) << e.erros.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(Cli, RewriteOfItsOwnOutputDiffersOnlyInTheHeaderDatesTimesAndName)
{
    const QString fixture = QStringLiteral(PLUVEXA_TEST_DATA "/cli/recebido.txt");
    ASSERT_TRUE(QFile::exists(fixture));
    const QString a = path(QStringLiteral("a.txt"));
    const QString b = path(QStringLiteral("b_other_name.txt"));
    ASSERT_EQ(executa({QStringLiteral("rewrite"), fixture, a}).codigo, 0);
    ASSERT_EQ(executa({QStringLiteral("rewrite"), a, b}).codigo, 0);
    const QList<QByteArray> la = linhas(a), lb = linhas(b);
    ASSERT_EQ(la.size(), lb.size());
    ASSERT_GT(la.size(), 3);
    // Header: dates and times (positions 62-85) and the file name (87-151) differ.
    const QByteArray ha = la[0], hb = lb[0];
    EXPECT_EQ(ha.left(61), hb.left(61));
    EXPECT_EQ(ha.mid(85, 1), hb.mid(85, 1));
    EXPECT_TRUE(ha.mid(86, 65).startsWith("a.txt"));
    EXPECT_TRUE(hb.mid(86, 65).startsWith("b_other_name.txt"));
    EXPECT_EQ(ha.mid(151), hb.mid(151));
    for (int i = 1; i < la.size(); ++i)
        EXPECT_EQ(la[i], lb[i]) << "line " << i;
    EXPECT_TRUE(la[1].endsWith('\r'));  // CR LF line ends

    const Execucao check = executa({QStringLiteral("check"), QStringLiteral("--plain"), b});
    EXPECT_EQ(check.codigo, 0) << check.saida.toStdString();
}

TEST_F(Cli, MakeReceivedThenCheckAndSealOpenWithKeygenKeys)
{
    const QString fixture = QStringLiteral(PLUVEXA_TEST_DATA "/cli/recebido.txt");
    const QString recebido = path(QStringLiteral("PX_00123_0007_2412091530_1.rec"));
    ASSERT_EQ(executa({QStringLiteral("central"), QStringLiteral("make-received"), fixture, recebido}).codigo, 0);
    const Execucao check = executa({QStringLiteral("check"), recebido});
    EXPECT_EQ(check.codigo, 0) << check.saida.toStdString() << check.erros.toStdString();

    // Keys from keygen seal and open; the wrong sender key is a signature error.
    const QString a = path("a.priv"), ap = path("a.pub"), b = path("b.priv"), bp = path("b.pub");
    ASSERT_EQ(executa({QStringLiteral("keygen"), a, ap}).codigo, 0);
    ASSERT_EQ(executa({QStringLiteral("keygen"), b, bp, QStringLiteral("--bits"), QStringLiteral("768")}).codigo, 0);
    EXPECT_EQ(QFileInfo(a).size(), 706);
    // A private key is for its owner's eyes only.
    EXPECT_EQ(QFileInfo(a).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
    EXPECT_EQ(QFileInfo(bp).size(), 258);
    const QString sealed = path("sealed"), opened = path("opened");
    ASSERT_EQ(executa({QStringLiteral("seal"), QStringLiteral("--signer"), a, QStringLiteral("--recipient"), bp,
                       QStringLiteral("--cipher"), QStringLiteral("3"), fixture, sealed}).codigo, 0);
    ASSERT_EQ(executa({QStringLiteral("open"), QStringLiteral("--key"), b, QStringLiteral("--sender"), ap,
                       sealed, opened}).codigo, 0);
    EXPECT_EQ(linhas(opened), linhas(fixture));
    // Content stored in plain and changed after sealing: the signature no
    // longer matches, and the code says so.
    const QString plano = path("plain-sealed");
    ASSERT_EQ(executa({QStringLiteral("seal"), QStringLiteral("--signer"), a, QStringLiteral("--recipient"), bp,
                       QStringLiteral("--cipher"), QStringLiteral("0"), fixture, plano}).codigo, 0);
    {
        QFile f(plano);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(40);  // inside the content, after the 27-byte header
        f.write("#");
    }
    const QString naoVerificado = path("unverified");
    const Execucao errado = executa({QStringLiteral("open"), QStringLiteral("--key"), b, QStringLiteral("--sender"),
                                     ap, plano, naoVerificado});
    // Bytes whose signature failed never stand under the name asked for.
    EXPECT_FALSE(QFile::exists(naoVerificado));
    EXPECT_EQ(QDir(dir.path()).entryList({".*.tmp"}, QDir::Files | QDir::Hidden), QStringList{});
    EXPECT_EQ(errado.codigo, 1);
    EXPECT_TRUE(errado.erros.contains(QStringLiteral("error 1035"))) << errado.erros.toStdString();
}

TEST_F(Cli, CompressExpandRoundTrip)
{
    const QString fixture = QStringLiteral(PLUVEXA_TEST_DATA "/cli/recebido.txt");
    ASSERT_EQ(executa({QStringLiteral("compress"), fixture, path("c")}).codigo, 0);
    ASSERT_EQ(executa({QStringLiteral("expand"), path("c"), path("e")}).codigo, 0);
    EXPECT_EQ(linhas(path("e")), linhas(fixture));
    const Execucao falha = executa({QStringLiteral("expand"), path("missing"), path("e2")});
    EXPECT_EQ(falha.codigo, 1);
    EXPECT_FALSE(falha.erros.isEmpty());
}

TEST_F(Cli, ListingTextIsTheBodyTheWindowWouldPrint)
{
    const QString fixture = QStringLiteral(PLUVEXA_TEST_DATA "/cli/recebido.txt");
    const Execucao e = executa({QStringLiteral("listing"), QStringLiteral("--plain"), fixture});
    ASSERT_EQ(e.codigo, 0) << e.erros.toStdString();
    // The log goes to standard error, only the body to standard output.
    EXPECT_TRUE(e.erros.contains(QStringLiteral("Header      ==> OK "))) << e.erros.toStdString();

    ModeloRecarga m;
    QStringList log;
    ASSERT_TRUE(ProcessadorRecarga(m).processa(carregaLinhas(fixture), log).consistente());
    QStringList esperado;
    for (const Texto& l : compoeLinhas(m, preparaListagem(m)))
        esperado.append(deCp1252(l));
    QStringList saida = e.saida.split(QLatin1Char('\n'));
    ASSERT_EQ(saida.takeLast(), QString());
    EXPECT_EQ(saida, esperado);
    EXPECT_TRUE(saida.first().startsWith(QStringLiteral("Tipo Cartão : 1  - VALE-TRANSPORTE EM DINHEIRO")))
        << saida.first().toStdString();
    EXPECT_TRUE(saida.at(saida.size() - 2).startsWith(QStringLiteral("Total Geral :")));
}

TEST_F(Cli, ListingOfADemoFileAsPdfWithoutADisplay)
{
    const Execucao demo = executa({QStringLiteral("demo"), QStringLiteral("--holders"), QStringLiteral("60")});
    ASSERT_EQ(demo.codigo, 0) << demo.erros.toStdString();
    const QString recebido = demo.saida.trimmed().split('\n').last();

    const Execucao texto = executa({QStringLiteral("listing"), recebido});
    ASSERT_EQ(texto.codigo, 0) << texto.erros.toStdString();
    EXPECT_TRUE(texto.saida.contains(QStringLiteral("Sub-Total :")));

    const QString pdf = path(QStringLiteral("listagem.pdf"));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(v));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(PLUVEXA_CLI), {QStringLiteral("listing"), recebido, QStringLiteral("--pdf"), pdf});
    ASSERT_TRUE(p.waitForFinished(120000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
    const std::optional<QString> lido = test::textoDoPdf(pdf);
    if (!lido)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    EXPECT_TRUE(lido->contains(QStringLiteral("Listagem de Cartões a Recarregar")));
    EXPECT_TRUE(lido->contains(QStringLiteral("Arquivo : ") + recebido)) << lido->left(800).toStdString();
    EXPECT_TRUE(lido->contains(QStringLiteral("Total Geral :")));
}

TEST_F(Cli, ListingOfInconsistentRecordsListsNothing)
{
    const QString plain = path(QStringLiteral("plain.txt"));
    // Whole, but a card type of the wrong length.
    ASSERT_NO_FATAL_FAILURE(test::grava(plain, "00X\r\n0400SHORT CARD TYPE RECORD\r\n990000000003\r\n"));
    const QString pdf = path(QStringLiteral("out.pdf"));
    for (const QStringList& modo : {QStringList{}, QStringList{QStringLiteral("--pdf"), pdf}}) {
        const Execucao e = executa(QStringList{QStringLiteral("listing"), QStringLiteral("--plain"), plain} + modo);
        EXPECT_EQ(e.codigo, 1);
        EXPECT_TRUE(e.saida.isEmpty()) << e.saida.toStdString();
        EXPECT_TRUE(e.erros.contains(QStringLiteral("no listing"))) << e.erros.toStdString();
    }
    EXPECT_FALSE(QFile::exists(pdf));
}

// A recharge text with more non-blank lines than any recharge file holds,
// as each reading command meets it: plain, as a draft, sealed as a received
// file. Refused as out of pattern, exit 1, no record processed (check
// prints its log's opening lines first, as for any file).
struct TextoLongo {
    const char* nome;
    const char* preparo;  // "" for plain text, else the command that packs {T} into {X}
    const char* args;     // {X} the packed file (or {T}), {D} the folder
};

void PrintTo(const TextoLongo& t, std::ostream* os)
{
    *os << t.nome;
}

class ComandoTextoLongo : public Cli, public ::testing::WithParamInterface<TextoLongo> {
protected:
    QStringList monta(const char* modelo, const QString& texto, const QString& alvo) const
    {
        QStringList args = QString::fromLatin1(modelo).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (QString& a : args) {
            a.replace(QStringLiteral("{T}"), texto);
            a.replace(QStringLiteral("{X}"), alvo);
            a.replace(QStringLiteral("{D}"), dir.path());
        }
        return args;
    }
};

TEST_P(ComandoTextoLongo, IsOutOfPatternAndPrintsNothing)
{
    const TextoLongo& c = GetParam();
    const QString texto = path(QStringLiteral("longo.txt"));
    QByteArray longo;
    for (std::size_t i = 0; i <= kMaisLinhasTexto; ++i)
        longo += QByteArray("01") + QByteArray::number(qulonglong(i)) + "\r\n\r\n";
    ASSERT_NO_FATAL_FAILURE(test::grava(texto, longo));
    QString alvo = texto;
    if (*c.preparo) {
        alvo = path(QStringLiteral("longo.pacote"));
        const Execucao p = executa(monta(c.preparo, texto, alvo));
        ASSERT_EQ(p.codigo, 0) << p.erros.toStdString();
    }
    const Execucao e = executa(monta(c.args, texto, alvo));
    EXPECT_EQ(e.codigo, 1) << e.erros.toStdString();
    EXPECT_FALSE(e.saida.contains(QStringLiteral("==>"))) << e.saida.left(2000).toStdString();
    EXPECT_FALSE(e.saida.contains(QStringLiteral("Holders:"))) << e.saida.left(2000).toStdString();
    EXPECT_TRUE(e.erros.contains(QStringLiteral("is out of the recharge text's pattern: more than 10049 non-blank lines")))
        << e.erros.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cli, ComandoTextoLongo,
    ::testing::Values(TextoLongo{"check_plain", "", "check --plain {X}"},
                      TextoLongo{"check_draft", "compress {T} {X}", "check --draft {X}"},
                      TextoLongo{"check_received", "central make-received {T} {X}", "check {X}"},
                      TextoLongo{"listing_plain", "", "listing --plain {X}"},
                      TextoLongo{"rewrite", "", "rewrite {X} {D}/out.txt"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Cli, ExpandRefusesAStreamBeyondSixtyFourMebibytes)
{
    // One letter, then codes that each stand for the previous string plus
    // one letter (up to 4000 letters), then that longest string again and
    // again: 40 KB of stream for 80 MB of text.
    QByteArray stream;
    auto code = [&stream](int c) { stream.append(char(c >> 8)).append(char(c & 0xFF)); };
    code('a');
    for (int c = 256; c <= 4254; ++c)
        code(c);
    for (int i = 0; i < 18000; ++i)
        code(4254);
    code(0xFFFF);
    code(0);
    ASSERT_NO_FATAL_FAILURE(test::grava(path("big.lzw"), stream));
    const Execucao r = executa({QStringLiteral("expand"), path("big.lzw"), path("big.txt")});
    EXPECT_EQ(r.codigo, 1);
    EXPECT_EQ(r.erros, QStringLiteral("pluvexa-cli: %1 cannot be expanded: it would exceed 64 MiB\n").arg(path("big.lzw")));
    EXPECT_FALSE(QFile::exists(path("big.txt")));
}

struct UsoErrado {
    const char* nome;
    QStringList args;
};

class CliUsage : public ::testing::TestWithParam<UsoErrado> {};

TEST_P(CliUsage, ExitsWithTwo)
{
    const Execucao e = executa(GetParam().args);
    EXPECT_EQ(e.codigo, 2) << e.saida.toStdString() << e.erros.toStdString();
    EXPECT_FALSE(e.erros.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliUsage,
    ::testing::Values(UsoErrado{"NoCommand", {}},
                      UsoErrado{"UnknownCommand", {"frobnicate"}},
                      UsoErrado{"MissingArgument", {"compress", "only-one"}},
                      UsoErrado{"UnknownOption", {"check", "--bogus", "x"}},
                      UsoErrado{"DraftAndPlain", {"check", "--draft", "--plain", "x"}},
                      UsoErrado{"SealWithoutKeys", {"seal", "in", "out"}},
                      UsoErrado{"BadCipher", {"seal", "--signer", "a", "--recipient", "b", "--cipher", "7", "in", "out"}},
                      UsoErrado{"TooManyHolders", {"demo", "--holders", "10001"}},
                      UsoErrado{"BadBits", {"keygen", "a", "b", "--bits", "2048"}},
                      UsoErrado{"UnknownCentralAction", {"central", "sell", "a", "b"}},
                      UsoErrado{"ListingTextAndPdf", {"listing", "--text", "--pdf", "out.pdf", "x"}},
                      UsoErrado{"ListingWithoutFile", {"listing"}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(CliHelp, EveryCommandPrintsHelpAndExitsZero)
{
    for (const char* c : {"compress", "expand", "keygen", "seal", "open", "check", "rewrite", "central", "demo",
                          "listing", "import"}) {
        const Execucao e = executa({QString::fromLatin1(c), QStringLiteral("--help")});
        EXPECT_EQ(e.codigo, 0) << c;
        EXPECT_TRUE(e.saida.contains(QStringLiteral("Usage:"))) << c;
    }
    const Execucao v = executa({QStringLiteral("--version")});
    EXPECT_EQ(v.codigo, 0);
    EXPECT_TRUE(v.saida.contains(QStringLiteral("2.1.1.01C")));
    // Installed copies must say when they carry keys that protect nothing.
    EXPECT_EQ(v.saida.contains(QStringLiteral("demonstration keys")), builtin_keys_are_demonstration())
        << v.saida.toStdString();
}

}  // namespace
}  // namespace pluvexa
