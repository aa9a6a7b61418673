// Where a saved file went: each save chooser opens in the folder the last
// file of its kind went to (the Documents folder at first, never the
// working folders), the status bar names the file in a panel of its own,
// and "Abrir Pasta do Último Arquivo" opens its folder.

#include "janelaprincipal.h"

#include "files/pastastrabalho.h"
#include "flows/arquivossalvos.h"
#include "maintenance/tfcadrecarga.h"
#include "shell/barrastatus.h"
#include "ui/configuracao.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace pluvexa::test {
namespace {

class ArquivoGravado : public JanelaPrincipal {
protected:
    void SetUp() override
    {
        JanelaPrincipal::SetUp();
        // Room for every panel, as on a 1366-wide screen.
        principal->resize(1366, 700);
        ASSERT_TRUE(QDir().mkpath(pastaDocumentos()));
        ASSERT_TRUE(QDir().mkpath(pastaRecebidos()));
        QProcess cli;
        cli.start(QStringLiteral(PLUVEXA_CLI), {QStringLiteral("demo"), QStringLiteral("--holders"),
                                                QStringLiteral("20"), QStringLiteral("--folder"), pastaRecebidos()});
        ASSERT_TRUE(cli.waitForFinished(60000));
        ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        base = QFileInfo(QDir(pastaRecebidos()).entryList({QStringLiteral("*_1.rec")}, QDir::Files).value(0))
                   .completeBaseName();
        ASSERT_FALSE(base.isEmpty());
        clica(QStringLiteral("Manutenção"));
        ASSERT_NE(principal->fcadrecarga(), nullptr);
        botao("btnprocessar")->click();
        ASSERT_TRUE(interacao.allConsumed()) << interacao.shown().join(u'\n').toStdString();
    }

    QPushButton* botao(const char* nome) const
    {
        auto* b = principal->fcadrecarga()->findChild<QPushButton*>(QString::fromLatin1(nome));
        EXPECT_NE(b, nullptr) << nome;
        return b;
    }
    QAction* item(const char* nome) const
    {
        auto* a = principal->findChild<QAction*>(QString::fromLatin1(nome));
        EXPECT_NE(a, nullptr) << nome;
        return a;
    }
    QLabel* painelGravado() const { return principal->findChild<QLabel*>(QStringLiteral("PainelGravado")); }

    // "Exportar Planilha" answered with `destino`; the path the chooser
    // proposed.
    QString exporta(const QString& destino)
    {
        interacao.expectSaveFile(destino);
        botao("btnexportarplanilha")->click();
        EXPECT_TRUE(interacao.allConsumed()) << interacao.shown().join(u'\n').toStdString();
        return interacao.lastSavePath();
    }
    // "Imprimir", its pages saved as PDF at `destino`; the path proposed.
    QString imprime(const QString& destino)
    {
        interacao.expectPrintPreview(nullptr, [](const auto&, const auto& salvarPdf) {
            ASSERT_TRUE(salvarPdf);
            salvarPdf();
        });
        interacao.expectSaveFile(destino);
        botao("btnimpressao")->click();
        EXPECT_TRUE(interacao.allConsumed()) << interacao.shown().join(u'\n').toStdString();
        return interacao.lastSavePath();
    }

    QString base;
    QTemporaryDir planilhas;
    QTemporaryDir listagens;
};

TEST_F(ArquivoGravado, EachChooserOpensWhereItsKindWentLastElseInDocuments)
{
    const QString documentos = pastaDocumentos();
    QStringList propostos;
    propostos << exporta(planilhas.filePath(QStringLiteral("maio.csv")));
    EXPECT_EQ(propostos.last(), QDir(documentos).filePath(base + QStringLiteral(".csv")));
    // The listing is another kind: still the Documents folder.
    propostos << imprime(listagens.filePath(QStringLiteral("maio.pdf")));
    EXPECT_EQ(propostos.last(), QDir(documentos).filePath(base + QStringLiteral(".pdf")));
    // Each kind now opens where its own file went.
    propostos << exporta(planilhas.filePath(QStringLiteral("junho.csv")));
    EXPECT_EQ(propostos.last(), QDir(planilhas.path()).filePath(base + QStringLiteral(".csv")));
    propostos << imprime(listagens.filePath(QStringLiteral("junho.pdf")));
    EXPECT_EQ(propostos.last(), QDir(listagens.path()).filePath(base + QStringLiteral(".pdf")));
    for (const QString& p : propostos)
        EXPECT_FALSE(p.startsWith(raizTrabalho())) << p.toStdString();
    // Kept for the next run, in the settings.
    EXPECT_EQ(Configuracao::pastaSalva(ArquivosSalvos::chave(TipoSalvo::Planilha)), planilhas.path());
    EXPECT_EQ(Configuracao::pastaSalva(ArquivosSalvos::chave(TipoSalvo::Listagem)), listagens.path());
}

TEST_F(ArquivoGravado, TheStatusBarNamesTheFileInAPanelOfItsOwnWideEnoughToReadIt)
{
    QLabel* painel = painelGravado();
    ASSERT_NE(painel, nullptr);
    EXPECT_TRUE(painel->text().isEmpty());
    const QString nome = base + QStringLiteral(" - planilha do mês.csv");
    exporta(planilhas.filePath(nome));
    EXPECT_EQ(painel->text(), QStringLiteral("Arquivo gravado: ") + nome);
    EXPECT_EQ(painel->toolTip(), QDir::toNativeSeparators(planilhas.filePath(nome)));

    // After the specified panels, and leaving them as they are.
    const QWidget* ultimo = principal->findChild<QLabel*>(QStringLiteral("Painel5"));
    ASSERT_NE(ultimo, nullptr);
    QCoreApplication::processEvents();
    EXPECT_GT(painel->mapTo(principal.get(), QPoint()).x(), ultimo->mapTo(principal.get(), QPoint(ultimo->width(), 0)).x());
    EXPECT_EQ(ultimo->width(), 50);
    EXPECT_GE(painel->contentsRect().width(), painel->fontMetrics().horizontalAdvance(painel->text()));
    // Panel 1 keeps the progress messages.
    EXPECT_NE(principal->findChild<QLabel*>(QStringLiteral("Painel1"))->text(), painel->text());
}

TEST_F(ArquivoGravado, AbrirPastaDoUltimoArquivoOpensTheFolderOfTheLastSave)
{
    QAction* abrir = item("mnuabrirpasta");
    ASSERT_NE(abrir, nullptr);
    EXPECT_EQ(abrir->text().remove(u'&'), QStringLiteral("Abrir Pasta do Último Arquivo"));
    EXPECT_FALSE(abrir->isEnabled());

    exporta(planilhas.filePath(QStringLiteral("maio.csv")));
    imprime(listagens.filePath(QStringLiteral("maio.pdf")));
    ASSERT_TRUE(abrir->isEnabled());
    interacao.expectOpenFolder(QDir::toNativeSeparators(listagens.path()));
    abrir->trigger();
    EXPECT_TRUE(interacao.allConsumed());

    // The desktop could not open it: said so.
    interacao.expectOpenFolder(QDir::toNativeSeparators(listagens.path()), false);
    interacao.expectNotice(
        QStringLiteral("Não foi possível abrir a pasta %1.").arg(QDir::toNativeSeparators(listagens.path())));
    abrir->trigger();
    EXPECT_TRUE(interacao.allConsumed());

    // The folder removed since: nothing is opened, the operator is told.
    const QString pasta = QDir::toNativeSeparators(listagens.path());
    ASSERT_TRUE(listagens.remove());
    interacao.expectNotice(QStringLiteral("A pasta %1 não existe mais.").arg(pasta));
    abrir->trigger();
    EXPECT_TRUE(interacao.allConsumed());
}

}  // namespace
}  // namespace pluvexa::test
