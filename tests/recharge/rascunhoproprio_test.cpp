// A draft is the program's own file: read as it stands (a link, FIFO,
// folder or device in its place is refused unread) and no larger than a
// compressed recharge text can be, with no temporary left behind.

#include "recharge/empacotamento.h"
#include "support/arquivosteste.h"
#include "support/incomuns.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using test::Incomum;

const QString kRascunho = QStringLiteral("PX_00123_0007_2611101530_2.REC");

// The message of the ErroArquivo that reading `caminho` as a draft throws;
// empty when it was read.
std::string recusa(const QString& caminho)
{
    std::vector<Texto> linhas;
    try {
        DescompactaArquivo(caminho, true, linhas);
    } catch (const ErroArquivo& e) {
        EXPECT_TRUE(linhas.empty());
        return e.what();
    }
    return {};
}

QStringList nomes(const QTemporaryDir& dir)
{
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

class RascunhoIncomum : public ::testing::TestWithParam<Incomum> {};

TEST_P(RascunhoIncomum, IsRefusedUnreadAndLeftAsItWas)
{
    QTemporaryDir dir;
    const QString caminho = dir.filePath(kRascunho);
    QString porque;
    if (!test::criaIncomum(GetParam(), caminho, &porque))
        GTEST_SKIP() << "cannot make it here: " << porque.toStdString();
    const QStringList antes = nomes(dir);
    EXPECT_EQ(recusa(caminho), "\"" + QDir::toNativeSeparators(caminho).toStdString() + "\" is not a regular file");
    EXPECT_TRUE(test::aindaIncomum(GetParam(), caminho));
    EXPECT_EQ(nomes(dir), antes) << "no temporary left";
}

INSTANTIATE_TEST_SUITE_P(Rascunho, RascunhoIncomum,
                         ::testing::Values(Incomum::Pasta, Incomum::Dispositivo, Incomum::Fifo, Incomum::LigacaoZero,
                                           Incomum::Ligacao));

TEST(Rascunho, ALinkToARealDraftIsRefusedTheDraftItselfRead)
{
    QTemporaryDir dir;
    std::vector<Texto> linhas = {"00header", "10holder", "990000000003trailer"};
    ASSERT_EQ(CompactaArquivo(linhas, dir.path(), kRascunho, true), EmpacotamentoOk);
    const QString ligacao = dir.filePath(QStringLiteral("PX_00123_0008_2611101530_2.REC"));
    ASSERT_TRUE(QFile::link(dir.filePath(kRascunho), ligacao));
    EXPECT_NE(recusa(ligacao).find("is not a regular file"), std::string::npos);
    std::vector<Texto> lidas;
    EXPECT_EQ(DescompactaArquivo(dir.filePath(kRascunho), true, lidas), EmpacotamentoOk);
    EXPECT_FALSE(lidas.empty());
}

TEST(Rascunho, LargerThanAnyCompressedRechargeTextIsRefusedBeforeItIsRead)
{
    // Two bytes a byte of the longest text, and the end code with its pad.
    EXPECT_EQ(kMaiorTextoCompactado, 2 * 2783573 + 4);
    QTemporaryDir dir;
    const QString caminho = dir.filePath(kRascunho);
    test::grava(caminho, QByteArray(qsizetype(kMaiorTextoCompactado) + 1, '\0'));
    EXPECT_EQ(recusa(caminho), "Cannot read file \"" + QDir::toNativeSeparators(caminho).toStdString()
                                   + "\". It is larger than 5567150 bytes.");
    EXPECT_EQ(nomes(dir), QStringList{kRascunho});
}

}  // namespace
}  // namespace pluvexa
