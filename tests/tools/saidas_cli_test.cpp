// pluvexa-cli's streams and exit status as a script meets them: --quiet
// leaves out only the coder's progress, a reason follows what standard
// output printed before it, standard output that cannot be written is a
// failure, a reader that closes the pipe ends the program by SIGPIPE
// without a word, and a full disk names the file asked for.

#include "central/dadosdemo.h"
#include "clirun.h"
#include "support/arquivosteste.h"
#include "support/limitetamanho.h"
#include "support/loteguardado.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using test::Execucao;
using test::executa;

const QString kTexto = QStringLiteral(PLUVEXA_TEST_DATA "/cli/recebido.txt");
const QString kChaves = QStringLiteral(PLUVEXA_SOURCE_DIR "/keys/demo/");

// Both streams into one, as "2>&1" gives them.
QString juntos(const QStringList& args, const QString& programa)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programa, args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return QString::fromUtf8(p.readAll());
}

class Saidas : public ::testing::Test {
protected:
    QString path(const QString& nome) const { return dir.filePath(nome); }
    QStringList troca(const QStringList& args) const
    {
        QStringList a = args;
        for (QString& s : a)
            s.replace(QStringLiteral("{D}"), dir.path()).replace(QStringLiteral("{K}"), kChaves)
                .replace(QStringLiteral("{T}"), kTexto);
        return a;
    }
    void roda(const QStringList& args) const
    {
        const Execucao e = executa(troca(args));
        ASSERT_EQ(e.codigo, 0) << args.join(' ').toStdString() << e.erros.toStdString();
    }
    // A received file of `titulares` holders in the folder, and two kept
    // batches of as many in {D}/raiz/Historico.
    void prepara(int titulares)
    {
        const Execucao demo = executa({QStringLiteral("demo"), QStringLiteral("--folder"), dir.path(),
                                       QStringLiteral("--holders"), QString::number(titulares)});
        ASSERT_EQ(demo.codigo, 0) << demo.erros.toStdString();
        ASSERT_TRUE(QFile::rename(demo.saida.trimmed(), path(QStringLiteral("recebido.rec"))));
        ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("raiz/Historico"))));
        ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("raiz/Gerados"))));
        ModeloRecarga m;
        DemoOptions o;
        o.holders = titulares;
        geraModeloDemo(m, o, QDateTime(QDate(2026, 11, 1), QTime(9, 0)));
        for (const char* nome : {"PX_00123_0007_2611101530_2.HIS", "PX_00123_0008_2612101545_2.HIS"}) {
            ASSERT_NO_FATAL_FAILURE(test::grava(path(QStringLiteral("raiz/Historico/") + nome),
                                                test::loteGuardado(m, QString::fromLatin1(nome),
                                                                   QDateTime::currentDateTime())));
            m.wRecarga[0].Grupo[0].Valor += 1;
        }
    }

    test::TemporaryHome home;
    QTemporaryDir dir;
};

TEST_F(Saidas, QuietLeavesOutTheProgressAndNothingElse)
{
    for (const char* programa : {PLUVEXA_CLI, PLUVEXA_CLI_FULL}) {
        SCOPED_TRACE(programa);
        const QString cli = QString::fromUtf8(programa);
        const Execucao falando = executa({QStringLiteral("compress"), kTexto, path("a.lzw")}, cli);
        ASSERT_EQ(falando.codigo, 0);
        EXPECT_TRUE(falando.saida.startsWith(QStringLiteral("Compressing...\n*"))) << falando.saida.toStdString();
        const Execucao calado = executa({QStringLiteral("compress"), QStringLiteral("--quiet"), kTexto, path("b.lzw")}, cli);
        EXPECT_EQ(calado.codigo, 0);
        EXPECT_EQ(calado.saida, QString());
        EXPECT_EQ(calado.erros, QString());
        EXPECT_EQ(test::le(path("a.lzw")), test::le(path("b.lzw")));

        // A code that no string was given: the coder's fatal error stays on
        // standard output, the reason follows it on standard error, in
        // that order when both go to one file.
        ASSERT_NO_FATAL_FAILURE(test::grava(path("mau.lzw"), QByteArray("\x00\x41\x05\x00\xff\xff\x00\x00", 8)));
        const QString razao = QStringLiteral("pluvexa-cli: expansion of \"%1\" failed: the stream holds a code that "
                                             "does not exist\n")
                                  .arg(path("mau.lzw"));
        EXPECT_EQ(juntos({QStringLiteral("expand"), path("mau.lzw"), path("x")}, cli),
                  QStringLiteral("Expanding...\nFatal error during code expansion.\n") + razao);
        EXPECT_EQ(juntos({QStringLiteral("expand"), QStringLiteral("--quiet"), path("mau.lzw"), path("x")}, cli),
                  QStringLiteral("Fatal error during code expansion.\n") + razao);
        EXPECT_FALSE(QFile::exists(path("x")));
    }
    // Every command takes it; the processing log is no progress.
    ASSERT_NO_FATAL_FAILURE(prepara(5));
    const Execucao check = executa({QStringLiteral("check"), QStringLiteral("--quiet"), path("recebido.rec")});
    EXPECT_EQ(check.codigo, 0) << check.erros.toStdString();
    EXPECT_TRUE(check.saida.contains(QStringLiteral("Eventos     ==> OK \n"))) << check.saida.toStdString();
}

// Each command that prints on standard output, and whether what it prints
// for the prepared files (3,000 holders) is far more than a pipe holds.
struct ComSaida {
    const char* nome;
    QStringList args;
    bool muito;
};

void PrintTo(const ComSaida& c, std::ostream* os) { *os << c.nome; }

const ComSaida kComSaida[] = {
    {"check", {"check", "{D}/recebido.rec"}, false},
    {"listing", {"listing", "{D}/recebido.rec"}, true},
    {"review", {"review", "{D}/recebido.rec", "--limit", "1"}, true},
    {"history", {"history", "--root", "{D}/raiz", "--csv"}, false},
    {"compare", {"history", "--compare", "{D}/raiz/Historico/PX_00123_0007_2611101530_2.HIS",
                 "{D}/raiz/Historico/PX_00123_0008_2612101545_2.HIS"}, true},
    {"demo", {"demo", "--folder", "{D}/mais"}, false},
};

class ComandoComSaida : public Saidas, public ::testing::WithParamInterface<ComSaida> {};

TEST_P(ComandoComSaida, AFullOutputIsAWriteErrorAndAClosedPipeEndsItSilently)
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full here";
    ASSERT_NO_FATAL_FAILURE(prepara(3000));
    const QStringList args = troca(GetParam().args);

    QProcess cheio;
    cheio.setStandardOutputFile(QStringLiteral("/dev/full"));
    cheio.start(QStringLiteral(PLUVEXA_CLI), args);
    ASSERT_TRUE(cheio.waitForFinished(120000));
    EXPECT_EQ(cheio.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cheio.exitCode(), 1);
    const QString erros = QString::fromUtf8(cheio.readAllStandardError());
    EXPECT_TRUE(erros.endsWith(QStringLiteral("pluvexa-cli: write error: No space left on device\n"))) << erros.toStdString();

    // "| head": the reader takes a little and goes. The shell says how the
    // program ended (141: SIGPIPE); its standard error goes to a file.
    QStringList outra = args;  // demo: a folder of its own, never the name written above
    outra.replaceInStrings(QStringLiteral("/mais"), QStringLiteral("/mais2"));
    QProcess cano;
    cano.start(QStringLiteral("bash"),
               QStringList{QStringLiteral("-c"),
                           QStringLiteral("\"$@\" 2>\"$0\" | head -c 100 >/dev/null; echo \"${PIPESTATUS[0]}\""),
                           path("erros.txt"), QStringLiteral(PLUVEXA_CLI)}
                   + outra);
    ASSERT_TRUE(cano.waitForFinished(120000));
    const QString fim = QString::fromUtf8(cano.readAllStandardOutput()).trimmed();
    if (GetParam().muito)
        EXPECT_EQ(fim, QStringLiteral("141"));
    else
        EXPECT_TRUE(fim == QStringLiteral("141") || fim == QStringLiteral("0")) << fim.toStdString();
    // Nothing said of it: listing and review print the processing log there, no reason.
    EXPECT_FALSE(test::le(path("erros.txt")).contains("pluvexa-cli")) << test::le(path("erros.txt")).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Comandos, ComandoComSaida, ::testing::ValuesIn(kComSaida),
                         [](const auto& info) { return std::string(info.param.nome); });

// A disk that fills up while the output is written: the file named is the
// one asked for (never the hidden temporary), with the system's reason;
// nothing is left under either name.
struct Escrita {
    const char* nome;
    QStringList preparo;
    QStringList args;
};

void PrintTo(const Escrita& e, std::ostream* os) { *os << e.nome; }

const Escrita kEscritas[] = {
    {"compress", {}, {"compress", "{T}", "{D}/out"}},
    {"expand", {"compress", "{T}", "{D}/in.lzw"}, {"expand", "{D}/in.lzw", "{D}/out"}},
    {"seal", {}, {"seal", "--signer", "{K}own.private", "--recipient", "{K}central.public", "{T}", "{D}/out"}},
    {"open", {"seal", "--signer", "{K}own.private", "--recipient", "{K}central.public", "{T}", "{D}/in.env"},
     {"open", "--key", "{K}central.private", "--sender", "{K}own.public", "{D}/in.env", "{D}/out"}},
    {"listing_pdf", {}, {"listing", "--plain", "{T}", "--pdf", "{D}/out"}},
};

class DiscoCheio : public Saidas, public ::testing::WithParamInterface<Escrita> {};

TEST_P(DiscoCheio, NamesTheFileAskedForAndTheSystemsReason)
{
    if (!GetParam().preparo.isEmpty()) {
        ASSERT_NO_FATAL_FAILURE(roda(GetParam().preparo));
    }
    for (const char* programa : {PLUVEXA_CLI, PLUVEXA_CLI_FULL}) {
        SCOPED_TRACE(programa);
        Execucao e;
        {
            test::LimiteTamanho limite(1024);
            if (!limite.valido())
                GTEST_SKIP() << "no file size limit here";
            e = executa(troca(GetParam().args), QString::fromUtf8(programa));
        }
        EXPECT_EQ(e.codigo, 1);
        EXPECT_TRUE(e.erros.contains(QStringLiteral("Cannot write file \"%1\". File too large.\n").arg(path("out"))))
            << e.erros.toStdString();
        EXPECT_FALSE(e.erros.contains(QStringLiteral(".tmp"))) << e.erros.toStdString();
        EXPECT_FALSE(QFile::exists(path("out")));
        EXPECT_TRUE(QDir(dir.path()).entryList({".*.tmp"}, QDir::Files | QDir::Hidden).isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Comandos, DiscoCheio, ::testing::ValuesIn(kEscritas),
                         [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace pluvexa
