// A spreadsheet as clerks keep it, imported through the real maintenance
// window: an unknown header mapped once and next month's file imported
// without a question; the sheet asked for when two hold values; the
// chooser back where the last file came from.

#include "exchange/abasplanilha.h"
#include "files/pastastrabalho.h"
#include "flows/fluxoimportacao.h"
#include "maintenance/windowfixture.h"
#include "support/arquivosteste.h"
#include "support/pdftext.h"
#include "ui/configuracao.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

namespace pluvexa::janela {
namespace {

// The workbook reader for this test's "livro.csv": sheets built in memory.
class LeitorDeTeste {
public:
    explicit LeitorDeTeste(std::vector<AbaPlanilha> abas)
    {
        defineLeitorLivro([abas](const QString& nome, const QByteArray&) -> std::optional<std::vector<AbaPlanilha>> {
            if (!nome.endsWith(QStringLiteral("livro.csv")))
                return std::nullopt;
            return abas;
        });
    }
    ~LeitorDeTeste() { defineLeitorLivro({}); }
    LeitorDeTeste(const LeitorDeTeste&) = delete;
    LeitorDeTeste& operator=(const LeitorDeTeste&) = delete;
};

CelulaPlanilha T(const char* t)
{
    return CelulaPlanilha{CelulaPlanilha::Tipo::Texto, QString::fromUtf8(t), 0};
}
CelulaPlanilha N(double n)
{
    return CelulaPlanilha{CelulaPlanilha::Tipo::Numero, {}, n};
}

class ColunasPlanilha : public JanelaRecargaTest {
protected:
    QTemporaryDir externos;

    QString grava(const QString& nome, const std::string& bytes)
    {
        const QString caminho = externos.filePath(nome);
        test::gravaTexto(caminho, bytes);
        return caminho;
    }
    void importa()
    {
        controle<QPushButton>("btnimportararq")->click();
        EXPECT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
    }
    void esperaSucesso(const QString& base)
    {
        dialogos.expectNotice(avisoLogImportacao(base));
        dialogos.expectNotice(kSucesso);
        dialogos.expectNotice(kAvisoNaoSalvas);
    }
    QString valorEm(int tipo, int tarifa, int usuario)
    {
        escolheTipo(tipo);
        escolheTarifa(tarifa);
        return valorDoUsuario(usuario);
    }
};

const QString kCabecalho = QStringLiteral("Cód; Nome; Quantia; Tp");

TEST_F(ColunasPlanilha, AnUnknownHeaderIsMappedOnceAndNextMonthsFileImportsWithoutAQuestion)
{
    abreEProcessa();
    const QString marco = grava(QStringLiteral("folha_03.csv"),
                                "Folha de mar\xC3\xA7o;;;\r\nC\xC3\xB3" "d;Nome;Quantia;Tp\r\n111;ANA;12,50;1\r\n"
                                "555;BIA;13;2\r\n");
    dialogos.expectOpenFile(marco, kFiltroPlanilhasImportacao);
    dialogos.expectColumns(kCabecalho, {0, -1, -1, 2, 3});
    esperaSucesso(QStringLiteral("folha_03.csv"));
    importa();
    EXPECT_TRUE(dialogos.lastOpenSelected().isEmpty()) << dialogos.lastOpenSelected().toStdString();
    EXPECT_EQ(valorEm(kTipoDinheiro, 1, 101), QStringLiteral("12,50"));
    EXPECT_EQ(valorEm(kTipoCreditos, 2, 105), QStringLiteral("13"));
    // Kept in the program's settings, as the operator's other choices.
    const QString ini = QString::fromUtf8(test::leTexto(Configuracao::arquivo()).c_str());
    EXPECT_TRUE(ini.contains(QStringLiteral("Colunas"))) << ini.toStdString();

    const QString abril = grava(QStringLiteral("folha_04.csv"),
                                "Folha de abril;;;\r\nC\xC3\xB3" "d;Nome;Quantia;Tp\r\n111;ANA;20,00;1\r\n");
    dialogos.expectOpenFile(abril);
    esperaSucesso(QStringLiteral("folha_04.csv"));
    importa();
    EXPECT_EQ(valorEm(kTipoDinheiro, 1, 101), QStringLiteral("20,00"));
    // The chooser came back where March's file was, on the filter chosen.
    EXPECT_EQ(QDir(dialogos.lastOpenFolder()), QDir(externos.path()));
    EXPECT_EQ(dialogos.lastOpenSelected(), kFiltroPlanilhasImportacao);
}

TEST_F(ColunasPlanilha, AMappingCancelledImportsNothingAndWritesNoLog)
{
    abreEProcessa();
    const QString arquivo =
        grava(QStringLiteral("folha.csv"), "C\xC3\xB3" "d;Nome;Quantia;Tp\r\n111;ANA;12,50;1\r\n");
    dialogos.expectOpenFile(arquivo);
    dialogos.expectColumns(kCabecalho, {});
    importa();
    EXPECT_EQ(valorEm(kTipoDinheiro, 1, 101), QStringLiteral("0,00"));
    EXPECT_FALSE(QFileInfo::exists(QDir(pastaLog()).filePath(QStringLiteral("folha.csv.log"))));
    EXPECT_TRUE(controle<QPushButton>("btnimportararq")->isEnabled());
}

// Two columns that both fit the registration: the operator says which,
// the dialog proposing what it recognised.
TEST_F(ColunasPlanilha, TwoRegistrationColumnsAreSettledByTheOperator)
{
    abreEProcessa();
    const QString arquivo = grava(QStringLiteral("folha.csv"),
                                  "Chapa;Registro;Valor\r\nX1;111;7,00\r\n");
    dialogos.expectOpenFile(arquivo);
    dialogos.expectColumns(QStringLiteral("Chapa; Registro; Valor"), {1, -1, -1, 2, -1});
    esperaSucesso(QStringLiteral("folha.csv"));
    importa();
    EXPECT_EQ(valorEm(kTipoDinheiro, 1, 101), QStringLiteral("7,00"));
}

std::vector<AbaPlanilha> duasAbas()
{
    return {{QStringLiteral("Resumo"), {{1, {T("Total do mês"), N(33)}}}},
            {QStringLiteral("Março"), {{2, {T("Matrícula"), T("Valor")}}, {3, {T("111"), N(11)}}}},
            {QStringLiteral("Abril"),
             {{1, {T("EMPRESA")}}, {4, {T("Matrícula"), T("Valor")}}, {5, {N(111), N(22)}}, {6, {T("999"), N(1)}}}}};
}

TEST_F(ColunasPlanilha, TheOperatorChoosesAmongTheSheetsWithValuesAndTheReportNamesIt)
{
    const LeitorDeTeste leitor(duasAbas());
    abreEProcessa();
    const QString arquivo = grava(QStringLiteral("livro.csv"), "");
    dialogos.expectOpenFile(arquivo);
    dialogos.expectListChoice(QStringLiteral("A planilha tem mais de uma aba com valores: escolha a aba"),
                              QStringLiteral("Abril"));
    dialogos.expectNotice(avisoLogImportacao(QStringLiteral("livro.csv")));
    dialogos.expectNotice(QStringLiteral("Operação Concluída com Advertências\n1 valor(es) importado(s), 1 linha(s) "
                                         "recusada(s) - veja o relatório"));
    QString relatorio;
    dialogos.expectPrintPreview(nullptr, [this, &relatorio](const auto& paint, const auto&) {
        const QString pdf = externos.filePath(QStringLiteral("resultado.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setFullPage(true);
        paint(&printer);
        if (const std::optional<QString> t = test::textoDoPdf(pdf))
            relatorio = *t;
    });
    dialogos.expectNotice(kAvisoNaoSalvas);
    importa();
    EXPECT_EQ(valorEm(kTipoDinheiro, 1, 101), QStringLiteral("22,00"));
    if (relatorio.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    EXPECT_TRUE(relatorio.contains(QStringLiteral("livro.csv - aba Abril"))) << relatorio.toStdString();
    EXPECT_TRUE(relatorio.simplified().contains(QStringLiteral("6 999 Matrícula não encontrada")))
        << relatorio.toStdString();
}

TEST_F(ColunasPlanilha, TheSheetQuestionCancelledImportsNothing)
{
    const LeitorDeTeste leitor(duasAbas());
    abreEProcessa();
    dialogos.expectOpenFile(grava(QStringLiteral("livro.csv"), ""));
    dialogos.expectListChoice(QStringLiteral("A planilha tem mais de uma aba com valores: escolha a aba"), QString());
    importa();
    EXPECT_EQ(valorEm(kTipoDinheiro, 1, 101), QStringLiteral("0,00"));
}

}  // namespace
}  // namespace pluvexa::janela
