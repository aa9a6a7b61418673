// pluvexa-cli review: the holders flagged before sending, on the demo file
// with values given through the spreadsheet round trip.

#include "clirun.h"
#include "support/arquivosteste.h"

#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using test::Execucao;
using test::executa;

class CliRevisao : public test::ComArquivoDemo {
protected:
    // The demo file with three values given: 400,00 to a holder whose last
    // three recharges average 219,91 (above at 50%), 80,00 to one averaging
    // 93,60 (usual) and 40 credits to one averaging 37 (usual).
    void SetUp() override
    {
        test::ComArquivoDemo::SetUp();
        const QString csv = path(QStringLiteral("titulares.csv"));
        ASSERT_EQ(executa({QStringLiteral("export"), recebido, csv}).codigo, 0);
        QByteArray bytes = test::le(csv);
        for (const auto& [antes, depois] :
             {std::pair<QByteArray, QByteArray>{";40332;FERNANDA RODRIGUES SANTOS;1;2;0,00;",
                                                ";40332;FERNANDA RODRIGUES SANTOS;1;2;400,00;"},
              {";32147;CLÁUDIA MOREIRA SILVA;1;3;0,00;", ";32147;CLÁUDIA MOREIRA SILVA;1;3;80,00;"},
              {";96324;VINÍCIUS LIMA RODRIGUES;2;3;0;", ";96324;VINÍCIUS LIMA RODRIGUES;2;3;40;"}}) {
            const qsizetype i = bytes.indexOf(antes);
            ASSERT_GE(i, 0) << antes.toStdString();
            bytes.replace(i, antes.size(), depois);
        }
        ASSERT_NO_FATAL_FAILURE(test::grava(csv, bytes));
        plano = path(QStringLiteral("valores.txt"));
        const Execucao importado = executa({QStringLiteral("import"), recebido, csv, QStringLiteral("--log"),
                                            path(QStringLiteral("logs")), QStringLiteral("--out"), plano});
        ASSERT_EQ(importado.codigo, 0) << importado.saida.toStdString() << importado.erros.toStdString();
    }

    QString plano;
};

TEST_F(CliRevisao, CsvListsTheFlaggedHoldersInModelOrder)
{
    const Execucao e = executa({QStringLiteral("review"), QStringLiteral("--plain"), plano, QStringLiteral("--csv")});
    ASSERT_EQ(e.codigo, 0) << e.erros.toStdString();
    const QStringList linhas = e.saida.split(QLatin1Char('\n'));
    EXPECT_EQ(linhas.first(), QStringLiteral("Usuário;Cartão;Matrícula;Nome;Tipo;Valor;Habitual;Variação %;Motivo"));
    EXPECT_FALSE(e.saida.contains(QLatin1Char('\r')));
    EXPECT_TRUE(linhas.contains(QStringLiteral("100007;373034001;40332;FERNANDA RODRIGUES SANTOS;1;400,00;219,91;81,9;"
                                               "Acima do habitual")))
        << e.saida.toStdString();
    EXPECT_FALSE(e.saida.contains(QStringLiteral("VINÍCIUS LIMA RODRIGUES")));
    EXPECT_FALSE(e.saida.contains(QStringLiteral("CLÁUDIA MOREIRA SILVA")));
    // Every other holder has a history and no value.
    const int semRecarga = int(linhas.filter(QStringLiteral(";Sem recarga")).size());
    EXPECT_EQ(semRecarga, 200 - 3);
    // Model order: user codes grow by 7 from 100000.
    int anterior = 0;
    for (const QString& l : linhas.mid(1, linhas.size() - 2)) {
        const int usuario = l.section(QLatin1Char(';'), 0, 0).toInt();
        EXPECT_GT(usuario, anterior) << l.toStdString();
        anterior = usuario;
    }
}

TEST_F(CliRevisao, AWiderLimitFlagsNothingAboveAndTheTextSaysTheSame)
{
    const Execucao largo = executa({QStringLiteral("review"), QStringLiteral("--plain"), plano, QStringLiteral("--csv"),
                                    QStringLiteral("--limit"), QStringLiteral("100")});
    ASSERT_EQ(largo.codigo, 0);
    EXPECT_FALSE(largo.saida.contains(QStringLiteral("Acima do habitual")));

    const Execucao texto = executa({QStringLiteral("review"), QStringLiteral("--plain"), plano});
    ASSERT_EQ(texto.codigo, 0);
    EXPECT_TRUE(texto.saida.contains(QStringLiteral("100007 FERNANDA RODRIGUES SANTOS type 1: 400,00, usual 219,91, "
                                                    "81,9% - Acima do habitual")))
        << texto.saida.toStdString();
    EXPECT_TRUE(texto.saida.contains(QStringLiteral("198 holders flagged")));
}

struct CasoUso {
    const char* nome;
    QStringList args;
    int codigo;
    const char* erro;
};

class CliRevisaoUso : public test::ComArquivoDemo, public ::testing::WithParamInterface<CasoUso> {};

TEST_P(CliRevisaoUso, RefusesWithItsExitStatus)
{
    QStringList args{QStringLiteral("review")};
    for (const QString& a : GetParam().args)
        args << (a == QStringLiteral("FILE") ? recebido : a);
    const Execucao e = executa(args);
    EXPECT_EQ(e.codigo, GetParam().codigo);
    EXPECT_TRUE(e.erros.contains(QString::fromUtf8(GetParam().erro))) << e.erros.toStdString();
    EXPECT_TRUE(e.saida.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Revisao, CliRevisaoUso,
    ::testing::Values(
        CasoUso{"LimiteZero", {QStringLiteral("FILE"), QStringLiteral("--limit"), QStringLiteral("0")}, 2,
                "--limit must be a whole number from 1 to 1000"},
        CasoUso{"LimiteAlto", {QStringLiteral("FILE"), QStringLiteral("--limit"), QStringLiteral("1001")}, 2,
                "--limit must be a whole number from 1 to 1000"},
        CasoUso{"LimiteFracionario", {QStringLiteral("FILE"), QStringLiteral("--limit"), QStringLiteral("1.5")}, 2,
                "--limit must be a whole number from 1 to 1000"},
        CasoUso{"RascunhoEPlano", {QStringLiteral("FILE"), QStringLiteral("--draft"), QStringLiteral("--plain")}, 2,
                "--draft and --plain exclude each other"},
        CasoUso{"ArquivoAusente", {QStringLiteral("/nao/existe.rec")}, 1, "does not exist"}),
    [](const ::testing::TestParamInfo<CasoUso>& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace pluvexa
