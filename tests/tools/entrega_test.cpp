// pluvexa-cli hands every command but the coder's and the envelope's to
// pluvexa-cli-full beside it, and only beside it: when the system cannot say
// where the running program lies, it refuses rather than run a program of
// that name from the current folder.

#include "clirun.h"
#include "support/arquivosteste.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using test::Execucao;

TEST(EntregaAoCompleto, WithoutItsOwnPathItRunsNoProgramOfTheCurrentFolder)
{
    const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
    if (unshare.isEmpty())
        GTEST_SKIP() << "unshare (util-linux) is not installed";
    const QStringList espaco = {QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private")};
    // The same namespace with nothing in it first: where the system will
    // not make one (no permission in a container; in a chroot, whose root
    // is no mount point, the root's propagation cannot be changed) the test
    // has nothing to run in. Any other failure is the test's own.
    QProcess sonda;
    sonda.start(unshare, espaco + QStringList{QStringLiteral("true")});
    ASSERT_TRUE(sonda.waitForFinished(60000));
    if (sonda.exitStatus() != QProcess::NormalExit || sonda.exitCode() != 0) {
        const QString motivo = QString::fromUtf8(sonda.readAllStandardError());
        if (motivo.contains(QStringLiteral("unshare failed"))
            || motivo.contains(QStringLiteral("cannot change root filesystem propagation")))
            GTEST_SKIP() << "a private mount namespace cannot be made here: " << motivo.trimmed().toStdString();
        FAIL() << "unshare " << espaco.join(' ').toStdString() << " true: exit " << sonda.exitCode() << ", "
               << motivo.toStdString();
    }
    QTemporaryDir pasta;
    const QString falso = pasta.filePath(QStringLiteral("pluvexa-cli-full"));
    ASSERT_NO_FATAL_FAILURE(test::grava(falso, "#!/bin/sh\necho FAKE\n"));
    QFile::setPermissions(falso, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // /proc hidden in a mount namespace of its own: the program's own path
    // cannot be read.
    QProcess p;
    p.setWorkingDirectory(pasta.path());
    p.start(unshare, espaco + QStringList{QStringLiteral("sh"), QStringLiteral("-c"),
                                          QStringLiteral("mount -t tmpfs none /proc || exit 77; exec \"$0\" check x"),
                                          QStringLiteral(PLUVEXA_CLI)});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString saida = QString::fromUtf8(p.readAllStandardOutput());
    const QString erros = QString::fromUtf8(p.readAllStandardError());
    if (p.exitCode() == 77 || erros.contains(QStringLiteral("unshare failed")))
        GTEST_SKIP() << "mount namespaces are not allowed here";
    EXPECT_EQ(p.exitCode(), 1) << erros.toStdString();
    EXPECT_FALSE(saida.contains(QStringLiteral("FAKE")));
    EXPECT_TRUE(erros.contains(QStringLiteral("pluvexa-cli: cannot find pluvexa-cli-full beside this program")))
        << erros.toStdString();
}

}  // namespace
}  // namespace pluvexa

namespace pluvexa {
namespace {

// The numbers of the coder's and envelope's options mean the same to both
// programs: what one refuses the other refuses with the same status.
struct CasoNumero {
    const char* nome;
    QStringList opcoes;
};

class NumerosNasDuasPartes : public ::testing::TestWithParam<CasoNumero> {};

TEST_P(NumerosNasDuasPartes, SameStatusFromBothPrograms)
{
    QTemporaryDir pasta;
    const QString entrada = pasta.filePath(QStringLiteral("in"));
    ASSERT_NO_FATAL_FAILURE(test::grava(entrada, "x"));
    QStringList args = GetParam().opcoes;
    args << entrada << pasta.filePath(QStringLiteral("out"));
    const test::Execucao pequeno = test::executa(args, QStringLiteral(PLUVEXA_CLI));
    const test::Execucao completo = test::executa(args, QStringLiteral(PLUVEXA_CLI_FULL));
    EXPECT_EQ(pequeno.codigo, 2) << pequeno.erros.toStdString();
    EXPECT_EQ(completo.codigo, 2) << completo.erros.toStdString();
    EXPECT_FALSE(QFile::exists(pasta.filePath(QStringLiteral("out"))));
}

INSTANTIATE_TEST_SUITE_P(
    Opcoes, NumerosNasDuasPartes,
    ::testing::Values(
        CasoNumero{"IndexBeyondUnsigned", {"open", "--key", "k", "--sender", "s", "--index", "4294967296"}},
        CasoNumero{"NegativeIndex", {"open", "--key", "k", "--sender", "s", "--index", "-1"}},
        CasoNumero{"IndexNoNumber", {"open", "--key", "k", "--sender", "s", "--index", "um"}},
        CasoNumero{"CipherOutOfRange", {"seal", "--signer", "k", "--recipient", "s", "--cipher", "5"}},
        CasoNumero{"CipherBeyondLong", {"seal", "--signer", "k", "--recipient", "s", "--cipher", "99999999999999999999"}},
        CasoNumero{"DigestNotOffered", {"seal", "--signer", "k", "--recipient", "s", "--digest", "2"}}),
    [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace pluvexa
