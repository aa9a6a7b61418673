#include "files/pastastrabalho.h"
#include "support/arquivosteste.h"
#include "support/testenv.h"
#include "transfer/core/caminhos.h"
#include "transfer/core/unidades.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

struct Juncao {
    const char* pasta;
    const char* esperado;
};

class CaminhoNaPasta : public ::testing::TestWithParam<Juncao> {};

TEST_P(CaminhoNaPasta, OneSeparatorBetweenFolderAndName)
{
    EXPECT_EQ(caminhoNaPasta(QString::fromLatin1(GetParam().pasta), QStringLiteral("PX_1.rec")),
              QString::fromLatin1(GetParam().esperado));
}

INSTANTIATE_TEST_SUITE_P(Transferencia, CaminhoNaPasta,
                         ::testing::Values(Juncao{"/", "/PX_1.rec"}, Juncao{"E:/", "E:/PX_1.rec"},
                                           Juncao{"E:\\", "E:/PX_1.rec"}, Juncao{"/media/d", "/media/d/PX_1.rec"},
                                           Juncao{"/media/d/", "/media/d/PX_1.rec"}));

struct Nome {
    const char* antes;
    const char* depois;
};

class NomeTransferido : public ::testing::TestWithParam<Nome> {};

TEST_P(NomeTransferido, TheLastFiveCharactersBecome4Rec)
{
    EXPECT_EQ(nomeTransferido(QString::fromLatin1(GetParam().antes)), QString::fromLatin1(GetParam().depois));
}

INSTANTIATE_TEST_SUITE_P(Transferencia, NomeTransferido,
                         ::testing::Values(Nome{"/d/PX_00123_0007_0412090830_1.rec", "/d/PX_00123_0007_0412090830_4.REC"},
                                           Nome{"/d/PX_00123_0007_0412090830_1.REC", "/d/PX_00123_0007_0412090830_4.REC"},
                                           Nome{"/g/PX_00123_0007_0412091530_2.REC", "/g/PX_00123_0007_0412091530_4.REC"}));

struct Prompt {
    const char* nome;
    const char* trecho;  // characters 4 to 8
};

class PerguntaDisco : public ::testing::TestWithParam<Prompt> {};

TEST_P(PerguntaDisco, NamesTheCompanyCodeAndTheDrive)
{
    EXPECT_EQ(perguntaDisco(QString::fromLatin1(GetParam().nome), QStringLiteral("/media/usb")),
              QStringLiteral("       Coloque o Disco da Empresa \n") + QString::fromLatin1(GetParam().trecho)
                  + QStringLiteral(" \n      no Drive /media/usb!"));
}

INSTANTIATE_TEST_SUITE_P(Transferencia, PerguntaDisco,
                         ::testing::Values(Prompt{"PX_00123_0007_0412091530_2.REC", "00123"},
                                           Prompt{"abcdefg_2.rec", "defg_"}, Prompt{"abcdef", "def"},
                                           Prompt{"ab_2", "2"}));

class PastaDeTrabalho : public ::testing::TestWithParam<const char*> {
protected:
    test::TemporaryHome home;
};

TEST_P(PastaDeTrabalho, TheRootAndEverythingBelowItIsRefused)
{
    ASSERT_TRUE(criaPastasTrabalho());
    QDir().mkpath(pastaLog());
    EXPECT_TRUE(pastaDeTrabalho(raizTrabalho() + QString::fromLatin1(GetParam())));
}

INSTANTIATE_TEST_SUITE_P(Transferencia, PastaDeTrabalho,
                         ::testing::Values("", "/", "/Recebidos", "/Gerados", "/Rascunho", "/Processados", "/Log",
                                           "/Gerados/sub", "/Gerados/missing/deeper", "/Log/../Gerados"));

TEST(PastaDeTrabalhoFora, OtherFoldersAreAcceptedAlsoThroughALinkOrANameThatOnlyStartsAlike)
{
    test::TemporaryHome home;
    ASSERT_TRUE(criaPastasTrabalho());
    EXPECT_FALSE(pastaDeTrabalho(home.path()));
    EXPECT_FALSE(pastaDeTrabalho(raizTrabalho() + QStringLiteral("X")));
    EXPECT_FALSE(pastaDeTrabalho(home.path() + QStringLiteral("/disco")));
    // A link to the received folder is the received folder.
    ASSERT_TRUE(QFile::link(pastaRecebidos(), home.path() + QStringLiteral("/atalho")));
    EXPECT_TRUE(pastaDeTrabalho(home.path() + QStringLiteral("/atalho")));
}

TEST(MesmoArquivo, SamePathThroughALinkButNotAMissingFile)
{
    test::TemporaryHome home;
    const QString a = home.path() + QStringLiteral("/a/x_2.REC");
    QDir().mkpath(home.path() + QStringLiteral("/a"));
    ASSERT_NO_FATAL_FAILURE(test::grava(a, QByteArray()));
    ASSERT_TRUE(QFile::link(home.path() + QStringLiteral("/a"), home.path() + QStringLiteral("/b")));
    EXPECT_TRUE(mesmoArquivo(a, home.path() + QStringLiteral("/b/x_2.REC")));
    EXPECT_TRUE(mesmoArquivo(a, home.path() + QStringLiteral("/a/../a/x_2.REC")));
    EXPECT_FALSE(mesmoArquivo(a, home.path() + QStringLiteral("/x_2.REC")));
}

TEST(Unidades, TheVolumeOfTheStartingFolderIsListedAndNamedByItsRoot)
{
    const QString atual = QDir::currentPath();
    const QString raiz = raizDaUnidade(atual);
    const QList<Unidade> unidades = unidadesMontadas(atual);
    EXPECT_TRUE(std::any_of(unidades.begin(), unidades.end(), [&](const Unidade& u) { return u.raiz == raiz; }));
    // Removable media first.
    EXPECT_TRUE(std::is_partitioned(unidades.begin(), unidades.end(), [](const Unidade& u) { return u.removivel; }));
#ifndef Q_OS_WIN
    EXPECT_EQ(textoUnidade(raiz), raiz);
#endif
    EXPECT_EQ(textoUnidade(QStringLiteral("E:/")), QStringLiteral(
#ifdef Q_OS_WIN
                                                         "E:"
#else
                                                         "E:/"
#endif
                                                         ));
}

}  // namespace
}  // namespace pluvexa
