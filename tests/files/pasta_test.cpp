#include "files/pasta.h"
#include "support/arquivosteste.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

class PastaSegura : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
};

TEST_F(PastaSegura, ListsByMasksIgnoringCaseSortedByNameWithoutFolders)
{
    for (const char* n : {"b_1.REC", "A_1.rec", "c_2.rec", "d_1.rec.part", "e_1.Rec"})
        test::grava(path(QString::fromLatin1(n)), "x");
    QDir(dir.path()).mkdir(QStringLiteral("pasta_1.rec"));
    QStringList nomes;
    ASSERT_TRUE(listaArquivosPasta(dir.path(), {QStringLiteral("*_1.rec")}, nomes));
    EXPECT_EQ(nomes, (QStringList{"A_1.rec", "b_1.REC", "e_1.Rec"}));
    ASSERT_TRUE(listaArquivosPasta(dir.path(), {QStringLiteral("*_2.rec"), QStringLiteral("*.part")}, nomes));
    EXPECT_EQ(nomes, (QStringList{"c_2.rec", "d_1.rec.part"}));
}

TEST_F(PastaSegura, AMissingFolderOrAnInjectedFailureIsAnErrorWithNothingListed)
{
    test::grava(path(QStringLiteral("a_1.rec")), "x");
    QStringList nomes{QStringLiteral("stale")};
    QString erro;
    EXPECT_FALSE(listaArquivosPasta(path("gone"), {QStringLiteral("*")}, nomes, &erro));
    EXPECT_TRUE(nomes.isEmpty());
    EXPECT_TRUE(erro.contains(QStringLiteral("does not exist"))) << erro.toStdString();

    FalhasArquivo falhas(1);
    EXPECT_FALSE(listaArquivosPasta(dir.path(), {QStringLiteral("*")}, nomes, &erro));
    EXPECT_TRUE(nomes.isEmpty());
    EXPECT_EQ(falhas.registro(), QStringList{"list " + dir.path()});
}

TEST_F(PastaSegura, RenameReplacesAFileOfTheSameNameInOneStep)
{
    test::grava(path(QStringLiteral("x_1.rec")), "new");
    test::grava(path(QStringLiteral("x_4.REC")), "old");
    FalhasArquivo contador;
    ASSERT_TRUE(renomeiaSobre(path("x_1.rec"), path("x_4.REC"), Durabilidade::Duravel));
    EXPECT_EQ(test::le(path(QStringLiteral("x_4.REC"))), QByteArray("new"));
    EXPECT_FALSE(QFile::exists(path("x_1.rec")));
    EXPECT_EQ(contador.registro(),
              (QStringList{"replace " + path("x_1.rec"), "flush folder " + dir.path()}));
}

TEST_F(PastaSegura, AFailedRenameLeavesBothFilesAsTheyWere)
{
    test::grava(path(QStringLiteral("x_1.rec")), "new");
    test::grava(path(QStringLiteral("x_4.REC")), "old");
    QString erro;
    {
        FalhasArquivo falhas(1);
        EXPECT_FALSE(renomeiaSobre(path("x_1.rec"), path("x_4.REC"), Durabilidade::Duravel, &erro));
    }
    EXPECT_TRUE(erro.startsWith(QStringLiteral("Cannot rename file"))) << erro.toStdString();
    EXPECT_EQ(test::le(path(QStringLiteral("x_1.rec"))), QByteArray("new"));
    EXPECT_EQ(test::le(path(QStringLiteral("x_4.REC"))), QByteArray("old"));
    // A source that is not there is the system's failure, named as such.
    EXPECT_FALSE(renomeiaSobre(path("none_1.rec"), path("none_4.REC"), Durabilidade::Comum, &erro));
    EXPECT_TRUE(erro.contains(QStringLiteral("none_1.rec"))) << erro.toStdString();
}

}  // namespace
}  // namespace pluvexa
