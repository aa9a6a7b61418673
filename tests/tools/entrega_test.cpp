// pluvexa-cli hands every command but the coder's and the envelope's to
// pluvexa-cli-full beside it, and only beside it: when the system cannot say
// where the running program lies, it refuses rather than run a program of
// that name from the current folder.

#include "clirun.h"

#include <QFile>
#include <QStandardPaths>
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
    QTemporaryDir pasta;
    const QString falso = pasta.filePath(QStringLiteral("pluvexa-cli-full"));
    QFile f(falso);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\necho FAKE\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // /proc hidden in a mount namespace of its own: the program's own path
    // cannot be read.
    QProcess p;
    p.setWorkingDirectory(pasta.path());
    p.start(unshare, {QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"),
                      QStringLiteral("sh"), QStringLiteral("-c"),
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
