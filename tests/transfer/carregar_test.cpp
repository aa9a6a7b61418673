// "Carregar": received files from a disk into the received folder.

#include "transferfixture.h"

namespace pluvexa::transferencia {
namespace {

class Carregar : public ::testing::Test {
protected:
    Cenario c;
};

TEST_F(Carregar, CopiesEverySelectedFileMarksTheSourcesAndReReadsTheList)
{
    grava(c.noDisco(kRecebido1), "first");
    grava(c.noDisco(kRecebido2), "second");  // the central's "_1.REC" matches too
    grava(c.noDisco(QStringLiteral("outro_2.REC")), "not listed");
    ListaPasta lista(c.disco.path(), kMascaraRecebidos);
    ASSERT_EQ(lista.nomes(), (QStringList{kRecebido1, kRecebido2}));
    lista.selecionaTodos();

    c.dialogos.expectNotice(kSucesso);
    c.run.carrega(lista);

    EXPECT_EQ(le(c.recebido(kRecebido1)), QByteArray("first"));
    EXPECT_EQ(le(c.recebido(kRecebido2)), QByteArray("second"));
    EXPECT_EQ(arquivos(c.disco.path()),
              (QStringList{"PX_00123_0007_0412090830_4.REC", "PX_00123_0008_0412100830_4.REC", "outro_2.REC"}));
    EXPECT_EQ(le(c.noDisco(QStringLiteral("PX_00123_0007_0412090830_4.REC"))), QByteArray("first"));
    // The list was read again: the loaded files left it.
    EXPECT_EQ(lista.leituras, 2);
    EXPECT_TRUE(lista.nomes().isEmpty());
    EXPECT_EQ(lista.pasta(), c.disco.path());
    EXPECT_TRUE(c.run.falhas().isEmpty());
    EXPECT_EQ(copias(c.run), (QStringList{kRecebido1 + " -> " + c.recebido(kRecebido1),
                                          kRecebido2 + " -> " + c.recebido(kRecebido2)}));
}

TEST_F(Carregar, OnlyTheSelectedFilesGoAndNothingSelectedIsRefused)
{
    grava(c.noDisco(kRecebido1), "first");
    grava(c.noDisco(kRecebido2), "second");
    ListaPasta lista(c.disco.path(), kMascaraRecebidos);

    c.dialogos.expectNotice(kSelecioneArquivos);
    c.run.carrega(lista);
    EXPECT_TRUE(arquivos(pastaRecebidos()).isEmpty());
    EXPECT_EQ(lista.leituras, 1);

    lista.seleciona({kRecebido2});
    c.dialogos.expectNotice(kSucesso);
    c.run.carrega(lista);
    EXPECT_EQ(arquivos(pastaRecebidos()), QStringList{kRecebido2});
    EXPECT_EQ(lista.nomes(), QStringList{kRecebido1});
}

TEST_F(Carregar, ANameAlreadyReceivedAndAnOldMarkAreReplaced)
{
    grava(c.recebido(kRecebido1), "older copy");
    grava(c.noDisco(kRecebido1), "newer");
    grava(c.noDisco(QStringLiteral("PX_00123_0007_0412090830_4.REC")), "marked before");
    ListaPasta lista(c.disco.path(), kMascaraRecebidos);
    lista.selecionaTodos();

    c.dialogos.expectNotice(kSucesso);
    c.run.carrega(lista);
    EXPECT_EQ(le(c.recebido(kRecebido1)), QByteArray("newer"));
    EXPECT_EQ(arquivos(c.disco.path()), QStringList{"PX_00123_0007_0412090830_4.REC"});
    EXPECT_EQ(le(c.noDisco(QStringLiteral("PX_00123_0007_0412090830_4.REC"))), QByteArray("newer"));
    EXPECT_EQ(arquivos(pastaRecebidos()), QStringList{kRecebido1});  // no part left
}

TEST_F(Carregar, AFolderNamedWithItsFinalSeparatorAsADriveRootIs)
{
    grava(c.noDisco(kRecebido1), "first");
    ListaPasta lista(c.disco.path() + QLatin1Char('/'), kMascaraRecebidos);
    lista.selecionaTodos();
    c.dialogos.expectNotice(kSucesso);
    c.run.carrega(lista);
    EXPECT_EQ(le(c.recebido(kRecebido1)), QByteArray("first"));
    EXPECT_TRUE(QFile::exists(c.noDisco(QStringLiteral("PX_00123_0007_0412090830_4.REC"))));
}

TEST_F(Carregar, TheReceivedFolderItselfIsNeverCopiedOntoItself)
{
    grava(c.recebido(kRecebido1), "waiting");
    ListaPasta lista(pastaRecebidos(), kMascaraRecebidos);
    lista.selecionaTodos();
    c.dialogos.expectNotice(erros({kRecebido1 + QStringLiteral(" - origem e destino são o mesmo arquivo")}));
    c.run.carrega(lista);
    EXPECT_EQ(arquivos(pastaRecebidos()), QStringList{kRecebido1});
    EXPECT_EQ(le(c.recebido(kRecebido1)), QByteArray("waiting"));
    EXPECT_EQ(c.dialogos.lastIcon(), Interaction::Icon::Error);
}

TEST_F(Carregar, AFileGoneFromTheDiskIsNamedAndTheOthersStillLoad)
{
    grava(c.noDisco(kRecebido1), "first");
    grava(c.noDisco(kRecebido2), "second");
    ListaPasta lista(c.disco.path(), kMascaraRecebidos);
    lista.selecionaTodos();
    QFile::remove(c.noDisco(kRecebido1));  // the disk changed after the list was read

    c.dialogos.expectNotice(erros({kRecebido1 + QStringLiteral(" - não foi encontrado em ")
                                   + caminhoVisivel(c.disco.path())}));
    c.run.carrega(lista);
    EXPECT_EQ(arquivos(pastaRecebidos()), QStringList{kRecebido2});
    // Only what arrived is listed as copied.
    EXPECT_EQ(copias(c.run), QStringList{kRecebido2 + " -> " + c.recebido(kRecebido2)});
}

}  // namespace
}  // namespace pluvexa::transferencia
