// pluvexa-cli's spreadsheet outputs: export's OUT and the --out of review and
// history as .xlsx, .ods or .csv by the name, the workbooks holding the same
// table as the CSV (codes as text, values as numbers in their formats, the
// header bold and frozen), a CSV file with the byte-order mark and CR LF,
// and any other name refused before any work.

#include "central/dadosdemo.h"
#include "clirun.h"
#include "support/arquivosteste.h"
#include "support/loteguardado.h"
#include "support/planilhalida.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using test::CelulaLida;
using test::Execucao;
using test::executa;
using test::PlanilhaLida;

// CSV text (no field holds ';' here) as rows of fields, without the mark.
std::vector<QStringList> linhasCsv(QString texto, const QString& fim)
{
    if (texto.startsWith(QChar(0xFEFF)))
        texto.remove(0, 1);
    std::vector<QStringList> linhas;
    for (const QString& l : texto.split(fim, Qt::SkipEmptyParts))
        linhas.push_back(l.split(QLatin1Char(';')));
    return linhas;
}

// Every cell of the workbook against the CSV's field: text cells hold the
// same text, number cells the value written with a decimal comma, empty
// cells an empty field; money and credits in their display formats, but for
// the columns of `geral` (a percentage, shown as it is).
void confereComCsv(const PlanilhaLida& p, const std::vector<QStringList>& csv, int colunasDinheiro,
                   const QList<qsizetype>& geral = {})
{
    ASSERT_EQ(p.linhas.size(), csv.size());
    EXPECT_TRUE(p.cabecalhoFixo);
    for (std::size_t l = 0; l < csv.size(); ++l) {
        for (qsizetype c = 0; c < csv[l].size(); ++c) {
            const CelulaLida& celula = p.celula(l, std::size_t(c));
            const QString& campo = csv[l][c];
            SCOPED_TRACE(::testing::Message() << "row " << l + 1 << ", column " << c + 1 << ": " << campo.toStdString());
            EXPECT_EQ(celula.negrito, l == 0);
            switch (celula.tipo) {
            case CelulaLida::Tipo::Texto:
                EXPECT_EQ(celula.texto, campo);
                break;
            case CelulaLida::Tipo::Numero: {
                QString ponto = campo;
                EXPECT_DOUBLE_EQ(celula.numero, ponto.replace(QLatin1Char(','), QLatin1Char('.')).toDouble());
                if (geral.contains(c)) {
                    EXPECT_TRUE(celula.formato.isEmpty() || celula.formato == QStringLiteral("General"))
                        << celula.formato.toStdString();
                } else if (campo.contains(QLatin1Char(','))) {
                    EXPECT_EQ(celula.formato, QStringLiteral("#,##0.00"));
                } else if (c >= csv[l].size() - colunasDinheiro) {
                    EXPECT_EQ(celula.formato, QStringLiteral("#,##0"));
                }
                break;
            }
            case CelulaLida::Tipo::Vazia:
                EXPECT_TRUE(campo.isEmpty());
                break;
            }
        }
    }
}

class CliPlanilhas : public test::ComArquivoDemo {};

TEST_F(CliPlanilhas, ExportWritesOneTableAsCsvXlsxAndOds)
{
    const QString csv = path(QStringLiteral("titulares.csv"));
    ASSERT_EQ(executa({QStringLiteral("export"), recebido, csv}).codigo, 0);
    const std::vector<QStringList> linhas = linhasCsv(QString::fromUtf8(test::le(csv)), QStringLiteral("\r\n"));
    ASSERT_EQ(linhas.size(), 201u);
    using Leitor = PlanilhaLida (*)(const QString&);
    for (const auto& [nome, le] : {std::pair<const char*, Leitor>{"titulares.xlsx", test::leXlsx},
                                   std::pair<const char*, Leitor>{"titulares.ODS", test::leOds}}) {
        SCOPED_TRACE(nome);
        const QString saida = path(QString::fromLatin1(nome));
        const Execucao e = executa({QStringLiteral("export"), recebido, saida});
        ASSERT_EQ(e.codigo, 0) << e.erros.toStdString();
        EXPECT_TRUE(e.saida.isEmpty());
        const PlanilhaLida p = le(saida);
        confereComCsv(p, linhas, 2);
        // Codes are text: user code, card number, registration.
        for (std::size_t c = 0; c < 3; ++c)
            EXPECT_EQ(p.celula(1, c).tipo, CelulaLida::Tipo::Texto) << c;
        EXPECT_EQ(p.celula(1, 4).tipo, CelulaLida::Tipo::Numero);
    }
}

TEST_F(CliPlanilhas, ReviewOutWritesTheRowsOfItsCsvAndPrintsNothing)
{
    const Execucao csv = executa({QStringLiteral("review"), recebido, QStringLiteral("--csv")});
    ASSERT_EQ(csv.codigo, 0) << csv.erros.toStdString();
    const std::vector<QStringList> linhas = linhasCsv(csv.saida, QStringLiteral("\n"));
    ASSERT_GT(linhas.size(), 100u);
    const QString xlsx = path(QStringLiteral("conferencia.xlsx"));
    const Execucao e = executa({QStringLiteral("review"), recebido, QStringLiteral("--out"), xlsx});
    ASSERT_EQ(e.codigo, 0) << e.erros.toStdString();
    EXPECT_TRUE(e.saida.isEmpty());
    // Variação % (the eighth column) is a plain number; Valor and Habitual
    // are money or credits.
    confereComCsv(test::leXlsx(xlsx), linhas, 3, {7});

    // As a CSV file: the same rows, with the mark and CR LF.
    const QString arquivo = path(QStringLiteral("conferencia.csv"));
    ASSERT_EQ(executa({QStringLiteral("review"), recebido, QStringLiteral("--out"), arquivo}).codigo, 0);
    QString esperado = csv.saida;
    esperado.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    EXPECT_EQ(test::le(arquivo), "\xEF\xBB\xBF" + esperado.toUtf8());
}

class CliHistoricoPlanilha : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(raiz.filePath(QStringLiteral("Historico"))));
        DemoOptions o;
        o.holders = 8;
        geraModeloDemo(modelo, o, QDateTime(QDate(2026, 11, 1), QTime(9, 0)));
        for (int i = 0; i < modelo.QtdRecarga; ++i)
            modelo.wRecarga[std::size_t(i)].Grupo[0].Valor = modelo.wRecarga[std::size_t(i)].TipoCartao == 1 ? 1234.5 : 40;
        a = guarda(QStringLiteral("PX_00123_0007_2611101530_2.HIS"));
        modelo.wRecarga[0].Grupo[0].Valor += 10;
        b = guarda(QStringLiteral("PX_00123_0008_2612101545_2.HIS"));
    }
    QString guarda(const QString& nome)
    {
        const QString caminho = raiz.filePath(QStringLiteral("Historico/") + nome);
        test::grava(caminho, test::loteGuardado(modelo, nome, QDateTime::currentDateTime()));
        return caminho;
    }

    test::TemporaryHome home;
    QTemporaryDir raiz;
    QTemporaryDir saida;
    ModeloRecarga modelo;
    QString a;
    QString b;
};

TEST_F(CliHistoricoPlanilha, TheListAndTheComparisonGoToTheFileAsTheirCsv)
{
    const Execucao lista = executa({QStringLiteral("history"), QStringLiteral("--root"), raiz.path(), QStringLiteral("--csv")});
    ASSERT_EQ(lista.codigo, 0) << lista.erros.toStdString();
    const QString ods = saida.filePath(QStringLiteral("historico.ods"));
    Execucao e = executa({QStringLiteral("history"), QStringLiteral("--root"), raiz.path(), QStringLiteral("--out"), ods});
    ASSERT_EQ(e.codigo, 0) << e.erros.toStdString();
    EXPECT_TRUE(e.saida.isEmpty());
    const PlanilhaLida p = test::leOds(ods);
    confereComCsv(p, linhasCsv(lista.saida, QStringLiteral("\n")), 0);
    // The company and batch numbers keep their zeros.
    EXPECT_EQ(p.celula(1, 0).texto, QStringLiteral("00123"));
    EXPECT_EQ(p.celula(1, 1).texto, QStringLiteral("0008"));
    EXPECT_EQ(p.celula(1, 6).formato, QStringLiteral("#,##0"));

    const Execucao comparacao = executa({QStringLiteral("history"), QStringLiteral("--compare"), a, b, QStringLiteral("--csv")});
    ASSERT_EQ(comparacao.codigo, 0) << comparacao.erros.toStdString();
    const QString xlsx = saida.filePath(QStringLiteral("comparacao.xlsx"));
    e = executa({QStringLiteral("history"), QStringLiteral("--compare"), a, b, QStringLiteral("--out"), xlsx});
    ASSERT_EQ(e.codigo, 0) << e.erros.toStdString();
    confereComCsv(test::leXlsx(xlsx), linhasCsv(comparacao.saida, QStringLiteral("\n")), 3);
}

struct Recusa {
    const char* nome;
    QStringList args;  // FILE: the demo file; {D}: the folder
    const char* erro;
};

class CliPlanilhasUso : public test::ComArquivoDemo, public ::testing::WithParamInterface<Recusa> {};

TEST_P(CliPlanilhasUso, AnotherNameIsAUsageErrorNamingTheAcceptedOnes)
{
    QStringList args;
    for (QString a : GetParam().args)
        args << (a == QStringLiteral("FILE") ? recebido : a.replace(QStringLiteral("{D}"), dir.path()));
    const Execucao e = executa(args);
    EXPECT_EQ(e.codigo, 2);
    EXPECT_EQ(e.erros, QString::fromUtf8(GetParam().erro) + QLatin1Char('\n'));
    EXPECT_TRUE(e.saida.isEmpty());
    // Nothing written beside the demo file.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(recebido).fileName()});
}

INSTANTIATE_TEST_SUITE_P(
    Planilhas, CliPlanilhasUso,
    ::testing::Values(
        Recusa{"ExportTxt", {"export", "FILE", "{D}/titulares.txt"}, "pluvexa-cli export: OUT must end in .xlsx, .ods or .csv"},
        Recusa{"ExportXls", {"export", "FILE", "{D}/titulares.xls"}, "pluvexa-cli export: OUT must end in .xlsx, .ods or .csv"},
        Recusa{"ExportSemExtensao", {"export", "FILE", "{D}/titulares"},
               "pluvexa-cli export: OUT must end in .xlsx, .ods or .csv"},
        Recusa{"ReviewPdf", {"review", "FILE", "--out", "{D}/r.pdf"}, "pluvexa-cli review: --out must end in .xlsx, .ods or .csv"},
        Recusa{"ReviewCsvEOut", {"review", "FILE", "--csv", "--out", "{D}/r.csv"},
               "pluvexa-cli review: --csv and --out exclude each other"},
        Recusa{"HistoryOds2", {"history", "--root", "{D}", "--out", "{D}/h.odt"},
               "pluvexa-cli history: --out must end in .xlsx, .ods or .csv"},
        Recusa{"HistoryCsvEOut", {"history", "--root", "{D}", "--csv", "--out", "{D}/h.xlsx"},
               "pluvexa-cli history: --csv and --out exclude each other"}),
    [](const ::testing::TestParamInfo<Recusa>& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace pluvexa
