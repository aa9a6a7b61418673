#pragma once

// Runs pluvexa-cli as the user "nobody" when the tests run as root, for the
// cases where root's rights would hide what an operator meets (a file it may
// not read, a folder it may not write to). "nobody" must be able to reach
// the program and what it reads: the build may lie in a folder only its
// owner enters (a clone in a folder of mktemp -d), so the two programs are
// copied once into a folder open to everyone, and `acessivel` copies an
// input beside the test's files.

#include "clirun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <unistd.h>

namespace pluvexa::test {

inline constexpr const char* kSetpriv = "/usr/bin/setpriv";

// Root needs setpriv to step down; any other user runs as itself.
inline bool podeRodarComoNinguem()
{
    return ::geteuid() != 0 || QFileInfo(QString::fromLatin1(kSetpriv)).isExecutable();
}

// pluvexa-cli and pluvexa-cli-full side by side in a folder everyone may
// enter; empty when they cannot be copied.
inline QString cliParaNinguem()
{
    static QTemporaryDir pasta;
    static const QString copia = [] {
        const QFileDevice::Permissions aberto = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                                | QFileDevice::ExeOther;
        if (!pasta.isValid() || !QFile::setPermissions(pasta.path(), aberto))
            return QString();
        const QFileInfo cli(QStringLiteral(PLUVEXA_CLI));
        for (const QString& nome : {cli.fileName(), QStringLiteral("pluvexa-cli-full")}) {
            const QString origem = cli.dir().filePath(nome);
            if (!QFileInfo::exists(origem))
                continue;
            const QString destino = QDir(pasta.path()).filePath(nome);
            if (!QFile::copy(origem, destino) || !QFile::setPermissions(destino, aberto))
                return QString();
        }
        return QDir(pasta.path()).filePath(cli.fileName());
    }();
    return copia;
}

// Runs `args` as "nobody" (root) or as the user itself, with HOME at `casa`.
inline Execucao executaComoNinguem(const QStringList& args, const QString& casa)
{
    if (::geteuid() != 0)
        return executa(args);
    const QString cli = cliParaNinguem();
    EXPECT_FALSE(cli.isEmpty()) << "the programs could not be copied where nobody reaches them";
    return executa(QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                               QStringLiteral("--clear-groups"), QStringLiteral("env"),
                               QStringLiteral("HOME=") + casa, cli}
                       + args,
                   QString::fromLatin1(kSetpriv));
}

// A copy of `origem` in `pasta` (which everyone may enter), readable by all.
inline QString acessivel(const QString& origem, const QString& pasta)
{
    const QString destino = QDir(pasta).filePath(QFileInfo(origem).fileName());
    QFile::remove(destino);
    EXPECT_TRUE(QFile::copy(origem, destino)) << origem.toStdString();
    QFile::setPermissions(destino, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    return destino;
}

}  // namespace pluvexa::test
