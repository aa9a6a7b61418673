// "Gerar": answer files onto the company's disk, with the disk prompt and
// the deletion of the recharge files already there.

#include "transferfixture.h"

namespace pluvexa::transferencia {
namespace {

const QString kUnidade = QStringLiteral("/media/empresa");

class Gerar : public ::testing::Test {
protected:
    Cenario c;
    ListaPasta gerados{pastaGerados(), kMascaraGerados};

    void geraRespostas(const QStringList& nomes)
    {
        for (const QString& n : nomes)
            grava(c.gerado(n), n.toLatin1());
        gerados.mostra(pastaGerados());
        gerados.seleciona(nomes);
    }
    void esperaDisco(const QString& nome, bool resposta)
    {
        c.dialogos.expectQuestion(perguntaDisco(nome, kUnidade), resposta);
    }
};

TEST_F(Gerar, YesCopiesTheAnswerMarksItAndTheListShowsTheDestination)
{
    geraRespostas({kResposta1});
    esperaDisco(kResposta1, true);
    c.dialogos.expectNotice(kSucesso);
    c.run.gera(gerados, c.disco.path(), kUnidade);

    EXPECT_EQ(c.dialogos.lastButtons(), Interaction::Buttons::YesCancel);
    EXPECT_EQ(le(c.noDisco(kResposta1)), kResposta1.toLatin1());
    EXPECT_EQ(arquivos(pastaGerados()), QStringList{"PX_00123_0007_0412091530_4.REC"});
    EXPECT_EQ(gerados.pasta(), c.disco.path());
    EXPECT_EQ(gerados.nomes(), QStringList{kResposta1});
}

TEST_F(Gerar, CancelSkipsThatFileOnly)
{
    geraRespostas({kResposta1, kResposta2});
    esperaDisco(kResposta1, false);
    esperaDisco(kResposta2, true);
    c.dialogos.expectNotice(kSucesso);
    c.run.gera(gerados, c.disco.path(), kUnidade);
    EXPECT_EQ(arquivos(c.disco.path()), QStringList{kResposta2});
    EXPECT_EQ(arquivos(pastaGerados()), (QStringList{kResposta1, "PX_00456_0008_0412101530_4.REC"}));
    EXPECT_EQ(copias(c.run), QStringList{kResposta2 + " -> " + c.noDisco(kResposta2)});
}

class ApagaDisco : public Gerar, public ::testing::WithParamInterface<bool> {};

TEST_P(ApagaDisco, TheQuestionDecidesWhetherTheOldRecFilesGoTheAnswerIsCopiedEither)
{
    const bool apaga = GetParam();
    grava(c.noDisco(QStringLiteral("velho_2.REC")), "old");
    grava(c.noDisco(QStringLiteral("antigo_4.rec")), "older");
    grava(c.noDisco(QStringLiteral("leiame.txt")), "kept");
    geraRespostas({kResposta1});
    esperaDisco(kResposta1, true);
    c.dialogos.expectQuestion(kApagaArquivos, apaga);
    c.dialogos.expectNotice(kSucesso);
    c.run.gera(gerados, c.disco.path(), kUnidade);

    EXPECT_EQ(c.dialogos.lastQuestionIcon(), Interaction::Icon::Error);
    EXPECT_EQ(c.dialogos.lastButtons(), Interaction::Buttons::YesNo);
    const QStringList esperados = apaga ? QStringList{kResposta1, "leiame.txt"}
                                        : QStringList{kResposta1, "antigo_4.rec", "leiame.txt", "velho_2.REC"};
    EXPECT_EQ(arquivos(c.disco.path()), esperados);
}

INSTANTIATE_TEST_SUITE_P(SimNao, ApagaDisco, ::testing::Bool());

// Two answers to one folder: the question before the second copy offers
// the disk's old files, never the copy the run has just made.
class DuasRespostas : public Gerar, public ::testing::WithParamInterface<bool> {};

TEST_P(DuasRespostas, TheSecondQuestionNeverOffersTheFirstCopy)
{
    const bool apaga = GetParam();
    grava(c.noDisco(QStringLiteral("velho_2.REC")), "old");
    geraRespostas({kResposta1, kResposta2});
    esperaDisco(kResposta1, true);
    c.dialogos.expectQuestion(kApagaArquivos, false);
    esperaDisco(kResposta2, true);
    c.dialogos.expectQuestion(kApagaArquivos, apaga);
    c.dialogos.expectNotice(kSucesso);
    c.run.gera(gerados, c.disco.path(), kUnidade);
    EXPECT_TRUE(c.dialogos.allConsumed());
    const QStringList esperados = apaga ? QStringList{kResposta1, kResposta2}
                                        : QStringList{kResposta1, kResposta2, "velho_2.REC"};
    EXPECT_EQ(arquivos(c.disco.path()), esperados);
    EXPECT_EQ(le(c.noDisco(kResposta1)), kResposta1.toLatin1());
    EXPECT_EQ(le(c.noDisco(kResposta2)), kResposta2.toLatin1());
    EXPECT_EQ(arquivos(pastaGerados()),
              (QStringList{"PX_00123_0007_0412091530_4.REC", "PX_00456_0008_0412101530_4.REC"}));
}

INSTANTIATE_TEST_SUITE_P(SimNao, DuasRespostas, ::testing::Bool());

TEST_F(Gerar, TwoFilesToAnEmptyFolderAskForTheDiskTwiceAndNeverToDelete)
{
    geraRespostas({kResposta1, kResposta2});
    esperaDisco(kResposta1, true);
    esperaDisco(kResposta2, true);
    c.dialogos.expectNotice(kSucesso);
    c.run.gera(gerados, c.disco.path(), kUnidade);
    EXPECT_TRUE(c.dialogos.allConsumed());
    EXPECT_EQ(arquivos(c.disco.path()), (QStringList{kResposta1, kResposta2}));
    EXPECT_EQ(gerados.nomes(), (QStringList{kResposta1, kResposta2}));
}

TEST_F(Gerar, ShortNamesShowWhatTheyHaveInThePrompt)
{
    const QString curto = QStringLiteral("ab_2.rec");
    geraRespostas({curto});
    c.dialogos.expectQuestion(QStringLiteral("       Coloque o Disco da Empresa \n2.rec \n      no Drive ") + kUnidade
                                  + QLatin1Char('!'),
                              true);
    c.dialogos.expectNotice(kSucesso);
    c.run.gera(gerados, c.disco.path(), kUnidade);
    EXPECT_TRUE(QFile::exists(c.noDisco(curto)));
    EXPECT_TRUE(QFile::exists(c.gerado(QStringLiteral("ab_4.REC"))));
}

TEST_F(Gerar, ASecondRunFromTheDestinationListNeverTouchesTheDisksOnlyCopy)
{
    geraRespostas({kResposta1, kResposta2});
    esperaDisco(kResposta1, true);
    esperaDisco(kResposta2, true);
    c.dialogos.expectNotice(kSucesso);
    c.run.gera(gerados, c.disco.path(), kUnidade);
    ASSERT_EQ(gerados.pasta(), c.disco.path());

    // The list now shows the disk; the same folder again: no prompt, no
    // deletion question, both skipped and named.
    gerados.seleciona({kResposta1, kResposta2});
    c.dialogos.expectNotice(erros({kResposta1 + QStringLiteral(" - ") + kMesmoArquivo,
                                   kResposta2 + QStringLiteral(" - ") + kMesmoArquivo}));
    c.run.gera(gerados, c.disco.path() + QLatin1Char('/'), kUnidade);
    EXPECT_EQ(arquivos(c.disco.path()), (QStringList{kResposta1, kResposta2}));
}

TEST_F(Gerar, FilesSelectedForTheRunAreNeverDeletedThroughAnotherPathToTheirFolder)
{
    // The list shows the disk through a link; the destination is the disk
    // itself: the selected file is the disk's, the other answers are not.
    grava(c.noDisco(kResposta1), "only copy");
    grava(c.noDisco(QStringLiteral("velho_2.REC")), "old");
    const QString atalho = c.disco2.filePath(QStringLiteral("atalho"));
    ASSERT_TRUE(QFile::link(c.disco.path(), atalho));
    ListaPasta lista(atalho, kMascaraGerados);
    lista.seleciona({kResposta1});
    c.dialogos.expectNotice(erros({kResposta1 + QStringLiteral(" - ") + kMesmoArquivo}));
    c.run.gera(lista, c.disco.path(), kUnidade);
    EXPECT_EQ(le(c.noDisco(kResposta1)), QByteArray("only copy"));

    // Deleting for another file of the run spares it too.
    c.dialogos.expectQuestion(kApagaArquivos, true);
    c.run.ApagaDisco(c.disco.path(), {caminhoNaPasta(atalho, kResposta1)});
    EXPECT_EQ(arquivos(c.disco.path()), QStringList{kResposta1});
}

class DestinoDeTrabalho : public Gerar, public ::testing::WithParamInterface<const char*> {};

TEST_P(DestinoDeTrabalho, IsRefusedBeforeAnythingHappens)
{
    geraRespostas({kResposta1});
    QDir().mkpath(pastaLog());
    grava(c.recebido(kRecebido1), "waiting");
    const QString destino = raizTrabalho() + QString::fromLatin1(GetParam());
    c.dialogos.expectNotice(kDestinoDeTrabalho);
    c.run.gera(gerados, destino, kUnidade);
    EXPECT_EQ(c.dialogos.lastIcon(), Interaction::Icon::Error);
    EXPECT_EQ(arquivos(pastaGerados()), QStringList{kResposta1});
    EXPECT_EQ(arquivos(pastaRecebidos()), QStringList{kRecebido1});
    EXPECT_EQ(gerados.pasta(), pastaGerados());
}

INSTANTIATE_TEST_SUITE_P(Pastas, DestinoDeTrabalho,
                         ::testing::Values("", "/Recebidos", "/Gerados", "/Rascunho", "/Processados", "/Log"));

TEST_F(Gerar, AVanishedDestinationIsNamedAndTheAnswerStaysUnmarked)
{
    geraRespostas({kResposta1});
    const QString sumiu = c.disco.filePath(QStringLiteral("sumiu"));
    esperaDisco(kResposta1, true);
    c.dialogos.expectNotice(erros({kResposta1 + QStringLiteral(" - a pasta de destino não existe: ")
                                   + caminhoVisivel(sumiu)}));
    c.run.gera(gerados, sumiu, kUnidade);
    EXPECT_EQ(arquivos(pastaGerados()), QStringList{kResposta1});
}

TEST_F(Gerar, NothingSelectedIsRefused)
{
    geraRespostas({});
    c.dialogos.expectNotice(kSelecioneArquivos);
    c.run.gera(gerados, c.disco.path(), kUnidade);
    EXPECT_EQ(gerados.pasta(), pastaGerados());
}

}  // namespace
}  // namespace pluvexa::transferencia
