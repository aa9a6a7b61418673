#pragma once

// Runs pluvexa-cli as support staff would and collects what it printed.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace pluvexa::test {

struct Execucao {
    int codigo = -1;
    QString saida;
    QString erros;
};

inline Execucao executa(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(PLUVEXA_CLI), args);
    EXPECT_TRUE(p.waitForFinished(120000)) << args.join(' ').toStdString();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace pluvexa::test
