// One desktop program per working root: a second start ends (bringing the
// first to the front), a lock left by a dead process is taken over, and a
// lock held on another machine is named with the way out.

#include "instancia/instanciaunica.h"
#include "support/testenv.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QHostInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

void escreveTrava(const QString& caminho, qint64 pid, const QString& maquina,
                  const QString& programa = QStringLiteral("pluvexa"))
{
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray::number(pid) + "\n" + programa.toUtf8() + "\n" + maquina.toUtf8() + "\n");
}

TEST(InstanciaUnica, ASecondProgramEndsAndBringsTheFirstToTheFront)
{
    test::TemporaryHome home;
    QTemporaryDir raiz;
    InstanciaUnica primeira(raiz.path());
    ASSERT_TRUE(primeira.toma());
    int pedidos = 0;
    primeira.aoPedirFrente = [&pedidos] { ++pedidos; };
    EXPECT_TRUE(QFile::exists(QDir(raiz.path()).filePath("pluvexa.lock")));

    InstanciaUnica segunda(raiz.path());
    EXPECT_FALSE(segunda.toma());
    EXPECT_TRUE(segunda.mensagem().isEmpty()) << segunda.mensagem().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&pedidos] { return pedidos == 1; }, 5000));
}

TEST(InstanciaUnica, ALockLeftByADeadProcessIsTakenOver)
{
    QTemporaryDir raiz;
    const QString trava = QDir(raiz.path()).filePath("pluvexa.lock");
    // A process number no process has (above the system's largest).
    escreveTrava(trava, 99999999, QHostInfo::localHostName());
    InstanciaUnica nova(raiz.path());
    EXPECT_TRUE(nova.toma()) << nova.mensagem().toStdString();
}

TEST(InstanciaUnica, ALockOfAnotherMachineIsNamedWithTheWayOut)
{
    QTemporaryDir raiz;
    const QString trava = QDir(raiz.path()).filePath("pluvexa.lock");
    escreveTrava(trava, 4242, QStringLiteral("CAIXA-02"));
    InstanciaUnica nova(raiz.path());
    EXPECT_FALSE(nova.toma());
    const QString desde = QFileInfo(trava).lastModified().toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    EXPECT_EQ(nova.mensagem(), QStringLiteral("O Pluvexa já está aberto no computador CAIXA-02 desde %1. Se esse "
                                              "computador não usa mais o Pluvexa, apague %2.")
                                   .arg(desde, QDir::toNativeSeparators(trava)));
    EXPECT_TRUE(QFile::exists(trava));
}

TEST(InstanciaUnica, ALiveLockOfThisMachineWithoutItsChannelSaysSince)
{
    QTemporaryDir raiz;
    const QString trava = QDir(raiz.path()).filePath("pluvexa.lock");
    // Held by a live program of this machine (this test itself, which
    // answers on no channel for that root).
    escreveTrava(trava, QCoreApplication::applicationPid(), QHostInfo::localHostName(),
                 QCoreApplication::applicationName());
    InstanciaUnica nova(raiz.path());
    EXPECT_FALSE(nova.toma());
    const QString desde = QFileInfo(trava).lastModified().toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    EXPECT_EQ(nova.mensagem(), QStringLiteral("O Pluvexa já está aberto neste computador desde %1.").arg(desde));
}

}  // namespace
}  // namespace pluvexa
