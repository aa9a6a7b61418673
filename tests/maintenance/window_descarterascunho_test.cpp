// "Não" to the draft question no longer strands the month: the draft is
// named and asked about once more; "Descartar" deletes it and brings the
// batch's received file back so that it can be processed again,
// "Continuar Alteração" (the default) goes on as "Sim".

#include "files/pastastrabalho.h"
#include "maintenance/windowfixture.h"

#include <QDir>
#include <QFile>
#include <QStackedWidget>

#include <functional>

namespace pluvexa::janela {
namespace {

const QString kPerguntaRascunho = QStringLiteral("Existe arquivo de Recarga em Alteração.Continua Alteração?");
const QString kPerguntaDescarte =
    QStringLiteral("Descartar os valores do rascunho da remessa 0007 gravado em 09/12/2004 15:30?");
const QStringList kBotoes = {QStringLiteral("Descartar"), QStringLiteral("Continuar Alteração")};
enum { kDescartar = 0, kContinuar = 1 };
const QString kRascunho = QStringLiteral("PX_00123_0007_0412091530_2");

void escreve(const QString& caminho, const QByteArray& dados)
{
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << caminho.toStdString();
    f.write(dados);
}

QByteArray le(const QString& caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct CasoNao {
    const char* nome;
    int resposta;
    // What else stands in the working folders when the window opens.
    std::function<void()> prepara;
    QStringList recebidos;
    QStringList processados;
    bool rascunhoFica;
};

class NaoAoRascunho : public JanelaRecargaTest, public ::testing::WithParamInterface<CasoNao> {
protected:
    // The month in progress: the received file processed, a value typed and
    // a draft saved, which took the received file to the processed folder.
    void SetUp() override
    {
        abreEProcessa();
        escolheTarifa(1);
        digitaUsuario(101, "10");
        salvaRascunho();
        ASSERT_TRUE(arquivosEm(pastaRecebidos()).isEmpty());
        ASSERT_EQ(arquivosEm(pastaProcessados()), QStringList{nomeRecebidoPadrao()});
        ASSERT_EQ(arquivosEm(pastaRascunho()), (QStringList{kRascunho + ".LOG", kRascunho + ".REC"}));
    }
};

TEST_P(NaoAoRascunho, OnlyDescartarDeletesTheDraftAndOnlyAnUnansweredBatchComesBack)
{
    const CasoNao& c = GetParam();
    if (c.prepara)
        c.prepara();
    dialogos.expectQuestion(kPerguntaRascunho, false);
    dialogos.expectChoice(kPerguntaDescarte, kBotoes, c.resposta);
    abre();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(dialogos.lastDefault(), int(kContinuar));
    EXPECT_EQ(arquivosEm(pastaRecebidos()), c.recebidos);
    EXPECT_EQ(arquivosEm(pastaProcessados()), c.processados);
    const QStringList rascunho = c.rascunhoFica ? QStringList{kRascunho + ".LOG", kRascunho + ".REC"}
                                                : QStringList{kRascunho + ".LOG"};  // its log stays
    EXPECT_EQ(arquivosEm(pastaRascunho()), rascunho);
}

INSTANTIATE_TEST_SUITE_P(
    Janela, NaoAoRascunho,
    ::testing::Values(
        CasoNao{"Descartar", kDescartar, {}, {nomeRecebidoPadrao()}, {}, false},
        // An answer of the batch, waiting or taken to the disk: the batch went
        // out, it must not be answered twice.
        CasoNao{"DescartarWithAnAnswerWaiting", kDescartar,
                [] { escreve(QDir(pastaGerados()).filePath("PX_00123_0007_0412091400_2.REC"), "resposta"); }, {},
                {nomeRecebidoPadrao()}, false},
        CasoNao{"DescartarWithAnAnswerSent", kDescartar,
                [] { escreve(QDir(pastaGerados()).filePath("PX_00123_0007_0412091400_4.REC"), "enviada"); }, {},
                {nomeRecebidoPadrao()}, false},
        // An answer of another batch does not count.
        CasoNao{"DescartarWithAnotherBatchAnswered", kDescartar,
                [] { escreve(QDir(pastaGerados()).filePath("PX_00123_0006_0412091400_2.REC"), "outra"); },
                {nomeRecebidoPadrao()}, {}, false},
        CasoNao{"ContinuarAlteracao", kContinuar, {}, {}, {nomeRecebidoPadrao()}, true}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(NaoAoRascunho, ContinuarAlteracaoGoesOnAsYesDoes)
{
    dialogos.expectQuestion(kPerguntaRascunho, false);
    dialogos.expectChoice(kPerguntaDescarte, kBotoes, kContinuar);
    abre();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_TRUE(continuaRascunho());
    EXPECT_EQ(paginaAtual(), "tbDigitacao");
    escolheTarifa(1);
    EXPECT_EQ(valorDoUsuario(101), "10,00");
}

TEST_F(NaoAoRascunho, AfterDescartarTheBatchIsProcessedAgainAndNothingIsAskedNextTime)
{
    dialogos.expectQuestion(kPerguntaRascunho, false);
    dialogos.expectChoice(kPerguntaDescarte, kBotoes, kDescartar);
    abre();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(status.last(), "Arquivo de volta em Recebidos: " + nomeRecebidoPadrao());
    EXPECT_EQ(dicaStatus, caminhoVisivel(QDir(pastaRecebidos()).filePath(nomeRecebidoPadrao())));
    EXPECT_EQ(paginaAtual(), "tbarquivos");

    processa();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_FALSE(continuaRascunho());
    ASSERT_EQ(paginaAtual(), "tbDigitacao");
    escolheTarifa(1);
    EXPECT_EQ(valorDoUsuario(101), "0,00");  // the draft's values went with it

    abre();
    EXPECT_EQ(dialogos.shown().filter(kPerguntaRascunho).size(), 1);
}

TEST_F(NaoAoRascunho, AFileOfTheSameNameInRecebidosIsNeverReplaced)
{
    const QString outro = QDir(pastaRecebidos()).filePath(nomeRecebidoPadrao());
    escreve(outro, "outro arquivo");
    const QByteArray processado = le(QDir(pastaProcessados()).filePath(nomeRecebidoPadrao()));
    dialogos.expectQuestion(kPerguntaRascunho, false);
    dialogos.expectChoice(kPerguntaDescarte, kBotoes, kDescartar);
    abre();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(le(outro), "outro arquivo");
    EXPECT_EQ(le(QDir(pastaProcessados()).filePath(nomeRecebidoPadrao())), processado);
    EXPECT_EQ(arquivosEm(pastaRascunho()), QStringList{kRascunho + ".LOG"});
}

// Two drafts of one batch, left side by side by an interrupted save, are one
// draft: one question, naming the newest, and both go.
TEST_F(NaoAoRascunho, DraftsOfOneBatchAreAskedAboutOnce)
{
    const QString antigo = QStringLiteral("PX_00123_0007_0412091200_2.REC");
    ASSERT_TRUE(QFile::copy(QDir(pastaRascunho()).filePath(kRascunho + ".REC"), QDir(pastaRascunho()).filePath(antigo)));
    dialogos.expectQuestion(kPerguntaRascunho, false);
    dialogos.expectChoice(kPerguntaDescarte, kBotoes, kDescartar);
    abre();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(arquivosEm(pastaRascunho()), QStringList{kRascunho + ".LOG"});
    EXPECT_EQ(arquivosEm(pastaRecebidos()), QStringList{nomeRecebidoPadrao()});
}

}  // namespace
}  // namespace pluvexa::janela
