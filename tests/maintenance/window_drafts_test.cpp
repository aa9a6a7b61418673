// Drafts left side by side, a draft saved twice in one minute, and a batch
// that already has an answer.

#include "files/pastastrabalho.h"
#include "flows/listasarquivos.h"
#include "maintenance/windowfixture.h"
#include "support/arquivosteste.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStackedWidget>

namespace pluvexa::janela {
namespace {

const QString kPerguntaRascunho = QStringLiteral("Existe arquivo de Recarga em Alteração.Continua Alteração?");

QString perguntaRespondida(const QString& nome)
{
    return QStringLiteral("A remessa 0007 da empresa 00123 já foi respondida no arquivo %1. "
                          "Gerar outro arquivo de resposta?").arg(nome);
}

class Rascunhos : public JanelaRecargaTest {
protected:
    void abreNaTarifa1()
    {
        abreEProcessa();
        escolheTarifa(1);
    }
    QString rascunho(const QString& nome) const { return QDir(pastaRascunho()).filePath(nome); }
    // Two complete drafts, as a save interrupted before deleting the older
    // one leaves them: 101 = 1 at 15:30, then 101 = 1 and 102 = 2 at 15:31.
    void deixaDoisRascunhos()
    {
        abreNaTarifa1();
        digitaUsuario(101, "1");
        salvaRascunho();
        const QString antigo = QStringLiteral("PX_00123_0007_0412091530_2");
        for (const char* ext : {".REC", ".LOG"})
            ASSERT_TRUE(QFile::copy(rascunho(antigo + ext), home.path() + "/" + antigo + ext));
        agora = agora.addSecs(60);
        digitaUsuario(102, "2");
        salvaRascunho();
        for (const char* ext : {".REC", ".LOG"})
            ASSERT_TRUE(QFile::rename(home.path() + "/" + antigo + ext, rascunho(antigo + ext)));
        ASSERT_EQ(listaArquivos(pastaRascunho(), "*_2.REC").size(), 2);
    }
};

TEST_F(Rascunhos, WithTwoDraftsWaitingTheQuestionIsAskedOnceAndYesContinuesTheNewest)
{
    deixaDoisRascunhos();
    dialogos.expectQuestion(kPerguntaRascunho, true);
    abre();
    EXPECT_TRUE(dialogos.allConsumed());
    ASSERT_EQ(paginaAtual(), "tbDigitacao");
    EXPECT_TRUE(arquivoLido().endsWith("PX_00123_0007_0412091531_2.REC")) << arquivoLido().toStdString();
    escolheTarifa(1);
    EXPECT_EQ(valorDoUsuario(101), "1,00");
    EXPECT_EQ(valorDoUsuario(102), "2,00");

    // The next save leaves only itself.
    agora = agora.addSecs(60);
    salvaRascunho();
    EXPECT_EQ(listaArquivos(pastaRascunho(), "*"),
              (QStringList{"PX_00123_0007_0412091532_2.LOG", "PX_00123_0007_0412091532_2.REC"}));
}

TEST_F(Rascunhos, NoDeletesEveryWaitingDraftAndTheNextOpeningAsksNothing)
{
    deixaDoisRascunhos();
    dialogos.expectQuestion(kPerguntaRascunho, false);
    // Both are of batch 7: one draft, named by the newest.
    dialogos.expectChoice("Descartar os valores do rascunho da remessa 0007 gravado em 09/12/2004 15:31?",
                          {"Descartar", "Continuar Alteração"}, 0);
    abre();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_TRUE(listaArquivos(pastaRascunho(), "*.REC").isEmpty());
    EXPECT_EQ(listaArquivos(pastaRascunho(), "*.LOG").size(), 2);  // the logs stay, as for one draft
    abre();
    EXPECT_EQ(dialogos.shown().filter(kPerguntaRascunho).size(), 1);
}

TEST_F(Rascunhos, ASecondSaveInTheSameMinuteReplacesTheFirstWhole)
{
    abreNaTarifa1();
    digitaUsuario(101, "1");
    salvaRascunho();
    digitaUsuario(102, "2");
    salvaRascunho();
    EXPECT_EQ(listaArquivos(pastaRascunho(), "*"),
              (QStringList{"PX_00123_0007_0412091530_2.LOG", "PX_00123_0007_0412091530_2.REC"}));

    dialogos.expectQuestion(kPerguntaRascunho, true);
    abre();
    escolheTarifa(1);
    EXPECT_EQ(valorDoUsuario(101), "1,00");
    EXPECT_EQ(valorDoUsuario(102), "2,00");
}

struct CasoRascunhos {
    QStringList nomes;
    int esperado;
};

class MaisNovo : public ::testing::TestWithParam<CasoRascunhos> {};

TEST_P(MaisNovo, GoesByTheTimeStampInTheName)
{
    EXPECT_EQ(indiceRascunhoMaisNovo(GetParam().nomes), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Nomes, MaisNovo,
    ::testing::Values(
        CasoRascunhos{{}, -1},
        CasoRascunhos{{"PX_00123_0007_0412091530_2.REC"}, 0},
        CasoRascunhos{{"PX_00123_0007_0412091530_2.REC", "PX_00123_0007_0412091531_2.REC"}, 1},
        // A later batch sorts last by name but was saved earlier.
        CasoRascunhos{{"PX_00123_0007_0412101200_2.REC", "PX_00123_0009_0412091531_2.rec"}, 0},
        CasoRascunhos{{"TMP1.REC", "PX_00123_0007_0412091530_2.REC"}, 1},
        // Equal minutes: the name decides, whatever the order of the list
        // or the letter case.
        CasoRascunhos{{"PX_00123_0009_0412091530_2.REC", "PX_00123_0007_0412091530_2.REC"}, 0},
        CasoRascunhos{{"PX_00123_0007_0412091530_2.REC", "PX_00123_0009_0412091530_2.REC"}, 1},
        CasoRascunhos{{"px_00123_0008_0412091530_2.rec", "PX_00123_0007_0412091530_2.REC"}, 0}));

TEST_F(Rascunhos, OfTwoDraftsOfTheSameMinuteTheLastNameIsContinued)
{
    // Batch 7 with 101 = 1, then a copy under batch 9's name with 102 = 2
    // too, both stamped 15:30.
    abreNaTarifa1();
    digitaUsuario(101, "1");
    salvaRascunho();
    const QString antigo = QStringLiteral("PX_00123_0007_0412091530_2");
    // Kept out of the draft folder, which the next save empties.
    auto guardado = [](const QString& n) { return QDir(raizTrabalho()).filePath(n); };
    for (const char* ext : {".REC", ".LOG"})
        ASSERT_TRUE(QFile::rename(rascunho(antigo + ext), guardado(antigo + ext)));
    digitaUsuario(102, "2");
    salvaRascunho();
    for (const char* ext : {".REC", ".LOG"}) {
        ASSERT_TRUE(QFile::rename(rascunho(antigo + ext), rascunho(QStringLiteral("PX_00123_0009_0412091530_2") + ext)));
        ASSERT_TRUE(QFile::rename(guardado(antigo + ext), rascunho(antigo + ext)));
    }

    dialogos.expectQuestion(kPerguntaRascunho, true);
    abre();
    EXPECT_TRUE(dialogos.allConsumed());
    escolheTarifa(1);
    EXPECT_EQ(valorDoUsuario(101), "1,00");
    EXPECT_EQ(valorDoUsuario(102), "2,00");
}

class RespostaDupla : public Rascunhos {
protected:
    // An answer for batch 7, then the same received file again at 15:40.
    void respondeEReenvia()
    {
        abreNaTarifa1();
        digitaUsuario(101, "1");
        esperaGerarAssimMesmo();
        controle<QPushButton>("btngerararquivo")->click();
        ASSERT_EQ(listaArquivos(pastaGerados(), "*_2.REC"), QStringList{"PX_00123_0007_0412091530_2.REC"});
        agora = agora.addSecs(600);
        abreNaTarifa1();
        digitaUsuario(102, "2");
    }
};

TEST_F(RespostaDupla, NoWritesNothingAndKeepsTheOperatorAtTheGrid)
{
    respondeEReenvia();
    dialogos.expectQuestion(perguntaRespondida("PX_00123_0007_0412091530_2.REC"), false);
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(listaArquivos(pastaGerados(), "*_2.REC").size(), 1);
    EXPECT_EQ(paginaAtual(), "tbDigitacao");
    EXPECT_TRUE(w().valoresPendentes());
    EXPECT_EQ(listaArquivos(pastaRecebidos(), "*_1.rec"), QStringList{nomeRecebidoPadrao()});
}

TEST_F(RespostaDupla, YesWritesASecondAnswer)
{
    respondeEReenvia();
    dialogos.expectQuestion(perguntaRespondida("PX_00123_0007_0412091530_2.REC"), true);
    esperaGerarAssimMesmo();
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(listaArquivos(pastaGerados(), "*_2.REC"),
              (QStringList{"PX_00123_0007_0412091530_2.REC", "PX_00123_0007_0412091540_2.REC"}));
    EXPECT_EQ(paginaAtual(), "tblog");
}

TEST_F(RespostaDupla, AnAnswerTakenToTheDiskStillCounts)
{
    respondeEReenvia();
    const QString gerado = QDir(pastaGerados()).filePath("PX_00123_0007_0412091530_2.REC");
    ASSERT_TRUE(QFile::rename(gerado, gerado.chopped(5) + "4.REC"));
    dialogos.expectQuestion(perguntaRespondida("PX_00123_0007_0412091530_4.REC"), false);
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_TRUE(listaArquivos(pastaGerados(), "*_2.REC").isEmpty());
}

TEST_F(RespostaDupla, AnotherBatchOrCompanyIsNotAsked)
{
    criaPastasTrabalho();
    for (const char* outro : {"PX_00123_0008_0412091530_2.REC", "PX_00124_0007_0412091530_2.REC",
                              "PX_00123_0007_0412091529_2.LOG"})
        ASSERT_NO_FATAL_FAILURE(test::grava(QDir(pastaGerados()).filePath(outro), QByteArray()));
    abreNaTarifa1();
    esperaGerarAssimMesmo();
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(listaArquivos(pastaGerados(), "*_2.REC").size(), 3);
}

// A second answer in the same minute shares the first one's name.
class MesmoMinuto : public RespostaDupla {
protected:
    const QString nome = QStringLiteral("PX_00123_0007_0412091530_2.REC");
    const QString log = QStringLiteral("PX_00123_0007_0412091530_2.LOG");
    QString gerado(const QString& n) const { return QDir(pastaGerados()).filePath(n); }
    QByteArray conteudo(const QString& n) const { return test::le(gerado(n)); }
    void respondeEReabre()
    {
        abreNaTarifa1();
        digitaUsuario(101, "1");
        esperaGerarAssimMesmo();
        controle<QPushButton>("btngerararquivo")->click();
        ASSERT_EQ(listaArquivos(pastaGerados(), "*"), (QStringList{log, nome}));
        abreNaTarifa1();
        digitaUsuario(102, "2");
    }
};

QString perguntaSubstitui(const QString& nome)
{
    return QStringLiteral("O arquivo de resposta %1, gerado neste minuto e não enviado, será substituído. Continuar?")
        .arg(nome);
}

QString avisoJaExiste(const QString& nome)
{
    return QStringLiteral("Já existe o arquivo %1. Aguarde um minuto e gere novamente.").arg(nome);
}

TEST_F(MesmoMinuto, YesReplacesTheAnswerAndItsLogTogether)
{
    respondeEReabre();
    const QByteArray anterior = conteudo(nome);
    const QByteArray logAnterior = conteudo(log);
    dialogos.expectQuestion(perguntaRespondida(nome), true);
    esperaGerarAssimMesmo();
    dialogos.expectQuestion(perguntaSubstitui(nome), true);
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(listaArquivos(pastaGerados(), "*"), (QStringList{log, nome}));
    EXPECT_NE(conteudo(nome), anterior);
    EXPECT_NE(conteudo(log), logAnterior);
    EXPECT_TRUE(conteudo(log).contains("Arquivo Definitivo"));
    EXPECT_EQ(QDir(pastaGerados()).entryList(QDir::Hidden | QDir::Files).size(), 2);  // no temporary left
    // The kept copy of what is sent follows the answer it belongs to.
    EXPECT_EQ(listaArquivos(pastaHistorico(), "*").size(), 1) << listaArquivos(pastaHistorico(), "*").join(' ').toStdString();
    EXPECT_EQ(paginaAtual(), "tblog");
}

TEST_F(MesmoMinuto, NoChangesNothingOnDiskAndKeepsTheOperatorAtTheGrid)
{
    respondeEReabre();
    const QByteArray resposta = conteudo(nome);
    const QByteArray textoLog = conteudo(log);
    const QStringList recebidos = listaArquivos(pastaRecebidos(), "*");
    const QStringList historico = listaArquivos(pastaHistorico(), "*");
    dialogos.expectQuestion(perguntaRespondida(nome), true);
    esperaGerarAssimMesmo();
    dialogos.expectQuestion(perguntaSubstitui(nome), false);
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(conteudo(nome), resposta);
    EXPECT_EQ(conteudo(log), textoLog);
    EXPECT_EQ(QDir(pastaGerados()).entryList(QDir::Hidden | QDir::Files), (QStringList{log, nome}));
    EXPECT_EQ(listaArquivos(pastaRecebidos(), "*"), recebidos);
    EXPECT_EQ(listaArquivos(pastaHistorico(), "*"), historico);
    EXPECT_EQ(paginaAtual(), "tbDigitacao");
    EXPECT_TRUE(w().valoresPendentes());
}

TEST_F(MesmoMinuto, AnAnswerAlreadySentIsNeverReplaced)
{
    respondeEReabre();
    const QString enviada = QStringLiteral("PX_00123_0007_0412091530_4.REC");
    ASSERT_TRUE(QFile::rename(gerado(nome), gerado(enviada)));
    const QByteArray resposta = conteudo(enviada);
    dialogos.expectQuestion(perguntaRespondida(enviada), true);
    esperaGerarAssimMesmo();
    dialogos.expectNotice(avisoJaExiste(enviada));
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(conteudo(enviada), resposta);
    EXPECT_EQ(listaArquivos(pastaGerados(), "*"), (QStringList{log, enviada}));
    EXPECT_EQ(paginaAtual(), "tbDigitacao");
}

// Something that is not this program's answer under the name.
class OutroArquivoNoNome : public MesmoMinuto, public ::testing::WithParamInterface<const char*> {};

TEST_P(OutroArquivoNoNome, IsNeverReplaced)
{
    abreNaTarifa1();
    digitaUsuario(101, "1");
    const QString tomado = QString::fromLatin1(GetParam());
    criaPastasTrabalho();
    if (tomado == nome) {
        ASSERT_TRUE(QDir().mkdir(gerado(nome)));  // a folder under the answer's name
    } else if (tomado.endsWith(QStringLiteral(".REC"))) {
        // A link where a sent answer would be: the batch counts as answered.
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), gerado(tomado)));
        dialogos.expectQuestion(perguntaRespondida(tomado), true);
    } else {
        ASSERT_NO_FATAL_FAILURE(test::grava(gerado(tomado), QByteArray()));  // a log without its answer
    }
    esperaGerarAssimMesmo();
    dialogos.expectNotice(avisoJaExiste(tomado));
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(QDir(pastaGerados()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList{tomado});
    EXPECT_EQ(listaArquivos(pastaRecebidos(), "*_1.rec"), QStringList{nomeRecebidoPadrao()});
}

INSTANTIATE_TEST_SUITE_P(Nomes, OutroArquivoNoNome,
                         ::testing::Values("PX_00123_0007_0412091530_2.REC", "PX_00123_0007_0412091530_4.REC",
                      "PX_00123_0007_0412091530_2.LOG"));

}  // namespace
}  // namespace pluvexa::janela
