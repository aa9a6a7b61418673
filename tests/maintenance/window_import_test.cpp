// "Importar Arquivo" and "Exportar Planilha" driven through the real
// maintenance window: the chooser, the run with its gauge, the messages in
// their order, the result report, the grid refill, the clean-up, and the
// imported values reaching the central in the answer file.

#include "exchange/registroexterno.h"
#include "files/pastastrabalho.h"
#include "maintenance/recargagrid.h"
#include "maintenance/windowfixture.h"
#include "support/pdftext.h"
#include "support/planilhalida.h"

#include <QApplication>
#include <QTest>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>

#include <map>
#include <stdexcept>

namespace pluvexa::janela {
namespace {

using test::registro;

const QString kAdvertencias = QStringLiteral("Operação Concluída com Advertências");

// What the window shows while a dialog of the import is open. The run's
// own mark is the window's: it shows as the buttons it keeps off.
struct Estado {
    QString texto;
    bool importar = false;
    bool exportar = false;
    bool imprimir = false;
    int gaugeMaximo = 0;
    QString contador;
    bool ampulheta = false;  // the wait cursor over the box
};

// Hands every dialog to the scripted ones, noting the window's state at
// each notice; `lancaEm` makes the notice with that text throw, as a
// failing step would.
class Observadora final : public Interaction {
public:
    Observadora(test::ScriptedInteraction& d, QPointer<Tfcadrecarga>& j) : m_d(d), m_j(j) {}
    void notice(const QString& text, Icon icon, const QString& caption) override
    {
        Estado e{text,
                 test::filho<QPushButton>(*m_j, "btnimportararq")->isEnabled(),
                 test::filho<QPushButton>(*m_j, "btnexportarplanilha")->isEnabled(),
                 test::filho<QPushButton>(*m_j, "btnimpressao")->isEnabled(),
                 test::filho<QProgressBar>(*m_j, "CGauge1")->maximum(),
                 test::filho<QLabel>(*m_j, "Label18")->text(),
                 QApplication::overrideCursor() != nullptr};
        estados.push_back(e);
        m_d.notice(text, icon, caption);
        if (text == lancaEm)
            throw std::runtime_error("falha no meio");
    }
    bool question(const QString& t, const QString& c) override { return m_d.question(t, c); }
    void errorBox(const QString& t) override { m_d.errorBox(t); }
    QString openFileName(const QString& c, const QString& p, const QString& f, QString* escolhido) override
    {
        return m_d.openFileName(c, p, f, escolhido);
    }
    QString saveFileName(const QString& c, const QString& p, const QString& f, QString* escolhido) override
    {
        return m_d.saveFileName(c, p, f, escolhido);
    }
    void printPreview(const std::function<void(QPagedPaintDevice*)>& paint, const std::function<QString()>& pdf) override
    {
        m_d.printPreview(paint, pdf);
    }

    std::vector<Estado> estados;
    QString lancaEm;

private:
    test::ScriptedInteraction& m_d;
    QPointer<Tfcadrecarga>& m_j;
};

class Importacao : public JanelaRecargaTest {
protected:
    QTemporaryDir externos;

    QString grava(const QString& nome, const std::string& bytes)
    {
        const QString caminho = externos.filePath(nome);
        test::gravaTexto(caminho, bytes);
        return caminho;
    }
    QString rrm(const std::vector<std::string>& linhas, const QString& nome = QStringLiteral("folha.rrm"))
    {
        std::string bytes;
        for (const std::string& l : linhas)
            bytes += l + "\r\n";
        return grava(nome, bytes);
    }
    // Expects the dialogs of a run that ends with warnings; the result
    // report's text (through its printed pages) goes to `relatorio`.
    void esperaAdvertencias(const QString& arquivo, const QString& base, QString* relatorio, int importados,
                            int recusadas)
    {
        dialogos.expectOpenFile(arquivo);
        dialogos.expectNotice(avisoLogImportacao(base));
        dialogos.expectNotice(kAdvertencias
                              + QStringLiteral("\n%1 valor(es) importado(s), %2 linha(s) recusada(s) - veja o relatório")
                                    .arg(importados)
                                    .arg(recusadas));
        dialogos.expectPrintPreview(nullptr, [this, relatorio](const auto& paint, const auto& salvarPdf) {
            EXPECT_TRUE(salvarPdf);
            const QString pdf = externos.filePath(QStringLiteral("resultado.pdf"));
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setFullPage(true);
            paint(&printer);
            if (const std::optional<QString> t = test::textoDoPdf(pdf))
                *relatorio = *t;
        });
        dialogos.expectNotice(kAvisoNaoSalvas);
    }
    void importa()
    {
        controle<QPushButton>("btnimportararq")->click();
        EXPECT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
    }
    void esperaJanelaDeVolta()
    {
        // The run is over: its gauge and counter are gone.
        EXPECT_TRUE(controle<QProgressBar>("CGauge1")->isHidden());
        EXPECT_TRUE(controle<QLabel>("Label18")->isHidden());
        EXPECT_TRUE(controle<QLabel>("Label19")->isHidden());
        for (const char* nome :
             {"btnimportararq", "btnexportarplanilha", "btnimpressao", "btngerararquivo", "sgRecarga"}) {
            const QWidget* b = controle<QWidget>(nome);
            EXPECT_TRUE(b->isEnabled()) << nome;
        }
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
};

TEST_F(Importacao, GoodAndBadLinesGiveTheirMessagesReportAndLogAndTheGridShowsTheValues)
{
    abreEProcessa();
    test::CamposExternos semEmpresa;
    semEmpresa.matricula = "222";
    semEmpresa.valor = "5,00";
    semEmpresa.empresa = "00000ABCDE";
    const QString arquivo = rrm({registro("111", "12,34", "01"), registro("999", "5,00", "01"),
                                 registro("444", "7,00", "02"), registro("222", "600,01", "01"),
                                 test::registro(semEmpresa), registro("666", "3,05")});
    QString relatorio;
    esperaAdvertencias(arquivo, QStringLiteral("folha"), &relatorio, 3, 3);
    importa();
    EXPECT_EQ(dialogos.lastIcon(), Interaction::Icon::Information);
    esperaJanelaDeVolta();
    EXPECT_TRUE(w().valoresPendentes());

    escolheTipo(kTipoDinheiro);
    escolheTarifa(1);
    EXPECT_EQ(valorDoUsuario(101), "12,34");
    EXPECT_EQ(valorDoUsuario(102), "0,00");
    escolheTarifa(2);
    EXPECT_EQ(valorDoUsuario(106), "3,05");
    escolheTipo(kTipoCreditos);
    escolheTarifa(1);
    EXPECT_EQ(valorDoUsuario(104), "7");

    const QString log = QString::fromLatin1(test::leTexto(QDir(pastaLog()).filePath("folha.log")));
    const QString stamp = QStringLiteral("09/12/2004 15:30:00");
    EXPECT_TRUE(log.startsWith(stamp + " +------  Arquivo - ")) << log.toStdString();
    EXPECT_TRUE(log.contains(stamp + QStringLiteral(" +------  Total de OK: 3 - Total de erros: 3  -----+\r\n")))
        << log.toStdString();

    if (relatorio.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    EXPECT_TRUE(relatorio.contains(QStringLiteral("Resultado da Importação das Recargas")));
    EXPECT_TRUE(relatorio.contains(QStringLiteral("Empresa : ") + controle<QLabel>("lblempresa")->text().trimmed()))
        << relatorio.toStdString();
    EXPECT_TRUE(relatorio.contains(QStringLiteral("Importado : 09/12/2004")));
    EXPECT_TRUE(relatorio.contains(QDir::toNativeSeparators(arquivo)));
    const QStringList esperadas = {
        QStringLiteral("            2   999                  Matrícula não encontrada"),
        QStringLiteral("            4   222                  O valor da recarga excede 600.00"),
        QStringLiteral("            5   222                  Empresa infomada não é um número")};
    for (const QString& linha : esperadas)
        EXPECT_TRUE(relatorio.simplified().contains(linha.simplified()))
            << linha.toStdString() << "\n" << relatorio.toStdString();
    EXPECT_LT(relatorio.indexOf(QStringLiteral("999")), relatorio.indexOf(QStringLiteral("600.00")));
    EXPECT_FALSE(relatorio.contains(QStringLiteral("444")));
}

TEST_F(Importacao, ImportedValuesReachTheCentralInTheAnswer)
{
    abreEProcessa();
    const QString arquivo = rrm({registro("111", "12,34", "01"), registro("444", "7,00", "02"),
                                 registro("555", "13,00", "02"), registro("666", "3,05", "01")});
    esperaImportacaoSemFalhas(arquivo, QStringLiteral("folha"));
    importa();
    esperaJanelaDeVolta();

    const std::map<int, QString> valores = geraEAbreResposta();
    EXPECT_EQ(valores.at(101), "000000000000001234");
    EXPECT_EQ(valores.at(102), QString(18, u'0'));
    EXPECT_EQ(valores.at(104), "000000000000000007");
    EXPECT_EQ(valores.at(105), "000000000000000013");
    EXPECT_EQ(valores.at(106), "000000000000000305");
}

TEST_F(Importacao, ChooserOffersBothFormatsAndTakesASpreadsheet)
{
    abreEProcessa();
    const QString arquivo = grava(QStringLiteral("folha.CSV"),
                                  "\xEF\xBB\xBFMatr\xC3\xAD" "cula;Valor;Tipo\r\n111;12,5;1\r\n\r\n555;13;2\r\n");
    esperaImportacaoSemFalhas(arquivo, QStringLiteral("folha.CSV"));
    importa();
    EXPECT_EQ(dialogos.lastFilter(),
              QStringLiteral("Arquivo Recarga (*.rrm);;Planilhas (*.xlsx *.ods *.xls *.csv);;Todos os Arquivos (*.*)"));
    escolheTipo(kTipoDinheiro);
    escolheTarifa(1);
    EXPECT_EQ(valorDoUsuario(101), "12,50");
    escolheTipo(kTipoCreditos);
    escolheTarifa(2);
    EXPECT_EQ(valorDoUsuario(105), "13");
}

// The chooser's name is the file read: one ending in a blank is not the
// file without it.
TEST_F(Importacao, TheChosenNameIsReadAsGivenEvenEndingInABlank)
{
    abreEProcessa();
    rrm({registro("111", "1,00", "01")});
    const QString escolhido = rrm({registro("111", "12,34", "01")}, QStringLiteral("folha.rrm "));
    esperaImportacaoSemFalhas(escolhido, QStringLiteral("folha"));
    importa();
    escolheTipo(kTipoDinheiro);
    escolheTarifa(1);
    EXPECT_EQ(valorDoUsuario(101), "12,34");
}

TEST_F(Importacao, BadSpreadsheetLinesAreReportedWithTheFilesLineNumbers)
{
    abreEProcessa();
    const QString arquivo = grava(QStringLiteral("folha.csv"), "Matricula;Valor\r\n111;1.500\r\n222;\r\n666;4,5\r\n");
    QString relatorio;
    esperaAdvertencias(arquivo, QStringLiteral("folha.csv"), &relatorio, 1, 2);
    importa();
    escolheTipo(kTipoDinheiro);
    escolheTarifa(2);
    EXPECT_EQ(valorDoUsuario(106), "4,50");
    if (relatorio.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    EXPECT_TRUE(relatorio.simplified().contains(QStringLiteral("2 111 Valor inválido: 1.500"))) << relatorio.toStdString();
    EXPECT_TRUE(relatorio.simplified().contains(QStringLiteral("3 222 Coluna Valor vazia"))) << relatorio.toStdString();
}

// A file that holds no record imports nothing: warnings, not success, and
// a report that says so.
TEST_F(Importacao, AFileWithoutRecordsEndsWithWarningsAndSaysSo)
{
    abreEProcessa();
    const struct {
        const char* nome;
        std::string bytes;
    } casos[] = {{"vazio.rrm", ""},
                 {"cabecalho.csv", "\xEF\xBB\xBFMatr\xC3\xAD" "cula;Valor\r\n"},
                 {"semchave.csv", "Matricula;Nome;Valor\r\n;ANA;\r\n;;0\r\n"}};
    for (const auto& c : casos) {
        const QString nome = QString::fromLatin1(c.nome);
        const QString arquivo = grava(nome, c.bytes);
        QString relatorio;
        // A spreadsheet's log keeps its extension.
        const QString base = nome.endsWith(QLatin1String(".csv")) ? nome : QFileInfo(nome).completeBaseName();
        esperaAdvertencias(arquivo, base, &relatorio, 0, 0);
        importa();
        esperaJanelaDeVolta();
        EXPECT_FALSE(w().valoresPendentes()) << c.nome;
        const QString log = QString::fromLatin1(
            test::leTexto(QDir(pastaLog()).filePath(base + QStringLiteral(".log"))));
        EXPECT_TRUE(log.contains(QStringLiteral("  *** Erro: Nenhum registro reconhecido no arquivo\r\n")))
            << c.nome << "\n" << log.toStdString();
        if (!relatorio.isEmpty())
            EXPECT_TRUE(relatorio.contains(QStringLiteral("Nenhum registro reconhecido no arquivo")))
                << c.nome << "\n" << relatorio.toStdString();
    }
}

TEST_F(Importacao, AnUnusableLogFolderStopsTheRunWithOneBox)
{
    abreEProcessa();
    // A plain file where the log folder should be.
    test::gravaTexto(pastaLog(), "not a folder");
    const QString arquivo = rrm({registro("111", "12,34", "01")});
    dialogos.expectOpenFile(arquivo);
    dialogos.expectError(QStringLiteral("Não foi possível criar a pasta de log %1: um arquivo ocupa o lugar da pasta. "
                                        "Nada foi importado.")
                             .arg(caminhoVisivel(pastaLog())));
    importa();
    esperaJanelaDeVolta();
    EXPECT_FALSE(w().valoresPendentes());
    for (int i = 0; i < modelo->QtdRecarga; ++i)
        EXPECT_EQ(modelo->wRecarga[size_t(i)].Grupo[0].Valor, 0.0);
}

TEST_F(Importacao, CancelledChooserChangesNothing)
{
    abreEProcessa();
    // The chooser gives an empty name when cancelled; a name of blanks is
    // a name, used as given.
    dialogos.expectOpenFile(QString());
    importa();
    esperaJanelaDeVolta();
    EXPECT_FALSE(w().valoresPendentes());
    EXPECT_FALSE(QDir(pastaLog()).exists() && !QDir(pastaLog()).isEmpty());
}

TEST_F(Importacao, ValueTypedButNotConfirmedIsKeptWhenTheGridIsRefilled)
{
    abreEProcessa();
    escolheTipo(kTipoDinheiro);
    escolheTarifa(1);
    digita(linhaDoUsuario(102), QStringLiteral("8,5"), false);
    esperaImportacaoSemFalhas(rrm({registro("111", "1,00", "01")}), QStringLiteral("folha"));
    importa();
    EXPECT_EQ(valorDoUsuario(101), "1,00");
    EXPECT_EQ(valorDoUsuario(102), "8,50");
}

TEST_F(Importacao, WhileTheRunGoesOnImportingPrintingAndExportingAreOff)
{
    Observadora obs(dialogos, janela);
    outrosDialogos = &obs;
    abreEProcessa();
    esperaImportacaoSemFalhas(
        rrm({registro("111", "1,00", "01"), registro("222", "2,00", "01"), registro("666", "3,00")}),
        QStringLiteral("folha"));
    importa();
    ASSERT_EQ(obs.estados.size(), 3u);
    // The run's own notice, the log's, comes after the grid refill: the
    // gauge counted every record, the buttons stay off.
    const Estado& durante = obs.estados[0];
    EXPECT_FALSE(durante.importar);
    EXPECT_FALSE(durante.exportar);
    EXPECT_FALSE(durante.imprimir);
    EXPECT_EQ(durante.gaugeMaximo, 3);
    EXPECT_EQ(durante.contador, "3");
    // No box is read under the wait cursor; the boxes that tell the result
    // come once the window is the operator's again.
    for (const Estado& e : obs.estados)
        EXPECT_FALSE(e.ampulheta) << e.texto.toStdString();
    for (std::size_t i = 1; i < obs.estados.size(); ++i) {
        EXPECT_TRUE(obs.estados[i].importar && obs.estados[i].exportar && obs.estados[i].imprimir)
            << obs.estados[i].texto.toStdString();
    }
    esperaJanelaDeVolta();
}

// The run disables the grid, which sends the keyboard elsewhere; once it is
// over the keyboard is back in the grid, whatever the outcome, so that the
// operator's next digits land in a value cell.
TEST_F(Importacao, TheKeyboardIsBackInTheGridAfterTheRun)
{
    for (const bool recusado : {true, false}) {
        abreEProcessa();
        escolheTipo(kTipoDinheiro);
        escolheTarifa(1);
        selecionaValor(linhaDoUsuario(102));
        ASSERT_EQ(QApplication::focusWidget(), controle<RecargaGrid>("sgRecarga"));
        if (recusado) {
            const QString grande = grava(QStringLiteral("grande.csv"), std::string(std::size_t(17) << 20, 'x'));
            dialogos.expectOpenFile(grande);
            dialogos.expectError(QStringLiteral("Arquivo grande demais: 17,0 MB (máximo 16 MB)"));
        } else {
            esperaImportacaoSemFalhas(rrm({registro("111", "1,00", "01")}), QStringLiteral("folha"));
        }
        importa();
        RecargaGrid* grade = controle<RecargaGrid>("sgRecarga");
        EXPECT_EQ(QApplication::focusWidget(), grade) << (recusado ? "refused" : "imported");
        esperaJanelaDeVolta();
        // The next digits go into the value cell that was current.
        const int linha = grade->currentRow();
        QTest::keyClick(QApplication::focusWidget(), '6');
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(grade->cell(5, linha), QStringLiteral("6,00")) << (recusado ? "refused" : "imported");
    }
}

TEST_F(Importacao, VanishedFileEndsTheRunWithOneLineAndNothingChanges)
{
    abreEProcessa();
    const QString sumido = externos.filePath(QStringLiteral("sumiu.rrm"));
    QString relatorio;
    esperaAdvertencias(sumido, QStringLiteral("sumiu"), &relatorio, 0, 1);
    importa();
    esperaJanelaDeVolta();
    EXPECT_FALSE(w().valoresPendentes());
    for (int i = 0; i < modelo->QtdRecarga; ++i)
        EXPECT_EQ(modelo->wRecarga[size_t(i)].Grupo[0].Valor, 0.0);
    if (relatorio.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    EXPECT_TRUE(relatorio.simplified().contains(QStringLiteral("1 Erro ao abrir/criar o arquivo")))
        << relatorio.toStdString();
}

TEST_F(Importacao, WindowIsPutBackWhenAStepFailsHalfWay)
{
    Observadora obs(dialogos, janela);
    // The log's notice comes while the run still holds the window.
    obs.lancaEm = avisoLogImportacao(QStringLiteral("folha"));
    outrosDialogos = &obs;
    abreEProcessa();
    dialogos.expectOpenFile(rrm({registro("111", "1,00", "01")}));
    dialogos.expectNotice(avisoLogImportacao(QStringLiteral("folha")));
    EXPECT_THROW(w().btnimportararqClick(), std::runtime_error);
    EXPECT_TRUE(dialogos.allConsumed());
    ASSERT_EQ(obs.estados.size(), 1u);
    EXPECT_FALSE(obs.estados[0].importar);
    esperaJanelaDeVolta();
}

class Exportacao : public Importacao {};

TEST_F(Exportacao, SpreadsheetGoesOutEditedComesBackAndReachesTheCentral)
{
    abreEProcessa();
    escolheTipo(kTipoDinheiro);
    escolheTarifa(1);
    digita(linhaDoUsuario(101), QStringLiteral("10"), false);
    const QString planilha = externos.filePath(QStringLiteral("valores"));
    dialogos.expectSaveFile(planilha);
    controle<QPushButton>("btnexportarplanilha")->click();
    ASSERT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(dialogos.lastFilter(),
              QStringLiteral("Planilha do Excel (*.xlsx);;Planilha do Calc (*.ods);;Planilha (*.csv)"));
    // Proposed with the CSV extension, which Qt's chooser changes with the filter.
    EXPECT_TRUE(dialogos.lastSavePath().endsWith(QStringLiteral(".csv"))) << dialogos.lastSavePath().toStdString();
    // Told to the main window as a spreadsheet, which says it in its status
    // bar: no box to close.
    ASSERT_EQ(salvos.size(), 1u);
    EXPECT_EQ(salvos.back().first, TipoSalvo::Planilha);
    EXPECT_EQ(salvos.back().second, QDir::toNativeSeparators(planilha + QStringLiteral(".csv")));

    std::string bytes = test::leTexto(planilha + QStringLiteral(".csv"));
    ASSERT_EQ(bytes.rfind("\xEF\xBB\xBFUsu\xC3\xA1rio;", 0), 0u) << bytes;
    // The operator's edit in a text editor: ANA LIMA gets 20,00.
    const std::string ana = "102;";
    const auto inicio = bytes.find("\r\n" + ana);
    ASSERT_NE(inicio, std::string::npos) << bytes;
    const auto fim = bytes.find("\r\n", inicio + 2);
    std::string linha = bytes.substr(inicio + 2, fim - inicio - 2);
    const auto ultimo = linha.rfind(';');
    const auto penultimo = linha.rfind(';', ultimo - 1);
    linha.replace(penultimo + 1, ultimo - penultimo - 1, "20,00");
    bytes.replace(inicio + 2, fim - inicio - 2, linha);
    test::gravaTexto(planilha + QStringLiteral(".csv"), bytes);

    esperaImportacaoSemFalhas(planilha + QStringLiteral(".csv"), QStringLiteral("valores.csv"));
    importa();
    EXPECT_EQ(valorDoUsuario(101), "10,00");
    EXPECT_EQ(valorDoUsuario(102), "20,00");

    const std::map<int, QString> valores = geraEAbreResposta();
    EXPECT_EQ(valores.at(101), "000000000000001000");
    EXPECT_EQ(valores.at(102), "000000000000002000");
}

// The chooser's filter makes the workbook; an extension the operator typed
// wins over it.
TEST_F(Exportacao, TheFilterChosenOrTheExtensionTypedMakesTheWorkbook)
{
    abreEProcessa();
    escolheTipo(kTipoDinheiro);
    escolheTarifa(1);
    digita(linhaDoUsuario(101), QStringLiteral("123,45"), false);
    struct Caso {
        const char* resposta;
        const char* filtro;
        const char* escrito;
        test::PlanilhaLida (*le)(const QString&);
    };
    const Caso casos[] = {
        {"valores", "Planilha do Excel (*.xlsx)", "valores.xlsx", test::leXlsx},
        {"valores", "Planilha do Calc (*.ods)", "valores.ods", test::leOds},
        {"digitado.ods", "Planilha do Excel (*.xlsx)", "digitado.ods", test::leOds},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.escrito);
        dialogos.expectSaveFile(externos.filePath(QString::fromLatin1(c.resposta)), QString::fromLatin1(c.filtro));
        controle<QPushButton>("btnexportarplanilha")->click();
        ASSERT_TRUE(dialogos.allConsumed());
        const QString escrito = externos.filePath(QString::fromLatin1(c.escrito));
        EXPECT_EQ(salvos.back().second, QDir::toNativeSeparators(escrito));
        const test::PlanilhaLida p = c.le(escrito);
        ASSERT_GE(p.linhas.size(), 2u);
        EXPECT_TRUE(p.cabecalhoFixo);
        EXPECT_EQ(p.celula(0, 6).texto, QStringLiteral("Valor"));
        bool achado = false;
        for (const auto& linha : p.linhas) {
            if (linha.empty() || linha[0].texto != QStringLiteral("101"))
                continue;
            achado = true;
            EXPECT_DOUBLE_EQ(linha.at(6).numero, 123.45);
            EXPECT_EQ(linha.at(6).formato, QStringLiteral("#,##0.00"));
        }
        EXPECT_TRUE(achado);
    }
    EXPECT_FALSE(QFileInfo::exists(externos.filePath(QStringLiteral("valores.csv"))));
}

TEST_F(Exportacao, TheChosenNameIsWrittenAsGivenEvenEndingInABlank)
{
    abreEProcessa();
    const QString escolhido = externos.filePath(QStringLiteral("valores "));
    dialogos.expectSaveFile(escolhido);
    controle<QPushButton>("btnexportarplanilha")->click();
    ASSERT_TRUE(dialogos.allConsumed());
    ASSERT_EQ(salvos.size(), 1u);
    EXPECT_EQ(salvos.back().second, QDir::toNativeSeparators(escolhido + QStringLiteral(".csv")));
    EXPECT_TRUE(QFileInfo(escolhido + QStringLiteral(".csv")).isFile());
    EXPECT_FALSE(QFileInfo::exists(externos.filePath(QStringLiteral("valores.csv"))));
}

TEST_F(Exportacao, FileThatCannotBeWrittenSaysWhy)
{
    abreEProcessa();
    const QString alvo = externos.filePath(QStringLiteral("nao/existe/valores.csv"));
    dialogos.expectSaveFile(alvo);
    dialogos.expectNotice(QStringLiteral("Não foi possível gravar a planilha %1 - Não foi possível criar o arquivo "
                                         "%1: arquivo ou pasta não encontrado.")
                              .arg(QDir::toNativeSeparators(alvo)));
    controle<QPushButton>("btnexportarplanilha")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(dialogos.lastIcon(), Interaction::Icon::Error);
    EXPECT_FALSE(QFileInfo::exists(alvo));
    EXPECT_TRUE(salvos.empty());
}

}  // namespace
}  // namespace pluvexa::janela
