// "Imprimir": the listing previewed from the maintenance window, printed
// through the preview's paint function and saved as PDF.

#include "files/pastastrabalho.h"
#include "flows/arquivossalvos.h"
#include "maintenance/recargagrid.h"
#include "maintenance/windowfixture.h"
#include "support/pdftext.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>

namespace pluvexa::janela {
namespace {

class Listagem : public JanelaRecargaTest {
protected:
    QString recebido;
    QTemporaryDir saida;

    void abreEProcessa()
    {
        recebido = enviaRecebidoPadrao();
        abre();
        processa();
        ASSERT_EQ(paginaAtual(), "tbDigitacao");
    }
    QString caminhoPdf() const { return saida.filePath(QStringLiteral("listagem.pdf")); }
    // Runs "Imprimir", saving the preview's pages as PDF under caminhoPdf().
    void imprimeSalvando()
    {
        dialogos.expectPrintPreview(nullptr, [](const auto&, const auto& salvarPdf) {
            ASSERT_TRUE(salvarPdf);
            salvarPdf();
        });
        dialogos.expectSaveFile(caminhoPdf());
        controle<QPushButton>("btnimpressao")->click();
        EXPECT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
    }
};

TEST_F(Listagem, ASavedPdfIsToldToTheMainWindowAsAListing)
{
    abreEProcessa();
    imprimeSalvando();
    ASSERT_TRUE(QFileInfo::exists(caminhoPdf()));
    ASSERT_EQ(salvos.size(), 1u);
    EXPECT_EQ(salvos.back().first, TipoSalvo::Listagem);
    EXPECT_EQ(salvos.back().second, QDir::toNativeSeparators(caminhoPdf()));
    // With no folder remembered, the chooser opens in the Documents folder,
    // never the working folders, on the processed file's name.
    EXPECT_EQ(dialogos.lastSavePath(),
              QDir(pastaDocumentos()).filePath(QFileInfo(nomeRecebidoPadrao()).completeBaseName() + QStringLiteral(".pdf")));
}

// While an import runs, the totals it recalculates keep printing off: see
// Importacao.WhileTheRunGoesOnImportingPrintingAndExportingAreOff.
TEST_F(Listagem, ShownAndEnabledByTheTotals)
{
    abreEProcessa();
    EXPECT_FALSE(controle<QPushButton>("btnimpressao")->isHidden());
    EXPECT_TRUE(controle<QPushButton>("btnimpressao")->isEnabled());
}

TEST_F(Listagem, ValueTypedButNotConfirmedIsWrittenBackBeforeListing)
{
    abreEProcessa();
    escolheTarifa(1);
    escolheTipo(kTipoDinheiro);
    digita(linhaDoUsuario(101), QStringLiteral("12,5"), false);
    dialogos.expectPrintPreview();
    controle<QPushButton>("btnimpressao")->click();
    ASSERT_TRUE(dialogos.allConsumed());
    const auto& tabela = modelo->woRecarga;
    const auto linha = std::find_if(tabela.begin(), tabela.end(), [](const ORecarga& e) { return e.Usuario == 101; });
    ASSERT_NE(linha, tabela.end());
    EXPECT_EQ(linha->Valor, 12.5);
}

TEST_F(Listagem, PreviewPagesSaveAsPdfNamingTheProcessedFile)
{
    abreEProcessa();
    // Another file arrives and the list is refreshed onto it: the listing
    // still names the file that was processed.
    enviaRecebido(linhasDoModelo(*modeloCentral(), QStringLiteral("PX_00123_0008_0412091030_1.rec")),
                  QStringLiteral("PX_00123_0008_0412091030_1.rec"));
    w().PageControl1Change();
    QListWidget* recebidos = controle<QListWidget>("FLBArquivosRecargaRecebidos");
    recebidos->setCurrentRow(recebidos->count() - 1);
    imprimeSalvando();

    const std::optional<QString> texto = test::textoDoPdf(caminhoPdf());
    if (!texto)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    EXPECT_TRUE(texto->contains(QStringLiteral("Listagem de Cartões a Recarregar")));
    EXPECT_TRUE(texto->contains(QStringLiteral("Arquivo : ")
                                + QDir::toNativeSeparators(QFileInfo(recebido).absoluteFilePath())))
        << texto->left(1500).toStdString();
    EXPECT_TRUE(texto->contains(QStringLiteral("MARIA SOUZA")));
    EXPECT_TRUE(texto->contains(QStringLiteral("Total Geral :")));
}

TEST_F(Listagem, PrintingPaintsTheSamePagesOnThePrinter)
{
    abreEProcessa();
    dialogos.expectPrintPreview(nullptr, [this](const auto& paint, const auto&) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(caminhoPdf());
        printer.setFullPage(true);
        paint(&printer);
    });
    controle<QPushButton>("btnimpressao")->click();
    ASSERT_TRUE(dialogos.allConsumed());
    const std::optional<QString> texto = test::textoDoPdf(caminhoPdf());
    if (!texto)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    EXPECT_TRUE(texto->contains(QStringLiteral("EVA ROCHA")));
    EXPECT_TRUE(texto->contains(QStringLiteral("Página:")));
}

TEST_F(Listagem, SavingWhereNoFileCanBeWrittenSaysSoAndKeepsThePreview)
{
    abreEProcessa();
    const QString alvo = saida.filePath(QStringLiteral("nao/existe/listagem.pdf"));
    dialogos.expectPrintPreview(nullptr, [](const auto&, const auto& salvarPdf) { salvarPdf(); });
    dialogos.expectSaveFile(alvo);
    dialogos.expectNotice(QStringLiteral("Não foi possível salvar o PDF %1 - Não foi possível criar o arquivo %1: "
                                         "arquivo ou pasta não encontrado.")
                              .arg(QDir::toNativeSeparators(alvo)));
    controle<QPushButton>("btnimpressao")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(dialogos.lastIcon(), Interaction::Icon::Error);
    EXPECT_FALSE(QFileInfo::exists(alvo));
}

TEST_F(Listagem, CancelledSaveWritesNothing)
{
    abreEProcessa();
    dialogos.expectPrintPreview(nullptr, [](const auto&, const auto& salvarPdf) { salvarPdf(); });
    dialogos.expectSaveFile(QString());
    controle<QPushButton>("btnimpressao")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_TRUE(QDir(saida.path()).isEmpty());
}

}  // namespace
}  // namespace pluvexa::janela
