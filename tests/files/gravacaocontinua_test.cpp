// A file written in pieces as its content is made: every piece on disk at
// once in the layer's temporary, the final name untouched until it is
// confirmed, and every failure (at any step, or a disk that fills up half
// way) leaving the earlier file and no temporary.

#include "files/arquivoseguro.h"
#include "support/arquivosteste.h"
#include "support/limitetamanho.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using test::grava;
using test::le;

// A line of a log, numbered.
QByteArray linha(int i)
{
    return QByteArray("09/03/2026 14:05:07      Info: linha ") + QByteArray::number(i) + "\r\n";
}

class Continua : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
    // Every name in the folder, the hidden ones included.
    QStringList nomes() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System); }
    // The layer's temporaries of `final`.
    QStringList temporarios(const QString& final) const
    {
        const QRegularExpression forma(QStringLiteral("^\\.%1\\.[A-Za-z0-9]{6}\\.tmp$")
                                           .arg(QRegularExpression::escape(final)));
        return nomes().filter(forma);
    }
};

TEST_F(Continua, EachPieceIsOnDiskAtOnceAndTheNameTakesItOnlyWhenConfirmed)
{
    grava(path("x.log"), "antigo\r\n");
    QByteArray esperado;
    GravacaoContinua g;
    ASSERT_TRUE(g.abre(path("x.log"))) << g.erro().toStdString();
    ASSERT_EQ(temporarios("x.log").size(), 1);
    const QString tmp = path(temporarios("x.log").first());
    // Far more than any buffer: what was written is in the temporary, not
    // in memory, before the end.
    for (int i = 0; i < 20000; ++i) {
        ASSERT_TRUE(g.acrescenta(linha(i)));
        esperado += linha(i);
    }
    EXPECT_GE(QFileInfo(tmp).size(), esperado.size() - 64 * 1024);
    EXPECT_EQ(le(path("x.log")), QByteArray("antigo\r\n"));
    ASSERT_TRUE(g.confirma()) << g.erro().toStdString();
    EXPECT_FALSE(g.aberta());
    EXPECT_EQ(le(path("x.log")), esperado);
    EXPECT_EQ(nomes(), QStringList{QStringLiteral("x.log")});
}

TEST_F(Continua, NotConfirmedLeavesTheEarlierFileAndNoTemporary)
{
    grava(path("x.log"), "antigo");
    {
        GravacaoContinua g;
        ASSERT_TRUE(g.abre(path("x.log")));
        ASSERT_TRUE(g.acrescenta("novo"));
    }
    EXPECT_EQ(le(path("x.log")), QByteArray("antigo"));
    EXPECT_EQ(nomes(), QStringList{QStringLiteral("x.log")});
}

TEST_F(Continua, OneFilePerObjectAndNothingWrittenBeforeItIsOpen)
{
    GravacaoContinua g;
    EXPECT_FALSE(g.acrescenta("x"));
    ASSERT_TRUE(g.abre(path("a.log")));
    EXPECT_FALSE(g.abre(path("b.log")));
    EXPECT_FALSE(g.confirma());
    EXPECT_TRUE(nomes().isEmpty()) << nomes().join(' ').toStdString();
    GravacaoContinua nunca;
    EXPECT_FALSE(nunca.confirma());
}

// Each file operation of a run failed in turn, with others' files beside
// the final name that must survive every one of them.
TEST_F(Continua, AFailureAtAnyStepKeepsTheEarlierFileAndOthersFiles)
{
    const QStringList alheios = {QStringLiteral("x.log.part"), QStringLiteral("x.log.old"),
                                 QStringLiteral(".x.log.Ab12Cd.tmp")};
    for (const QString& a : alheios)
        grava(path(a), a.toUtf8());
    auto executa = [&] {
        GravacaoContinua g;
        bool ok = g.abre(path("x.log"));
        for (int i = 0; ok && i < 3000; ++i)
            ok = g.acrescenta(linha(i));
        return g.confirma() && ok;
    };
    QByteArray novo;
    for (int i = 0; i < 3000; ++i)
        novo += linha(i);
    QStringList passos;
    {
        FalhasArquivo contador;
        ASSERT_TRUE(executa());
        passos = contador.registro();
    }
    // Created once, flushed, renamed, its folder flushed: no step per piece.
    ASSERT_EQ(passos.size(), 4) << passos.join('\n').toStdString();
    for (int n = 1; n <= int(passos.size()); ++n) {
        grava(path("x.log"), "antigo");
        FalhasArquivo falhas(n);
        const bool ok = executa();
        EXPECT_TRUE(falhas.falhou());
        EXPECT_FALSE(ok) << passos[n - 1].toStdString();
        // Only a folder that cannot be flushed comes after the new file stands.
        const QByteArray esperado = passos[n - 1].startsWith(QStringLiteral("flush folder")) ? novo : "antigo";
        EXPECT_EQ(le(path("x.log")), esperado) << passos[n - 1].toStdString();
        for (const QString& a : alheios)
            EXPECT_EQ(le(path(a)), a.toUtf8()) << passos[n - 1].toStdString();
        EXPECT_EQ(temporarios("x.log"), QStringList{QStringLiteral(".x.log.Ab12Cd.tmp")}) << passos[n - 1].toStdString();
    }
}

TEST_F(Continua, ADiskFullHalfWayRefusesTheRestAndKeepsTheEarlierFile)
{
    grava(path("x.log"), "antigo");
    bool ok = true;
    int aceitas = 0;
    QString erro;
    {
        test::LimiteTamanho limite(64 * 1024);
        if (!limite.valido())
            GTEST_SKIP() << "no file size limit on this system";
        GravacaoContinua g;
        ASSERT_TRUE(g.abre(path("x.log")));
        for (int i = 0; i < 20000; ++i)
            if (g.acrescenta(linha(i)))
                ++aceitas;
        ok = g.confirma();
        erro = g.erro();
    }
    EXPECT_FALSE(ok);
    EXPECT_LT(aceitas, 20000);
    EXPECT_TRUE(erro.startsWith(QStringLiteral("Cannot write file"))) << erro.toStdString();
    EXPECT_EQ(le(path("x.log")), QByteArray("antigo"));
    EXPECT_EQ(nomes(), QStringList{QStringLiteral("x.log")});
}

TEST_F(Continua, ANameThatIsNoRegularFileIsRefusedAtOnce)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("pasta.log")));
    GravacaoContinua g;
    EXPECT_FALSE(g.abre(path("pasta.log")));
    EXPECT_FALSE(g.erro().isEmpty());
    EXPECT_FALSE(g.acrescenta("x"));
    EXPECT_TRUE(QFileInfo(path("pasta.log")).isDir());
    EXPECT_TRUE(temporarios("pasta.log").isEmpty());
}

}  // namespace
}  // namespace pluvexa
