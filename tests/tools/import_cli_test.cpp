// pluvexa-cli import: a payroll file checked against the demonstration
// file as support staff would, before the operator imports it.

#include "clirun.h"
#include "comoninguem.h"
#include "support/arquivosteste.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace pluvexa {
namespace {

using test::Execucao;
using test::executa;

const QString kExemplo = QStringLiteral(PLUVEXA_SOURCE_DIR "/examples/folha_2026_03.rrm");

class CliImport : public test::ComArquivoDemo {
protected:
    QString externo(const QByteArray& bytes)
    {
        const QString caminho = path(QStringLiteral("folha.rrm"));
        test::grava(caminho, bytes);
        return caminho;
    }

    Execucao importa(const QStringList& args) { return executa(QStringList{QStringLiteral("import"), recebido} + args); }
};

TEST_F(CliImport, TheExampleAgainstTheDemoFilePrintsTheReportLinesAndLogsBelowTheWorkingRoot)
{
    const Execucao e = importa({kExemplo, QStringLiteral("--out"), path(QStringLiteral("depois.txt"))});
    EXPECT_EQ(e.codigo, 1) << e.erros.toStdString();
    // One refusal of each kind.
    EXPECT_EQ(e.saida, QStringLiteral("            5   24357                O identificador do registro infomado não é um número válido\n"
                                      "            6   99999                Matrícula não encontrada\n"
                                      "            7   49524                Valor infomado não é válido\n"
                                      "            8   67110                Empresa infomada não é um número\n"
                                      "            9   32147                Código do arquivo infomado não é um número\n"
                                      "           11   90923                Erro na atualização do valor da recarga\n"
                                      "Total de OK: 5 - Total de erros: 6\n"));
    const QString log = home.path() + QStringLiteral("/Drovanti/Pluvexa/Log/folha_2026_03.log");
    EXPECT_TRUE(e.erros.contains(QStringLiteral("Eventos     ==> OK ")));  // the processing log
    EXPECT_TRUE(e.erros.contains(QStringLiteral("Log da operação gerado em \n") + QDir::toNativeSeparators(log)))
        << e.erros.toStdString();
    EXPECT_TRUE(QFile::exists(log));

    // The model after the import, as the record writer writes it: what was
    // stored arrives, what was refused does not.
    const Execucao check = executa({QStringLiteral("check"), QStringLiteral("--plain"), path(QStringLiteral("depois.txt"))});
    EXPECT_EQ(check.codigo, 0) << check.erros.toStdString();
    EXPECT_TRUE(check.saida.contains(QStringLiteral("01 - VALE-TRANSPORTE EM DINHEIRO: 154 holders, R$ 425,50 entered")))
        << check.saida.toStdString();
    EXPECT_TRUE(check.saida.contains(QStringLiteral("02 - VALE-TRANSPORTE EM CRÉDITOS: 46 holders, 65 credits entered")));
}

// Support staff checking a payroll file (neither --out nor --log) change
// nothing of the operator's: the log goes to a temporary folder, named.
TEST_F(CliImport, ADryCheckLeavesTheOperatorsLogUntouched)
{
    const QString doOperador = home.path() + QStringLiteral("/Drovanti/Pluvexa/Log/folha_2026_03.log");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(doOperador).absolutePath()));
    ASSERT_NO_FATAL_FAILURE(test::grava(doOperador, "o log da importacao do operador\r\n"));
    const Execucao e = importa({kExemplo});
    EXPECT_EQ(e.codigo, 1) << e.erros.toStdString();
    EXPECT_TRUE(e.saida.endsWith(QStringLiteral("Total de OK: 5 - Total de erros: 6\n")));
    EXPECT_EQ(test::le(doOperador), QByteArray("o log da importacao do operador\r\n"));
    static const QRegularExpression onde(
        QStringLiteral("\npluvexa-cli import: a dry check \\(neither --out nor --log\\): the import log is \"(.*)\"\n$"));
    const QRegularExpressionMatch m = onde.match(e.erros);
    ASSERT_TRUE(m.hasMatch()) << e.erros.toStdString();
    const QFileInfo log(m.captured(1));
    EXPECT_EQ(log.fileName(), QStringLiteral("folha_2026_03.log"));
    EXPECT_TRUE(log.absolutePath().startsWith(QDir::tempPath())) << log.absolutePath().toStdString();
    EXPECT_TRUE(test::le(log.filePath()).contains("Total de OK: 5 - Total de erros: 6"));
    EXPECT_TRUE(QDir(log.absolutePath()).removeRecursively());
}

// A payroll file and a spreadsheet of one month each keep their own log.
TEST_F(CliImport, ASpreadsheetsLogKeepsItsExtension)
{
    const QString logs = path(QStringLiteral("logs"));
    for (const QString& externo : {kExemplo, QStringLiteral(PLUVEXA_SOURCE_DIR "/examples/folha_2026_03.csv")})
        EXPECT_EQ(importa({externo, QStringLiteral("--log"), logs}).codigo, 1);
    EXPECT_EQ(QDir(logs).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("folha_2026_03.csv.log"), QStringLiteral("folha_2026_03.log")}));
}

TEST_F(CliImport, AllStoredExitsZeroAndTheTypeOptionSelectsForRecordsWithoutOne)
{
    // 96324 holds a credit card; without a type of its own it is found only
    // with the credit type selected.
    const QString arquivo = externo("000000196324                0000000000000012,000000000123  0000002603\r\n");
    const Execucao dinheiro = importa({arquivo, QStringLiteral("--log"), path(QStringLiteral("logs"))});
    EXPECT_EQ(dinheiro.codigo, 1);
    EXPECT_TRUE(dinheiro.saida.endsWith(QStringLiteral("Total de OK: 0 - Total de erros: 1\n")));
    const Execucao creditos = importa({arquivo, QStringLiteral("--type"), QStringLiteral("2"),
                                       QStringLiteral("--log"), path(QStringLiteral("logs"))});
    EXPECT_EQ(creditos.codigo, 0) << creditos.erros.toStdString();
    EXPECT_EQ(creditos.saida, QStringLiteral("Total de OK: 1 - Total de erros: 0\n"));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("logs/folha.log"))));
}

// A file without a single record imports nothing: a failure, said in the
// report's one line.
TEST_F(CliImport, AFileWithoutRecordsExitsOne)
{
    const struct {
        const char* nome;
        QByteArray bytes;
    } casos[] = {{"vazio.rrm", ""}, {"cabecalho.csv", "Matr\xC3\xAD" "cula;Valor\r\n"}, {"branco.csv", "\r\n;;\r\n"}};
    for (const auto& c : casos) {
        const QString externo = path(QString::fromLatin1(c.nome));
        ASSERT_NO_FATAL_FAILURE(test::grava(externo, c.bytes));
        const Execucao e = importa({externo, QStringLiteral("--log"), path(QStringLiteral("logs"))});
        EXPECT_EQ(e.codigo, 1) << c.nome << e.erros.toStdString();
        EXPECT_EQ(e.saida, QStringLiteral("Nenhum registro reconhecido no arquivo\nTotal de OK: 0 - Total de erros: 0\n"))
            << c.nome;
    }
}

// A payroll file that is not there has nothing to import: the reason, and
// no log (nor its folder) written.
TEST_F(CliImport, AMissingExternalFileIsRefusedBeforeAnyLog)
{
    const QString logs = path(QStringLiteral("logs"));
    const Execucao e = importa({path(QStringLiteral("sumiu.rrm")), QStringLiteral("--log"), logs});
    EXPECT_EQ(e.codigo, 1);
    EXPECT_EQ(e.saida, QString());
    EXPECT_EQ(e.erros, QStringLiteral("pluvexa-cli: \"%1\" does not exist\n").arg(path(QStringLiteral("sumiu.rrm"))));
    EXPECT_FALSE(QDir(logs).exists());
}

TEST_F(CliImport, ALogThatCannotBeCreatedMeansNoRun)
{
    const QString ocupado = externo("x");  // a file where the log folder should be
    const Execucao e = importa({kExemplo, QStringLiteral("--log"), ocupado});
    EXPECT_EQ(e.codigo, 1);
    EXPECT_TRUE(e.saida.isEmpty()) << e.saida.toStdString();
    EXPECT_TRUE(e.erros.contains(QStringLiteral("cannot create the log folder"))) << e.erros.toStdString();
    EXPECT_TRUE(e.erros.contains(QStringLiteral("nothing imported"))) << e.erros.toStdString();
}

// A log folder the user may not write to: the run stops before the first
// record, with the reason. Root writes anywhere, so the command runs as
// "nobody" when the tests run as root.
TEST_F(CliImport, AReadOnlyLogFolderMeansNoRun)
{
    if (!test::podeRodarComoNinguem())
        GTEST_SKIP() << "running as root without setpriv: the folder would be writable";
    const QFileDevice::Permissions todos = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                           | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), todos));
    const QString somenteLeitura = path(QStringLiteral("logs"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("logs")));
    ASSERT_TRUE(QFile::setPermissions(somenteLeitura, QFileDevice::ReadOwner | QFileDevice::ExeOwner
                                                          | QFileDevice::ReadOther | QFileDevice::ExeOther));
    const QStringList args = {QStringLiteral("import"), QStringLiteral("--plain"),
                              test::acessivel(QStringLiteral(PLUVEXA_TEST_DATA "/cli/recebido.txt"), dir.path()),
                              test::acessivel(kExemplo, dir.path()), QStringLiteral("--log"), somenteLeitura};
    const Execucao e = test::executaComoNinguem(args, dir.path());
    EXPECT_EQ(e.codigo, 1) << e.erros.toStdString();
    EXPECT_TRUE(e.saida.isEmpty()) << e.saida.toStdString();
    EXPECT_TRUE(e.erros.contains(QStringLiteral("cannot create the log folder \"%1\": Permission denied; nothing imported")
                                     .arg(QDir::toNativeSeparators(somenteLeitura))))
        << e.erros.toStdString();
    EXPECT_TRUE(QDir(somenteLeitura).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(CliImport, AnInconsistentFileImportsNothing)
{
    const QString ruim = path(QStringLiteral("ruim.txt"));
    // Whole, but a card type of the wrong length.
    ASSERT_NO_FATAL_FAILURE(test::grava(ruim, "00X\r\n0400SHORT CARD TYPE RECORD\r\n990000000003\r\n"));
    const Execucao e = executa({QStringLiteral("import"), QStringLiteral("--plain"), ruim, kExemplo,
                                QStringLiteral("--log"), path(QStringLiteral("logs"))});
    EXPECT_EQ(e.codigo, 1);
    EXPECT_TRUE(e.saida.isEmpty());
    EXPECT_FALSE(QDir(path(QStringLiteral("logs"))).exists());
}

struct UsoImport {
    const char* nome;
    QStringList opcoes;
};

class CliImportUsage : public CliImport, public ::testing::WithParamInterface<UsoImport> {};

TEST_P(CliImportUsage, ExitsWithTwoAndImportsNothing)
{
    const Execucao e = importa(GetParam().opcoes);
    EXPECT_EQ(e.codigo, 2) << e.saida.toStdString() << e.erros.toStdString();
    EXPECT_FALSE(e.erros.isEmpty());
    EXPECT_FALSE(QDir(home.path() + QStringLiteral("/Drovanti/Pluvexa/Log")).exists());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliImportUsage,
    ::testing::Values(UsoImport{"TypeNotInTheFile", {kExemplo, "--type", "3"}},
                      UsoImport{"TypeZero", {kExemplo, "--type", "0"}},
                      UsoImport{"TypeNotANumber", {kExemplo, "--type", "x"}},
                      UsoImport{"DraftAndPlain", {kExemplo, "--draft", "--plain"}},
                      UsoImport{"NoExternalFile", {}}),
    [](const auto& info) { return std::string(info.param.nome); });

// A file that is no spreadsheet nor payroll file, or a workbook that cannot
// be opened, is refused in the operator's words before anything is read or
// logged.
TEST_F(CliImport, AWrongFileIsRefusedAtOnceWithTheOperatorsWords)
{
    const struct {
        const char* arquivo;
        const char* texto;
    } casos[] = {
        {"pdf.xlsx", "O arquivo pdf.xlsx não é uma planilha nem um arquivo de recarga. Formatos aceitos: .xlsx, .ods, "
                     ".xls, .csv, .rrm."},
        {"senha.ods", "A planilha senha.ods está protegida por senha: salve-a sem senha e importe de novo."},
        {"pagina.xls", "O arquivo pagina.xls não é uma planilha do Excel: abra-o na planilha e salve como .xlsx."},
    };
    for (const auto& c : casos) {
        const QString arquivo = QStringLiteral(PLUVEXA_TEST_DATA "/planilhas/") + QString::fromUtf8(c.arquivo);
        const Execucao e = importa({arquivo, QStringLiteral("--log"), path(QStringLiteral("logs"))});
        EXPECT_EQ(e.codigo, 1) << c.arquivo;
        EXPECT_EQ(e.erros, QStringLiteral("pluvexa-cli: ") + QString::fromUtf8(c.texto) + u'\n')
            << e.erros.toStdString();
        EXPECT_TRUE(e.saida.isEmpty()) << e.saida.toStdString();
        EXPECT_FALSE(QDir(path(QStringLiteral("logs"))).exists());
    }
}

}  // namespace
}  // namespace pluvexa

namespace pluvexa {
namespace {

using test::Execucao;
using test::executa;

// A clerk's header the import does not know: named with --columns; the
// sheet of a file by --sheet. FERNANDA (40332) holds a money card of the
// demonstration file.
class CliColunas : public test::ComArquivoDemo {
protected:
    QString planilha(const QByteArray& bytes)
    {
        const QString caminho = path(QStringLiteral("folha.csv"));
        test::grava(caminho, bytes);
        return caminho;
    }
    Execucao importa(const QStringList& args)
    {
        return executa(QStringList{QStringLiteral("import"), recebido} + args
                       + QStringList{QStringLiteral("--log"), path(QStringLiteral("logs"))});
    }
};

const QByteArray kDesconhecida = "Folha de mar\xC3\xA7o\r\nC\xC3\xB3" "d;Nome;Quantia\r\n040332;FERNANDA;10,00\r\n";

TEST_F(CliColunas, AnUnknownHeaderExitsOneNamingTheColumnsFoundAndColumnsImportsIt)
{
    const QString csv = planilha(kDesconhecida);
    const Execucao sem = importa({csv});
    EXPECT_EQ(sem.codigo, 1);
    EXPECT_TRUE(sem.erros.contains(QStringLiteral("columns found on row 2: Cód, Nome, Quantia"))) << sem.erros.toStdString();
    EXPECT_TRUE(sem.erros.contains(QStringLiteral("--columns matricula=<header>,valor=<header>"))) << sem.erros.toStdString();
    EXPECT_TRUE(sem.saida.isEmpty()) << sem.saida.toStdString();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("logs/folha.log"))));

    const Execucao com = importa({csv, QStringLiteral("--columns"), QStringLiteral("matricula=cod,valor=Quantia"),
                                  QStringLiteral("--sheet"), QStringLiteral("1")});
    EXPECT_EQ(com.codigo, 0) << com.erros.toStdString();
    EXPECT_EQ(com.saida, QStringLiteral("Total de OK: 1 - Total de erros: 0\n"));
}

struct UsoColunas {
    const char* nome;
    QStringList args;   // after EXTERNAL
    int codigo;
    const char* erro;
};

class CliColunasErradas : public CliColunas, public ::testing::WithParamInterface<UsoColunas> {};

TEST_P(CliColunasErradas, AreRefusedBeforeAnythingIsLogged)
{
    const UsoColunas& c = GetParam();
    const QString externo =
        c.args.contains(QStringLiteral("rrm")) ? path(QStringLiteral("folha.rrm")) : planilha(kDesconhecida);
    if (externo.endsWith(QStringLiteral(".rrm")))
        test::grava(externo, "");
    QStringList args{externo};
    for (const QString& a : c.args)
        if (a != QLatin1String("rrm"))
            args << a;
    const Execucao e = importa(args);
    EXPECT_EQ(e.codigo, c.codigo) << e.erros.toStdString();
    EXPECT_TRUE(e.erros.contains(QString::fromUtf8(c.erro))) << e.erros.toStdString();
    EXPECT_FALSE(QDir(path(QStringLiteral("logs"))).exists(QStringLiteral("folha.log")));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, CliColunasErradas,
    ::testing::Values(
        UsoColunas{"UnknownField", {QStringLiteral("--columns"), QStringLiteral("nome=Nome")}, 2, "unknown field \"nome\""},
        UsoColunas{"NoEqualsSign", {QStringLiteral("--columns"), QStringLiteral("matricula")}, 2, "is not FIELD=HEADER"},
        UsoColunas{"AColumnNotThere", {QStringLiteral("--columns"), QStringLiteral("matricula=Chapa,valor=Quantia")}, 1,
                   "columns found on row 2"},
        UsoColunas{"NoSuchSheet", {QStringLiteral("--sheet"), QStringLiteral("Abril")}, 1, "has no sheet \"Abril\""},
        UsoColunas{"ForAPayrollFile", {QStringLiteral("rrm"), QStringLiteral("--sheet"), QStringLiteral("1")}, 2,
                   "--columns and --sheet are for spreadsheets only"}),
    [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace pluvexa
