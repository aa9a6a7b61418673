#include "files/vigiapastas.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

constexpr int kEsperaMs = 10000;

void cria(const QString& caminho)
{
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << caminho.toStdString();
    f.write("x");
}

class Vigia : public ::testing::Test {
protected:
    QTemporaryDir a;
    QTemporaryDir b;
    VigiaPastas vigia;
    QSignalSpy mudancas{&vigia, &VigiaPastas::mudou};

    bool avisou() { return QTest::qWaitFor([this] { return !mudancas.isEmpty(); }, kEsperaMs); }
};

TEST_F(Vigia, AFileThatAppearsOrGoesIsToldOnce)
{
    vigia.vigia({a.path()});
    // The steps of one write (create, write, close) come as one change.
    cria(a.filePath(QStringLiteral("novo_1.rec")));
    ASSERT_TRUE(avisou());
    QCoreApplication::processEvents();
    EXPECT_EQ(mudancas.size(), 1);

    mudancas.clear();
    ASSERT_TRUE(QFile::remove(a.filePath(QStringLiteral("novo_1.rec"))));
    EXPECT_TRUE(avisou());
}

TEST_F(Vigia, OnlyTheFoldersGivenLastAreWatchedAndOnlyThoseThatExist)
{
    const QString falta = a.filePath(QStringLiteral("ainda_nao"));
    vigia.vigia({a.path(), b.path(), QDir::toNativeSeparators(b.path()), falta});
    EXPECT_EQ(vigia.vigiadas().size(), 2);

    vigia.vigia({b.path()});
    EXPECT_EQ(vigia.vigiadas(), QStringList{b.path()});
    // A folder made later is taken up by the next call.
    ASSERT_TRUE(QDir().mkdir(falta));
    vigia.vigia({b.path(), falta});
    EXPECT_EQ(vigia.vigiadas().size(), 2);

    // The folder taken up is heard from.
    cria(QDir(falta).filePath(QStringLiteral("dentro_1.rec")));
    EXPECT_TRUE(avisou());
}

}  // namespace
}  // namespace pluvexa
