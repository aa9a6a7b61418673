// pluvexa-cli's conventions for support staff: a demo never replaces a file,
// a mistyped option is named with the nearest, every message quotes its
// paths alike, "-" is standard output and PLUVEXA_ROOT moves the working
// root.

#include "clirun.h"
#include "support/arquivosteste.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using test::Execucao;
using test::executa;

class CliSuporte : public test::ComArquivoDemo {};

// The name carries the minute: a second run in the same minute finds it
// taken and leaves the first file as it is. Should the minute turn between
// two runs, the pair is tried again.
TEST_F(CliSuporte, DemoOnANameTakenExitsOneAndLeavesTheFile)
{
    const QByteArray antes = test::le(recebido);
    for (int tentativa = 0; tentativa < 3; ++tentativa) {
        const Execucao de_novo = executa({QStringLiteral("demo"), QStringLiteral("--folder"), dir.path()});
        if (de_novo.codigo == 0) {
            recebido = de_novo.saida.trimmed();  // another minute: this one is now the one to hit
            continue;
        }
        EXPECT_EQ(de_novo.codigo, 1);
        EXPECT_EQ(de_novo.erros, QStringLiteral("pluvexa-cli: \"%1\" already exists; nothing written\n")
                                     .arg(QDir::toNativeSeparators(recebido)));
        EXPECT_TRUE(de_novo.saida.isEmpty());
        if (tentativa == 0)
            EXPECT_EQ(test::le(recebido), antes);
        return;
    }
    FAIL() << "three runs of demo, each in another minute";
}

TEST_F(CliSuporte, DemoMakesItsFolderOnlyWhenTheParentExists)
{
    const QString novo = path(QStringLiteral("nova"));
    Execucao e = executa({QStringLiteral("demo"), QStringLiteral("--folder"), novo});
    EXPECT_EQ(e.codigo, 0) << e.erros.toStdString();
    EXPECT_TRUE(QFileInfo(e.saida.trimmed()).isFile());

    const QString fundo = path(QStringLiteral("falta/mais"));
    e = executa({QStringLiteral("demo"), QStringLiteral("--folder"), fundo});
    EXPECT_EQ(e.codigo, 1);
    EXPECT_EQ(e.erros, QStringLiteral("pluvexa-cli: cannot create the folder \"%1\": its parent \"%2\" does not exist\n")
                           .arg(QDir::toNativeSeparators(fundo), QDir::toNativeSeparators(path(QStringLiteral("falta")))));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("falta"))));

    e = executa({QStringLiteral("demo"), QStringLiteral("--folder"), QString()});
    EXPECT_EQ(e.codigo, 2);
    EXPECT_EQ(e.erros, QStringLiteral("pluvexa-cli demo: --folder takes a folder's name\n"));

    e = executa({QStringLiteral("demo"), QStringLiteral("--folder"), recebido});
    EXPECT_EQ(e.codigo, 1);
    EXPECT_EQ(e.erros, QStringLiteral("pluvexa-cli: \"%1\" is not a folder\n").arg(QDir::toNativeSeparators(recebido)));
}

struct Engano {
    const char* nome;
    QStringList args;
    const char* primeiraLinha;  // of standard error
};

void PrintTo(const Engano& e, std::ostream* os)
{
    *os << e.nome;
}

class OpcaoDesconhecida : public ::testing::TestWithParam<Engano> {};

// The option as typed, dashes and all, and the nearest the command takes;
// nothing suggested when nothing is near. Exit 2, nothing done.
TEST_P(OpcaoDesconhecida, IsNamedAsTypedWithTheNearest)
{
    test::TemporaryHome home;
    const Execucao e = executa(GetParam().args);
    EXPECT_EQ(e.codigo, 2);
    EXPECT_EQ(e.erros.section(u'\n', 0, 0), QString::fromUtf8(GetParam().primeiraLinha)) << e.erros.toStdString();
    EXPECT_TRUE(e.saida.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(home.path() + QStringLiteral("/Drovanti")));
}

INSTANTIATE_TEST_SUITE_P(
    Cli, OpcaoDesconhecida,
    ::testing::Values(
        Engano{"TwoDashes", {"review", "--lmit", "3", "x.rec"}, "pluvexa-cli: unknown option '--lmit'; did you mean '--limit'?"},
        Engano{"OneDash", {"review", "-lmit", "3", "x.rec"}, "pluvexa-cli: unknown option '-lmit'; did you mean '--limit'?"},
        Engano{"WithItsValue", {"history", "--yaer=2026"}, "pluvexa-cli: unknown option '--yaer'; did you mean '--year'?"},
        Engano{"Demo", {"demo", "--holdres", "5"}, "pluvexa-cli: unknown option '--holdres'; did you mean '--holders'?"},
        // The coder's commands hand a command line they do not know to the whole program.
        Engano{"Seal", {"seal", "--signr", "a", "--recipient", "b", "in", "out"},
               "pluvexa-cli: unknown option '--signr'; did you mean '--signer'?"},
        Engano{"NothingNear", {"check", "--bogus", "x"}, "pluvexa-cli: unknown option '--bogus'"},
        Engano{"Program", {"--verison"}, "pluvexa-cli: unknown option '--verison'; did you mean '--version'?"},
        Engano{"Command", {"chek", "x"}, "pluvexa-cli: unknown command 'chek'; did you mean 'check'?"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(CliAjuda, TheProgramsHelpListsVersionAndHelp)
{
    const Execucao e = executa({QStringLiteral("--help")});
    EXPECT_EQ(e.codigo, 0);
    EXPECT_TRUE(e.saida.contains(QStringLiteral("\nOptions:\n  -h, --help ")));
    EXPECT_TRUE(e.saida.contains(QStringLiteral("\n  -v, --version ")));
}

struct Mensagem {
    const char* nome;
    QStringList args;  // {P}: a path that does not exist, {F}: the demo file, {O}: an output in the test's folder
    const char* nomeado;  // the path the message names: {P} or {F}
    const char* resto;    // what follows it
};

void PrintTo(const Mensagem& m, std::ostream* os)
{
    *os << m.nome;
}

class CaminhoCitado : public test::ComArquivoDemo, public ::testing::WithParamInterface<Mensagem> {};

// Every command names a path alike: in double quotes, as the system
// spells it, blanks and all.
TEST_P(CaminhoCitado, InDoubleQuotes)
{
    const QString caminho = path(QStringLiteral("pasta com espaço/arquivo ausente.rec"));
    QStringList args;
    for (const QString& a : GetParam().args)
        args << (a == QLatin1String("{P}")   ? caminho
                 : a == QLatin1String("{F}") ? recebido
                 : a == QLatin1String("{O}") ? path(QStringLiteral("saida.txt"))
                                             : a);
    const Execucao e = executa(args);
    const QString nomeado = QLatin1String(GetParam().nomeado) == QLatin1String("{P}") ? caminho : recebido;
    EXPECT_TRUE(e.erros.contains(QStringLiteral("\"%1\"%2").arg(QDir::toNativeSeparators(nomeado),
                                                               QString::fromUtf8(GetParam().resto))))
        << e.erros.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CaminhoCitado,
    ::testing::Values(Mensagem{"Check", {"check", "{P}"}, "{P}", " does not exist"},
                      Mensagem{"Review", {"review", "{P}"}, "{P}", " does not exist"},
                      Mensagem{"Export", {"export", "{P}", "-"}, "{P}", " does not exist"},
                      Mensagem{"Import", {"import", "{F}", "{P}", "--type", "9"}, "{P}", " does not exist"},
                      Mensagem{"Compare", {"history", "--compare", "{P}", "{F}"}, "{P}", " does not exist"},
                      Mensagem{"HistoryRoot", {"history", "--root", "{P}"}, "{P}", " does not exist"},
                      Mensagem{"CentralRead", {"central", "read-answer", "{F}", "{O}"}, "{F}", " failed: error"}),
    [](const auto& info) { return std::string(info.param.nome); });

// "-" is standard output: the spreadsheet as every --csv prints it, the
// PDF as the file would hold it.
TEST_F(CliSuporte, ADashAsTheOutputIsStandardOutput)
{
    QProcess csv;
    csv.start(QStringLiteral(PLUVEXA_CLI), {QStringLiteral("export"), recebido, QStringLiteral("-")});
    ASSERT_TRUE(csv.waitForFinished(120000));
    EXPECT_EQ(csv.exitCode(), 0);
    const QByteArray linhas = csv.readAllStandardOutput();
    EXPECT_TRUE(linhas.startsWith("Usu\xC3\xA1rio;Cart\xC3\xA3o;")) << linhas.left(40).toStdString();
    EXPECT_FALSE(linhas.contains('\r'));
    EXPECT_EQ(linhas.count('\n'), 201);
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("-")));

    QProcess pdf;
    pdf.start(QStringLiteral(PLUVEXA_CLI), {QStringLiteral("listing"), recebido, QStringLiteral("--pdf"), QStringLiteral("-")});
    ASSERT_TRUE(pdf.waitForFinished(120000));
    EXPECT_EQ(pdf.exitCode(), 0) << pdf.readAllStandardError().toStdString();
    const QByteArray documento = pdf.readAllStandardOutput();
    EXPECT_TRUE(documento.startsWith("%PDF-"));
    EXPECT_TRUE(documento.trimmed().endsWith("%%EOF"));
}

// PLUVEXA_ROOT is the working root of demo, import and history; one that
// names no folder is refused rather than made.
TEST_F(CliSuporte, PluvexaRootMovesTheWorkingRoot)
{
    struct Limpa {
        ~Limpa() { qunsetenv("PLUVEXA_ROOT"); }
    } limpa;
    const QString raiz = path(QStringLiteral("copia do operador"));
    ASSERT_TRUE(QDir().mkpath(raiz + QStringLiteral("/Historico")));
    qputenv("PLUVEXA_ROOT", QFile::encodeName(raiz));
    const Execucao demo = executa({QStringLiteral("demo"), QStringLiteral("--holders"), QStringLiteral("5")});
    EXPECT_EQ(demo.codigo, 0) << demo.erros.toStdString();
    EXPECT_TRUE(demo.saida.startsWith(QDir::toNativeSeparators(raiz + QStringLiteral("/Recebidos/PX_00123_0007_"))))
        << demo.saida.toStdString();
    const Execucao import = executa({QStringLiteral("import"), recebido,
                                     QStringLiteral(PLUVEXA_SOURCE_DIR "/examples/folha_2026_03.rrm"),
                                     QStringLiteral("--out"), path(QStringLiteral("depois.txt"))});
    EXPECT_EQ(import.codigo, 1);
    EXPECT_TRUE(QFileInfo::exists(raiz + QStringLiteral("/Log/folha_2026_03.log")));
    EXPECT_FALSE(QFileInfo::exists(home.path() + QStringLiteral("/Drovanti")));
    const Execucao history = executa({QStringLiteral("history")});
    EXPECT_EQ(history.codigo, 0) << history.erros.toStdString();
    EXPECT_TRUE(history.saida.startsWith(QStringLiteral("Empresa  Remessa  ")));

    const QString ausente = path(QStringLiteral("nao existe"));
    qputenv("PLUVEXA_ROOT", QFile::encodeName(ausente));
    for (const char* comando : {"demo", "history"}) {
        const Execucao e = executa({QString::fromLatin1(comando)});
        EXPECT_EQ(e.codigo, 1) << comando;
        EXPECT_EQ(e.erros, QStringLiteral("pluvexa-cli: the working root \"%1\" (PLUVEXA_ROOT) does not exist\n")
                               .arg(QDir::toNativeSeparators(ausente)))
            << comando;
    }
    EXPECT_FALSE(QFileInfo::exists(ausente));
}

}  // namespace
}  // namespace pluvexa
