// pluvexa-cli export and import of spreadsheets: the round trip a new user
// makes with the demonstration file.

#include "clirun.h"
#include "support/arquivosteste.h"
#include "support/testenv.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using test::Execucao;
using test::executa;
using test::le;

class CliPlanilha : public test::ComArquivoDemo {};

TEST_F(CliPlanilha, ExportEditImportAndTheModelWrittenOutCarriesTheValues)
{
    const QString csv = path(QStringLiteral("titulares.csv"));
    const Execucao exportado = executa({QStringLiteral("export"), recebido, csv});
    ASSERT_EQ(exportado.codigo, 0) << exportado.erros.toStdString();
    EXPECT_TRUE(exportado.saida.isEmpty());
    QByteArray bytes = le(csv);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBFUsu\xC3\xA1rio;Cart\xC3\xA3o;Matr\xC3\xAD" "cula;Nome;Tipo;Tarifa;Valor;"));
    EXPECT_EQ(bytes.count("\r\n"), 201);

    // A text editor's changes: two money values, one credit value, one
    // deliberately bad value.
    const auto edita = [&bytes](const QByteArray& antes, const QByteArray& depois) {
        const qsizetype i = bytes.indexOf(antes);
        ASSERT_GE(i, 0) << antes.toStdString();
        bytes.replace(i, antes.size(), depois);
    };
    edita(";40332;FERNANDA RODRIGUES SANTOS;1;2;0,00;", ";40332;FERNANDA RODRIGUES SANTOS;1;2;150,25;");
    edita(";32147;CLÁUDIA MOREIRA SILVA;1;3;0,00;", ";32147;CLÁUDIA MOREIRA SILVA;1;3;80;");
    edita(";96324;VINÍCIUS LIMA RODRIGUES;2;3;0;", ";96324;VINÍCIUS LIMA RODRIGUES;2;3;40;");
    edita(";24357;MARIA DA CONCEIÇÃO ARAÚJO CASTRO;1;3;0,00;", ";24357;MARIA DA CONCEIÇÃO ARAÚJO CASTRO;1;3;1.200,00;");
    test::grava(csv, bytes);

    const QString depois = path(QStringLiteral("depois.txt"));
    const Execucao importado = executa({QStringLiteral("import"), recebido, csv, QStringLiteral("--log"),
                                        path(QStringLiteral("logs")), QStringLiteral("--out"), depois});
    EXPECT_EQ(importado.codigo, 1);
    EXPECT_EQ(importado.saida, QStringLiteral("            5   24357                O valor da recarga excede 600.00\n"
                                              "Total de OK: 199 - Total de erros: 1\n"));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("logs/titulares.csv.log"))));  // a spreadsheet's log keeps its extension

    const Execucao check = executa({QStringLiteral("check"), QStringLiteral("--plain"), depois});
    EXPECT_EQ(check.codigo, 0) << check.erros.toStdString();
    EXPECT_TRUE(check.saida.contains(QStringLiteral("01 - VALE-TRANSPORTE EM DINHEIRO: 154 holders, R$ 230,25 entered")))
        << check.saida.toStdString();
    EXPECT_TRUE(check.saida.contains(QStringLiteral("02 - VALE-TRANSPORTE EM CRÉDITOS: 46 holders, 40 credits entered")));

    // Exported again, the file shows what was imported.
    const QString outra = path(QStringLiteral("de novo.csv"));
    ASSERT_EQ(executa({QStringLiteral("export"), QStringLiteral("--plain"), depois, outra}).codigo, 0);
    EXPECT_TRUE(le(outra).contains(";40332;FERNANDA RODRIGUES SANTOS;1;2;150,25;"));
    EXPECT_TRUE(le(outra).contains(";96324;VINÍCIUS LIMA RODRIGUES;2;3;40;"));
}

TEST_F(CliPlanilha, TheCsvExampleAgainstTheDemoFile)
{
    const Execucao e = executa({QStringLiteral("import"), recebido,
                                QStringLiteral(PLUVEXA_SOURCE_DIR "/examples/folha_2026_03.csv"),
                                QStringLiteral("--log"), path(QStringLiteral("logs"))});
    EXPECT_EQ(e.codigo, 1) << e.erros.toStdString();
    EXPECT_EQ(e.saida, QStringLiteral("            7   24357                O valor da recarga excede 600.00\n"
                                      "            8   99999                Matrícula não encontrada\n"
                                      "            9   49524                Coluna Valor vazia\n"
                                      "Total de OK: 5 - Total de erros: 3\n"));
}

struct UsoExport {
    const char* nome;
    QStringList args;
};

class CliExportUsage : public CliPlanilha, public ::testing::WithParamInterface<UsoExport> {};

TEST_P(CliExportUsage, ExitsWithTwoAndWritesNothing)
{
    QStringList args{QStringLiteral("export")};
    for (const QString& a : GetParam().args)
        args << (a == QLatin1String("FILE") ? recebido : a.startsWith(u'@') ? path(a.mid(1)) : a);
    const Execucao e = executa(args);
    EXPECT_EQ(e.codigo, 2) << e.saida.toStdString() << e.erros.toStdString();
    EXPECT_FALSE(e.erros.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);  // the received file only
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliExportUsage,
    ::testing::Values(UsoExport{"NotACsvName", {"FILE", "@titulares.txt"}},
                      UsoExport{"DraftAndPlain", {"--draft", "--plain", "FILE", "@t.csv"}},
                      UsoExport{"NoOutput", {"FILE"}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(CliPlanilha, AnUnreadableFileIsAFailureAndWritesNothing)
{
    const Execucao e = executa({QStringLiteral("export"), path(QStringLiteral("sumiu.rec")), path(QStringLiteral("t.csv"))});
    EXPECT_EQ(e.codigo, 1);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("t.csv"))));
}

}  // namespace
}  // namespace pluvexa
