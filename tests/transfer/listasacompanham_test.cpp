// The transfer window's lists follow their folders: files that appear on a
// disk or in the generated folder, or go from them, are listed or dropped
// while the window is open, each list staying on the folder it shows.

#include "transfer/core/unidades.h"
#include "janelacarga.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace pluvexa::transferencia {
namespace {

constexpr int kEsperaMs = 10000;

QStringList selecionados(const QListWidget* lista)
{
    QStringList r;
    for (const QListWidgetItem* i : lista->selectedItems())
        r << i->text();
    r.sort();
    return r;
}

class ListasAcompanham : public JanelaCarga {
protected:
    QListWidget* carga = nullptr;
    QListWidget* geracao = nullptr;

    void SetUp() override
    {
        JanelaCarga::SetUp();
        carga = janela->findChild<QListWidget*>(QStringLiteral("FileListBox1"));
        geracao = janela->findChild<QListWidget*>(QStringLiteral("FileListBox2"));
        ASSERT_NE(carga, nullptr);
        ASSERT_NE(geracao, nullptr);
    }

    QString texto(const char* rotulo) const
    {
        const auto* l = janela->findChild<QLabel*>(QString::fromLatin1(rotulo));
        return l ? l->text() : QStringLiteral("<none>");
    }
    static bool mostra(const QListWidget* lista, const QStringList& nomes)
    {
        return QTest::qWaitFor([&] { return itens(lista) == nomes; }, kEsperaMs);
    }
};

const QString kNovo = QStringLiteral("PX_00123_0006_0412080830_1.rec");

TEST_F(ListasAcompanham, TheDiskListFollowsItsFolderKeepingTheSelection)
{
    const QString origem = janela->pastaOrigem();
    carga->item(1)->setSelected(true);
    ASSERT_EQ(selecionados(carga), QStringList{kRecebido2});

    grava(c.noDisco(kNovo), "new");
    ASSERT_TRUE(mostra(carga, {kNovo, kRecebido1, kRecebido2})) << itens(carga).join(u' ').toStdString();
    EXPECT_EQ(selecionados(carga), QStringList{kRecebido2});
    EXPECT_EQ(texto("lblarqcarga"), QStringLiteral("3"));

    ASSERT_TRUE(QFile::remove(c.noDisco(kRecebido2)));
    ASSERT_TRUE(mostra(carga, {kNovo, kRecebido1}));
    EXPECT_TRUE(selecionados(carga).isEmpty());
    EXPECT_EQ(texto("lblarqcarga"), QStringLiteral("2"));
    EXPECT_EQ(janela->pastaOrigem(), origem);
}

TEST_F(ListasAcompanham, TheGeneratedListFollowsItsFolderThenTheCompanysDiskOnceGerarShowsIt)
{
    geracao->item(0)->setSelected(true);
    grava(c.gerado(kResposta2), "answer 2");
    ASSERT_TRUE(mostra(geracao, {kResposta1, kResposta2}));
    EXPECT_EQ(selecionados(geracao), QStringList{kResposta1});
    // While it shows the generated files, their count follows them.
    EXPECT_EQ(texto("lblarqgerados"), QStringLiteral("2"));

    janela->escolhePasta(false, c.disco2.path());
    c.dialogos.expectQuestion(perguntaDisco(kResposta1, textoUnidade(raizDaUnidade(c.disco2.path()))), true);
    c.dialogos.expectNotice(kSucesso);
    janela->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    ASSERT_TRUE(c.dialogos.allConsumed());
    ASSERT_EQ(itens(geracao), QStringList{kResposta1});

    // The list now shows the company's disk, and stays there: an answer
    // written there is listed, one in the generated folder is not, and the
    // count keeps what it was before.
    const QString outra = QStringLiteral("PX_00789_0001_0412111530_2.REC");
    grava(c.gerado(QStringLiteral("PX_00123_0009_0412121530_2.REC")), "not shown");
    grava(c.disco2.filePath(outra), "on the disk");
    ASSERT_TRUE(mostra(geracao, {kResposta1, outra}));
    EXPECT_EQ(texto("lblarqgerados"), QStringLiteral("2"));
}

}  // namespace
}  // namespace pluvexa::transferencia
