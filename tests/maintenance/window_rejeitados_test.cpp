// A received file that cannot be processed: the status panel and the log
// name it, and "Mover para Rejeitados" sets it aside, moved and kept, never
// over another file.

#include "files/arquivoseguro.h"
#include "files/pastastrabalho.h"
#include "maintenance/windowfixture.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>

namespace pluvexa::janela {
namespace {

QByteArray le(const QString& caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Rejeitados : public JanelaRecargaTest {
protected:
    QPushButton* rejeitar() const { return janela->findChild<QPushButton*>(QStringLiteral("btnrejeitar")); }
    // The central's file sealed for another key: it does not open here.
    QString enviaDanificado()
    {
        auto m = modeloCentral();
        return enviaRecebido(linhasDoModelo(*m, nomeRecebidoPadrao()), nomeRecebidoPadrao(),
                             &chavesDemo().centralPublica);
    }
};

TEST_F(Rejeitados, AFileThatDoesNotOpenIsNamedAndSetAside)
{
    const QString danificado = enviaDanificado();
    const QByteArray conteudo = le(danificado);
    abre();
    dialogos.expectNotice("Erro ao Descriptografar Arquivo - Verifique!");
    processa();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(status.last(), "Arquivo não processado: " + nomeRecebidoPadrao());
    EXPECT_EQ(dicaStatus, caminhoVisivel(danificado));
    EXPECT_EQ(w().linhasLog().last(), " ==> Arquivo não processado: " + caminhoVisivel(danificado) + " ");

    ASSERT_TRUE(rejeitar()->isEnabled());
    EXPECT_EQ(rejeitar()->text(), "&Mover para Rejeitados");
    rejeitar()->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_TRUE(arquivosEm(pastaRecebidos()).isEmpty());
    EXPECT_EQ(arquivosEm(pastaRejeitados()), QStringList{nomeRecebidoPadrao()});
    EXPECT_EQ(le(QDir(pastaRejeitados()).filePath(nomeRecebidoPadrao())), conteudo);
    EXPECT_EQ(status.last(), "Arquivo movido para Rejeitados: " + nomeRecebidoPadrao());
    EXPECT_EQ(w().findChild<QListWidget*>("FLBArquivosRecargaRecebidos")->count(), 0);
    EXPECT_FALSE(rejeitar()->isEnabled());

    // The central sends it again under the same name: set aside beside the
    // first, which stays as it was.
    enviaDanificado();
    w().mostraPagina(controle<QWidget>("tbDigitacao"));
    w().mostraPagina(controle<QWidget>("tbarquivos"));
    ASSERT_TRUE(rejeitar()->isEnabled());
    rejeitar()->click();
    const QString segundo = QStringLiteral("PX_00123_0007_0412090830_1 (2).rec");
    EXPECT_EQ(arquivosEm(pastaRejeitados()), (QStringList{segundo, nomeRecebidoPadrao()}));
    EXPECT_EQ(le(QDir(pastaRejeitados()).filePath(nomeRecebidoPadrao())), conteudo);
    EXPECT_EQ(status.last(), "Arquivo movido para Rejeitados: " + segundo);
}

TEST_F(Rejeitados, AMoveThatFailsSaysWhyAndLeavesTheFile)
{
    enviaDanificado();
    abre();
    ASSERT_TRUE(rejeitar()->isEnabled());
    {
        FalhasArquivo falhas(1);
        dialogos.expectErrorStartingWith("");
        rejeitar()->click();
        EXPECT_TRUE(falhas.falhou());
    }
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(arquivosEm(pastaRecebidos()), QStringList{nomeRecebidoPadrao()});
    EXPECT_TRUE(arquivosEm(pastaRejeitados()).isEmpty());
}

TEST_F(Rejeitados, WithoutAReceivedFileThereIsNothingToSetAside)
{
    abre();
    EXPECT_TRUE(QDir(pastaRejeitados()).exists());  // made with the other folders
    EXPECT_FALSE(rejeitar()->isEnabled());
}

// Any failure of the processing ends with the file named, not with
// "Carregando Arquivo ....": here a file of unknown records, out of pattern.
TEST_F(Rejeitados, AFileOutOfPatternIsNamedToo)
{
    auto m = modeloCentral();
    std::vector<Texto> linhas = linhasDoModelo(*m, nomeRecebidoPadrao());
    linhas.insert(linhas.begin() + 1, Texto("07XYZ"));
    const QString recebido = enviaRecebido(linhas, nomeRecebidoPadrao());
    abre();
    dialogos.expectNotice("Evento não reconhecido - 07 - Verifique!");
    dialogos.expectNotice("Arquivo fora do Padrão - Verifique");
    processa();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(status.last(), "Arquivo não processado: " + nomeRecebidoPadrao());
    EXPECT_EQ(w().linhasLog().last(), " ==> Arquivo não processado: " + caminhoVisivel(recebido) + " ");
}

}  // namespace
}  // namespace pluvexa::janela
