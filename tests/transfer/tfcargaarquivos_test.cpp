// The transfer window itself, offscreen: its lists, counts and buttons over
// temporary folders standing for the disks.

#include "transfer/core/ofertas.h"
#include "transfer/core/unidades.h"
#include "janelacarga.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace pluvexa::transferencia {
namespace {

QString canonico(const QString& p)
{
    return QFileInfo(p).canonicalFilePath();
}

TEST_F(JanelaCarga, OpensOnTheCurrentFolderAndTheGeneratedFilesWithTheirCounts)
{
    EXPECT_EQ(janela->windowTitle(), QStringLiteral("Cargas de Arquivos"));
    EXPECT_EQ(canonico(janela->pastaOrigem()), canonico(c.disco.path()));
    EXPECT_EQ(janela->DriveComboBox1->currentData().toString(), raizDaUnidade(c.disco.path()));
    EXPECT_EQ(itens(janela->FileListBox1), (QStringList{kRecebido1, kRecebido2}));
    EXPECT_EQ(janela->lblarqcarga->text(), QStringLiteral("2"));
    // The first file is the current entry, none is selected.
    EXPECT_EQ(janela->FileListBox1->currentRow(), 0);
    EXPECT_TRUE(janela->FileListBox1->selectedItems().isEmpty());
    EXPECT_EQ(janela->FileListBox1->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(itens(janela->FileListBox2), QStringList{kResposta1});
    EXPECT_EQ(janela->lblarqgerados->text(), QStringLiteral("1"));
    EXPECT_EQ(janela->btnprocesso_in->text(), QStringLiteral("Carregar"));
    EXPECT_EQ(janela->BitBtn1->text(), QStringLiteral("Gerar"));
    EXPECT_EQ(janela->BitBtn1->toolTip(), QStringLiteral("Copia as respostas selecionadas para o disco"));
    // Nothing copied yet, nothing said about copies.
    const auto* copiados = janela->findChild<QWidget*>(QStringLiteral("gbcopiados"));
    ASSERT_NE(copiados, nullptr);
    EXPECT_TRUE(copiados->isHidden());
}

// The mounted drives a test decides: the one holding the test's folders
// and, when given, a removable disk.
class Volumes final : public FonteVolumes {
public:
    explicit Volumes(QList<Volume> v) : m_volumes(std::move(v)) {}
    QList<Volume> montados() const override { return m_volumes; }

private:
    QList<Volume> m_volumes;
};

TEST_F(JanelaCarga, TheAnswersGoByDefaultToTheRemovableDiskAndTheLastAnswerIsSelected)
{
    // Two answers of the month: the later one by the time in its name,
    // listed first whatever the list's order.
    const QString anterior = QStringLiteral("PX_00123_0006_0411091530_2.REC");
    const QString ultima = QStringLiteral("PX_00123_0008_0412101530_2.rec");
    grava(c.gerado(anterior), "older");
    grava(c.gerado(ultima), "newer");
    const QString pendrive = canonico(c.disco2.path());
    const Volumes comDisco({Volume{QStringLiteral("/"), QString(), false},
                            Volume{pendrive, QStringLiteral("PENDRIVE"), true}});
    const Volumes semDisco({Volume{QStringLiteral("/"), QString(), false}});
    struct Caso {
        const char* nome;
        const Volumes* volumes;
        QString destino;
    } casos[] = {
        {"a removable disk is mounted", &comDisco, pendrive},
        {"no removable disk", &semDisco, canonico(c.disco.path())},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        AppContext ctx;
        ctx.interaction = &c.dialogos;
        Tfcargaarquivos outra(ctx, nullptr, *caso.volumes);
        EXPECT_EQ(canonico(outra.pastaDestino()), caso.destino);
        EXPECT_EQ(outra.DriveComboBox2->currentData().toString(), raizDaUnidade(caso.destino, *caso.volumes));
        // The loading half stays on the current folder.
        EXPECT_EQ(canonico(outra.pastaOrigem()), canonico(c.disco.path()));
        QStringList selecionadas;
        for (const QListWidgetItem* item : outra.FileListBox2->selectedItems())
            selecionadas << item->text();
        EXPECT_EQ(selecionadas, QStringList{ultima});
    }

    // What is offered is what "Gerar" copies: the last answer, onto the disk.
    AppContext ctx;
    ctx.interaction = &c.dialogos;
    Tfcargaarquivos outra(ctx, nullptr, comDisco);
    c.dialogos.expectQuestion(perguntaDisco(ultima, textoUnidade(pendrive)), true);
    c.dialogos.expectNotice(kSucesso);
    outra.BitBtn1->click();
    EXPECT_TRUE(c.dialogos.allConsumed()) << c.dialogos.shown().join(u'\n').toStdString();
    EXPECT_EQ(arquivos(pendrive), QStringList{ultima});
}

TEST(RespostaMaisNova, IsTheLastByTheTimeInItsName)
{
    const QStringList nomes{QStringLiteral("PX_00123_0007_0412091530_2.REC"),
                            QStringLiteral("PX_00456_0001_0501011200_2.rec"),
                            QStringLiteral("PX_00123_0008_0412101530_2.REC"),
                            QStringLiteral("notas.txt"), QStringLiteral("PX_00123_0009_9912311230_1.rec")};
    EXPECT_EQ(respostaMaisNova(nomes), 1);
    EXPECT_EQ(respostaMaisNova({QStringLiteral("PX_00123_0007_0412091530_4.REC")}), -1);
    EXPECT_EQ(respostaMaisNova({}), -1);
}

TEST_F(JanelaCarga, ChoosingAnotherFolderReadsItsFiles)
{
    QDir(c.disco2.path()).mkdir(QStringLiteral("lote"));
    const QString lote = c.disco2.filePath(QStringLiteral("lote"));
    grava(lote + QStringLiteral("/X_1.rec"), "x");
    janela->escolhePasta(true, lote);
    EXPECT_EQ(itens(janela->FileListBox1), QStringList{"X_1.rec"});
    EXPECT_EQ(janela->lblarqcarga->text(), QStringLiteral("1"));
}

TEST_F(JanelaCarga, CarregarLoadsTheSelectionAndGerarWritesOntoTheChosenFolder)
{
    janela->FileListBox1->selectAll();
    c.dialogos.expectNotice(kSucesso);
    janela->btnprocesso_in->click();
    EXPECT_EQ(arquivos(pastaRecebidos()), (QStringList{kRecebido1, kRecebido2}));
    EXPECT_TRUE(itens(janela->FileListBox1).isEmpty());
    EXPECT_EQ(janela->lblarqcarga->text(), QStringLiteral("0"));
    const auto* copiados = janela->findChild<QListWidget*>(QStringLiteral("lstcopiados"));
    ASSERT_NE(copiados, nullptr);
    EXPECT_FALSE(copiados->isHidden() || copiados->parentWidget()->isHidden());
    const QString recebidos = caminhoVisivel(pastaRecebidos());
    EXPECT_EQ(itens(copiados), (QStringList{kRecebido1 + " copiado para " + recebidos,
                                            kRecebido2 + " copiado para " + recebidos}));

    janela->escolhePasta(false, c.disco2.path());
    janela->FileListBox2->item(0)->setSelected(true);
    c.dialogos.expectQuestion(perguntaDisco(kResposta1, textoUnidade(raizDaUnidade(c.disco2.path()))), true);
    c.dialogos.expectNotice(kSucesso);
    janela->BitBtn1->click();
    EXPECT_EQ(le(c.disco2.filePath(kResposta1)), QByteArray("answer"));
    // The list now tells where the answer went, not what was loaded before.
    EXPECT_EQ(itens(copiados), QStringList{kResposta1 + " copiado para " + caminhoVisivel(c.disco2.path())});
    // The list shows the destination; the count stays as it was at opening.
    EXPECT_EQ(itens(janela->FileListBox2), QStringList{kResposta1});
    EXPECT_EQ(janela->lblarqgerados->text(), QStringLiteral("1"));
}

TEST_F(JanelaCarga, AChosenDestinationThatVanishedIsNamed)
{
    const QString sumiu = c.disco2.filePath(QStringLiteral("empresa"));
    ASSERT_TRUE(QDir().mkdir(sumiu));
    janela->escolhePasta(false, sumiu);
    ASSERT_TRUE(QDir().rmdir(sumiu));
    janela->FileListBox2->item(0)->setSelected(true);
    c.dialogos.expectQuestion(perguntaDisco(kResposta1, textoUnidade(raizDaUnidade(sumiu))), true);
    c.dialogos.expectNotice(erros({kResposta1 + QStringLiteral(" - a pasta de destino não existe: ")
                                   + caminhoVisivel(janela->pastaDestino())}));
    janela->BitBtn1->click();
    EXPECT_EQ(arquivos(pastaGerados()), QStringList{kResposta1});
    EXPECT_EQ(itens(janela->findChild<QListWidget*>(QStringLiteral("lstcopiados"))),
              QStringList{QStringLiteral("Nenhum arquivo copiado")});
}

}  // namespace
}  // namespace pluvexa::transferencia
