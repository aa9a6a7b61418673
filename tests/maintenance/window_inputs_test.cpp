// What the windows read must be a regular file, and what they write a new
// name or a regular file: a folder, a device, a FIFO or a link put where
// the operator's file should be is named and left as it is, and nothing the
// operator had is emptied or replaced.

#include "files/pastastrabalho.h"
#include "maintenance/windowfixture.h"
#include "support/incomuns.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/stat.h>

namespace pluvexa::janela {
namespace {

using test::Incomum;

QString naoComum(const QString& caminho)
{
    return QDir::toNativeSeparators(caminho) + QStringLiteral(" não é um arquivo comum");
}

class EntradaDaJanela : public JanelaRecargaTest, public ::testing::WithParamInterface<Incomum> {
protected:
    QTemporaryDir externos;
    // Makes the parameter's kind at `caminho`, or skips.
    bool cria(const QString& caminho)
    {
        QString porque;
        if (!test::criaIncomum(GetParam(), caminho, &porque)) {
            ADD_FAILURE() << "cannot make it: " << porque.toStdString();
            return false;
        }
        return true;
    }
};

// Another program swaps the received file for something else after the list
// was read: "Processar Arquivo" names it and the model stays empty.
TEST_P(EntradaDaJanela, AReceivedFileReplacedAfterTheListWasReadIsRefusedByName)
{
    if (GetParam() == Incomum::Dispositivo && ::geteuid() != 0)
        GTEST_SKIP() << "a device needs root";
    const QString recebido = enviaRecebidoPadrao();
    abre();
    ASSERT_TRUE(QFile::remove(recebido));
    if (!cria(recebido))
        return;
    dialogos.expectError(naoComum(recebido));
    processa();
    EXPECT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
    EXPECT_EQ(modelo->QtdRecarga, 0);
    EXPECT_EQ(paginaAtual(), "tbarquivos");
    EXPECT_TRUE(test::aindaIncomum(GetParam(), recebido));
    EXPECT_EQ(arquivosEm(pastaRecebidos()).filter(QStringLiteral(".tmp")), QStringList{});
}

TEST_P(EntradaDaJanela, AnExternalFileThatIsNoRegularFileIsRefusedBeforeTheRun)
{
    if (GetParam() == Incomum::Dispositivo && ::geteuid() != 0)
        GTEST_SKIP() << "a device needs root";
    abreEProcessa();
    escolheTarifa(1);
    digitaUsuario(101, "7");
    const QString externo = externos.filePath(QStringLiteral("valores.rrm"));
    if (!cria(externo))
        return;
    dialogos.expectOpenFile(externo);
    dialogos.expectNotice(naoComum(externo));
    controle<QPushButton>("btnimportararq")->click();
    EXPECT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
    EXPECT_EQ(dialogos.lastIcon(), Interaction::Icon::Error);
    EXPECT_EQ(valorDoUsuario(101), "7,00");
    EXPECT_FALSE(QDir(pastaLog()).exists() && !QDir(pastaLog()).isEmpty());
    EXPECT_TRUE(test::aindaIncomum(GetParam(), externo));
}

INSTANTIATE_TEST_SUITE_P(Naturezas, EntradaDaJanela,
                         ::testing::Values(Incomum::Pasta, Incomum::Dispositivo, Incomum::Fifo,
                                           Incomum::LigacaoZero));

class SaidaDaJanela : public EntradaDaJanela {};

TEST_P(SaidaDaJanela, ASpreadsheetIsNeverWrittenOverAnythingButARegularFile)
{
    if (GetParam() == Incomum::Dispositivo && ::geteuid() != 0)
        GTEST_SKIP() << "a device needs root";
    abreEProcessa();
    const QString planilha = externos.filePath(QStringLiteral("titulares.csv"));
    if (!cria(planilha))
        return;
    dialogos.expectSaveFile(planilha);
    dialogos.expectNotice(naoComum(planilha));
    controle<QPushButton>("btnexportarplanilha")->click();
    EXPECT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
    EXPECT_EQ(dialogos.lastIcon(), Interaction::Icon::Error);
    EXPECT_TRUE(test::aindaIncomum(GetParam(), planilha));
    EXPECT_EQ(QDir(externos.path()).entryList(QDir::Hidden | QDir::Files).filter(QStringLiteral(".tmp")),
              QStringList{});
}

INSTANTIATE_TEST_SUITE_P(Naturezas, SaidaDaJanela,
                         ::testing::Values(Incomum::Pasta, Incomum::Dispositivo, Incomum::Fifo,
                                           Incomum::Ligacao));

// A received file whose name is not valid UTF-8 (a disk written by another
// system) cannot be held by the program's text, and the list leaves it out:
// the window names it when it opens instead of letting it go unseen.
TEST_F(JanelaRecargaTest, AReceivedNameOutsideTheSystemsEncodingIsNamedNotLost)
{
    const QString recebido = enviaRecebidoPadrao();
    const QByteArray bruto = QFile::encodeName(pastaRecebidos()) + "/lat\xE7_1.rec";
    ASSERT_EQ(::rename(QFile::encodeName(recebido).constData(), bruto.constData()), 0);
    dialogos.expectNotice(QStringLiteral("Arquivos recebidos com nome inválido neste sistema (UTF-8) em %1 - "
                                         "renomeie-os para processá-los:\nlat\\xE7_1.rec")
                              .arg(QDir::toNativeSeparators(pastaRecebidos())));
    abre();
    EXPECT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
    struct stat st {};
    EXPECT_EQ(::stat(bruto.constData(), &st), 0);  // still there, under its own bytes
}

}  // namespace
}  // namespace pluvexa::janela
