#pragma once

// Runs pluvexa-cli as support staff would and collects what it printed.

#include "support/testenv.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pluvexa::test {

struct Execucao {
    int codigo = -1;
    QString saida;
    QString erros;
};

inline Execucao executa(const QStringList& args, const QString& programa = QStringLiteral(PLUVEXA_CLI))
{
    QProcess p;
    p.start(programa, args);
    EXPECT_TRUE(p.waitForFinished(120000)) << args.join(' ').toStdString();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// A received file made by `pluvexa-cli demo` in a temporary folder, under a
// temporary home so that no test touches the user's working folders.
class ComArquivoDemo : public ::testing::Test {
protected:
    void SetUp() override
    {
        const Execucao demo = executa({QStringLiteral("demo"), QStringLiteral("--folder"), dir.path()});
        ASSERT_EQ(demo.codigo, 0) << demo.erros.toStdString();
        recebido = demo.saida.trimmed().split('\n').last();
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    TemporaryHome home;
    QTemporaryDir dir;
    QString recebido;
};

}  // namespace pluvexa::test
