// pluvexa-cli history: the kept batches of a working root listed and two of
// them compared, as support staff would read them.

#include "central/dadosdemo.h"
#include "clirun.h"
#include "support/arquivosteste.h"
#include "support/loteguardado.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using test::Execucao;
using test::executa;

class CliHistorico : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(raiz.filePath(QStringLiteral("Historico"))));
        ASSERT_TRUE(QDir().mkpath(raiz.filePath(QStringLiteral("Gerados"))));
        DemoOptions o;
        o.holders = 6;
        geraModeloDemo(modelo, o, QDateTime(QDate(2026, 11, 1), QTime(9, 0)));
        for (int i = 0; i < modelo.QtdRecarga; ++i) {
            Recarga& r = modelo.wRecarga[std::size_t(i)];
            (r.TipoCartao == 1 ? dinheiro : creditos).push_back(i);
        }
        ASSERT_GE(dinheiro.size(), 2u);
        ASSERT_GE(creditos.size(), 1u);
    }

    QString guarda(const QString& nome)
    {
        const QString caminho = raiz.filePath(QStringLiteral("Historico/") + nome);
        test::grava(caminho, test::loteGuardado(modelo, nome, QDateTime::currentDateTime()));
        return caminho;
    }

    Recarga& titular(int i) { return modelo.wRecarga[std::size_t(i)]; }

    test::TemporaryHome home;
    QTemporaryDir raiz;
    ModeloRecarga modelo;
    std::vector<int> dinheiro;
    std::vector<int> creditos;
};

TEST_F(CliHistorico, ListsTheKeptBatchesNewestFirstAsCsv)
{
    titular(dinheiro[0]).Grupo[0].Valor = 1234.5;
    guarda(QStringLiteral("PX_00123_0007_2611101530_2.HIS"));
    titular(creditos[0]).Grupo[0].Valor = 40;
    guarda(QStringLiteral("PX_00123_0008_2612101545_2.HIS"));
    ASSERT_NO_FATAL_FAILURE(
        test::grava(raiz.filePath(QStringLiteral("Gerados/PX_00123_0007_2611101530_4.REC")), QByteArray()));

    const Execucao e = executa({QStringLiteral("history"), QStringLiteral("--root"), raiz.path(), QStringLiteral("--csv")});
    ASSERT_EQ(e.codigo, 0) << e.erros.toStdString();
    const QStringList linhas = e.saida.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(linhas.size(), 3) << e.saida.toStdString();
    EXPECT_EQ(linhas[0], QStringLiteral("Empresa;Remessa;Gerado em;Arquivo;Titulares com valor;Total em Valor;"
                                        "Total em Créditos;Enviado"));
    EXPECT_TRUE(linhas[1].startsWith(QStringLiteral("00123;0008;10/12/2026 15:45;PX_00123_0008_2612101545_2.REC;2;")))
        << linhas[1].toStdString();
    EXPECT_TRUE(linhas[1].endsWith(QStringLiteral(";40;Não")));
    EXPECT_EQ(linhas[2], QStringLiteral("00123;0007;10/11/2026 15:30;PX_00123_0007_2611101530_2.REC;1;1234,50;0;Sim"));
}

TEST_F(CliHistorico, ADamagedBatchIsNamedAndTheOthersListed)
{
    guarda(QStringLiteral("PX_00123_0007_2611101530_2.HIS"));
    const QString danificado = raiz.filePath(QStringLiteral("Historico/PX_00123_0008_2612101545_2.HIS"));
    ASSERT_NO_FATAL_FAILURE(test::grava(danificado, "\x01\x02\x03"));

    const Execucao e = executa({QStringLiteral("history"), QStringLiteral("--root"), raiz.path(), QStringLiteral("--csv")});
    EXPECT_EQ(e.codigo, 1);
    EXPECT_TRUE(e.erros.contains(QStringLiteral("PX_00123_0008_2612101545_2.HIS"))) << e.erros.toStdString();
    EXPECT_TRUE(e.saida.contains(QStringLiteral("00123;0007;10/11/2026 15:30;")));
    EXPECT_FALSE(e.saida.contains(QStringLiteral("0008")));
}

TEST_F(CliHistorico, ComparesTwoBatchesHolderByHolder)
{
    titular(dinheiro[0]).Grupo[0].Valor = 100;
    titular(dinheiro[1]).Grupo[0].Valor = 50.25;
    const QString a = guarda(QStringLiteral("PX_00123_0007_2611101530_2.HIS"));
    titular(dinheiro[0]).Grupo[0].Valor = 120.10;
    const QString b = guarda(QStringLiteral("PX_00123_0008_2612101545_2.HIS"));

    const Execucao e = executa({QStringLiteral("history"), QStringLiteral("--compare"), a, b, QStringLiteral("--csv")});
    ASSERT_EQ(e.codigo, 0) << e.erros.toStdString();
    const QStringList linhas = e.saida.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(linhas.size(), 1 + modelo.QtdRecarga);
    EXPECT_EQ(linhas[0], QStringLiteral("Usuário;Tipo;Nome;Valor A;Valor B;Diferença;Situação"));
    const QString usuario0 = QString::number(titular(dinheiro[0]).Usuario) + QLatin1Char(';');
    const QString usuario1 = QString::number(titular(dinheiro[1]).Usuario) + QLatin1Char(';');
    // User code, card type, name, A, B, difference, situation.
    for (const QString& l : linhas.mid(1)) {
        EXPECT_EQ(l.count(QLatin1Char(';')), 6) << l.toStdString();
        if (l.startsWith(usuario0))
            EXPECT_TRUE(l.endsWith(QStringLiteral(";100,00;120,10;20,10;Alterado"))) << l.toStdString();
        else if (l.startsWith(usuario1))
            EXPECT_TRUE(l.endsWith(QStringLiteral(";50,25;50,25;0,00;Igual"))) << l.toStdString();
        else
            EXPECT_TRUE(l.endsWith(QStringLiteral(";Igual"))) << l.toStdString();
    }
}

// A mistyped root lists nothing: it fails rather than succeed empty.
TEST_F(CliHistorico, ARootThatIsNoFolderIsExitOne)
{
    const QString ausente = raiz.filePath(QStringLiteral("nao-existe"));
    Execucao e = executa({QStringLiteral("history"), QStringLiteral("--root"), ausente});
    EXPECT_EQ(e.codigo, 1);
    EXPECT_EQ(e.erros, QStringLiteral("pluvexa-cli: the working root \"%1\" does not exist\n")
                           .arg(QDir::toNativeSeparators(ausente)));
    EXPECT_TRUE(e.saida.isEmpty());
    const QString arquivo = guarda(QStringLiteral("PX_00123_0007_2611101530_2.HIS"));
    e = executa({QStringLiteral("history"), QStringLiteral("--root"), arquivo});
    EXPECT_EQ(e.codigo, 1);
    EXPECT_EQ(e.erros, QStringLiteral("pluvexa-cli: the working root \"%1\" is not a folder\n")
                           .arg(QDir::toNativeSeparators(arquivo)));
}

// The listing reads every batch and leaves the window's summary alone; a
// batch named on the command line may be a link to one.
TEST_F(CliHistorico, NeverWritesTheSummaryAndFollowsALinkItIsGiven)
{
    const QString a = guarda(QStringLiteral("PX_00123_0007_2611101530_2.HIS"));
    const QString b = guarda(QStringLiteral("PX_00123_0008_2612101545_2.HIS"));
    ASSERT_EQ(executa({QStringLiteral("history"), QStringLiteral("--root"), raiz.path()}).codigo, 0);
    EXPECT_FALSE(QFileInfo::exists(raiz.filePath(QStringLiteral("Historico/.resumo"))));
    const QString ligacao = raiz.filePath(QStringLiteral("ligado.HIS"));
    ASSERT_TRUE(QFile::link(b, ligacao));
    const Execucao e = executa({QStringLiteral("history"), QStringLiteral("--compare"), a, ligacao});
    EXPECT_EQ(e.codigo, 0) << e.erros.toStdString();
}

// For a person: a header over the columns, money as check shows it.
TEST_F(CliHistorico, TheTextHasAHeaderAndMoneyAsCheckShowsIt)
{
    titular(dinheiro[0]).Grupo[0].Valor = 500;
    titular(dinheiro[1]).Grupo[0].Valor = 498.97;
    guarda(QStringLiteral("PX_00123_0007_2611101530_2.HIS"));
    const Execucao e = executa({QStringLiteral("history"), QStringLiteral("--root"), raiz.path()});
    ASSERT_EQ(e.codigo, 0) << e.erros.toStdString();
    const QStringList linhas = e.saida.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(linhas.size(), 2) << e.saida.toStdString();
    EXPECT_TRUE(linhas[0].startsWith(QStringLiteral("Empresa  Remessa  Gerado em         Arquivo")))
        << linhas[0].toStdString();
    EXPECT_TRUE(linhas[0].endsWith(QStringLiteral("Total em Créditos  Enviado")));
    EXPECT_TRUE(linhas[1].contains(QStringLiteral("  R$ 998,97  "))) << linhas[1].toStdString();
    // Each value stands under its column's header, right-aligned.
    const qsizetype fimTotal = linhas[0].indexOf(QStringLiteral("Total em Valor")) + 14;
    EXPECT_EQ(linhas[1].indexOf(QStringLiteral("R$ 998,97")) + 9, fimTotal);

    // Thousands with a point, as check shows them.
    for (const int i : dinheiro)
        titular(i).Grupo[0].Valor = 600;
    guarda(QStringLiteral("PX_00123_0008_2612101545_2.HIS"));
    const int total = 600 * int(dinheiro.size());
    const Execucao milhar = executa({QStringLiteral("history"), QStringLiteral("--root"), raiz.path()});
    EXPECT_TRUE(milhar.saida.contains(
        QStringLiteral("R$ %1.%2,00").arg(total / 1000).arg(total % 1000, 3, 10, QLatin1Char('0'))))
        << milhar.saida.toStdString();
}

struct Filtro {
    const char* nome;
    QStringList opcoes;
    QStringList remessas;  // listed, newest first
};

class CliHistoricoFiltro : public CliHistorico, public ::testing::WithParamInterface<Filtro> {};

TEST_P(CliHistoricoFiltro, KeepsTheBatchesOfThePeriod)
{
    guarda(QStringLiteral("PX_00123_0006_2512311800_2.HIS"));
    guarda(QStringLiteral("PX_00123_0007_2601010800_2.HIS"));
    guarda(QStringLiteral("PX_00123_0008_2612101545_2.HIS"));
    const Execucao e = executa(QStringList{QStringLiteral("history"), QStringLiteral("--root"), raiz.path(),
                                           QStringLiteral("--csv")}
                               + GetParam().opcoes);
    ASSERT_EQ(e.codigo, 0) << e.erros.toStdString();
    QStringList remessas;
    for (const QString& l : e.saida.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(1))
        remessas << l.section(QLatin1Char(';'), 1, 1);
    EXPECT_EQ(remessas, GetParam().remessas);
}

INSTANTIATE_TEST_SUITE_P(
    Periodos, CliHistoricoFiltro,
    ::testing::Values(Filtro{"All", {}, {"0008", "0007", "0006"}},
                      Filtro{"Year", {"--year", "2026"}, {"0008", "0007"}},
                      Filtro{"OtherYear", {"--year", "2025"}, {"0006"}},
                      Filtro{"SinceTheFirstDay", {"--since", "2026-01-01"}, {"0008", "0007"}},
                      Filtro{"SinceADayWithin", {"--since", "2026-01-02"}, {"0008"}},
                      Filtro{"Both", {"--year", "2025", "--since", "2025-12-31"}, {"0006"}},
                      Filtro{"NoneLeft", {"--year", "2024"}, {}}),
    [](const auto& info) { return std::string(info.param.nome); });

// A damaged batch outside the period is not this listing's failure.
TEST_F(CliHistorico, ADamagedBatchOutsideThePeriodIsLeftOut)
{
    guarda(QStringLiteral("PX_00123_0008_2612101545_2.HIS"));
    ASSERT_NO_FATAL_FAILURE(test::grava(raiz.filePath(QStringLiteral("Historico/PX_00123_0006_2512311800_2.HIS")),
                                        "\x01\x02\x03"));
    const Execucao e = executa({QStringLiteral("history"), QStringLiteral("--root"), raiz.path(),
                                QStringLiteral("--year"), QStringLiteral("2026")});
    EXPECT_EQ(e.codigo, 0) << e.erros.toStdString();
    EXPECT_TRUE(e.erros.isEmpty());
}

struct Mensagem {
    const char* nome;
    QStringList args;  // {A}: a kept batch, {X}: a batch that does not exist
    int codigo;
    const char* erro;  // the first line of standard error; {X} for the path
};

class CliHistoricoMensagem : public CliHistorico, public ::testing::WithParamInterface<Mensagem> {};

TEST_P(CliHistoricoMensagem, SaysWhatToDo)
{
    const QString a = guarda(QStringLiteral("PX_00123_0007_2611101530_2.HIS"));
    const QString ausente = raiz.filePath(QStringLiteral("Historico/PX_00123_0009_2612111000_2.HIS"));
    QStringList args{QStringLiteral("history")};
    for (const QString& x : GetParam().args)
        args << (x == QLatin1String("{A}") ? a : x == QLatin1String("{X}") ? ausente : x);
    const Execucao e = executa(args);
    EXPECT_EQ(e.codigo, GetParam().codigo);
    EXPECT_EQ(e.erros.section(QLatin1Char('\n'), 0, 0),
              QString::fromUtf8(GetParam().erro)
                  .replace(QStringLiteral("{X}"), QDir::toNativeSeparators(ausente))
                  .replace(QStringLiteral("{A}"), QDir::toNativeSeparators(a)));
    EXPECT_TRUE(e.saida.isEmpty()) << e.saida.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Casos, CliHistoricoMensagem,
    ::testing::Values(
        Mensagem{"CompareAMissingBatch", {"--compare", "{A}", "{X}"}, 1, "pluvexa-cli: \"{X}\" does not exist"},
        Mensagem{"TwoBatchesWithoutCompare", {"{A}", "{X}"}, 2,
                 "pluvexa-cli history: two batches given; to compare them: pluvexa-cli history --compare \"{A}\" \"{X}\""},
        Mensagem{"YearOfTwoDigits", {"--year", "26"}, 2, "pluvexa-cli history: --year takes a year of four digits (YYYY)"},
        Mensagem{"SinceNoDate", {"--since", "2026-13-01"}, 2, "pluvexa-cli history: --since takes a date as YYYY-MM-DD"},
        Mensagem{"SinceOtherOrder", {"--since", "01/12/2026"}, 2, "pluvexa-cli history: --since takes a date as YYYY-MM-DD"},
        Mensagem{"CompareWithAPeriod", {"--compare", "{A}", "{A}", "--year", "2026"}, 2,
                 "pluvexa-cli history: --compare and --root, --year or --since exclude each other"}),
    [](const auto& info) { return std::string(info.param.nome); });

#ifndef Q_OS_WIN
// Read through Qt, a home folder whose name is not valid UTF-8 would be
// another folder, made anew: the commands that work in the working root
// refuse it; one told where to work does not need it.
TEST_F(CliHistorico, AHomeFolderWhoseNameIsNotUtf8IsRefused)
{
    qputenv("HOME", QFile::encodeName(home.path()) + "/jo\xe3o");
    const QString semRaiz = QStringLiteral("pluvexa-cli: the home folder's name is not valid UTF-8\n");
    for (const QStringList& args : {QStringList{QStringLiteral("history")}, QStringList{QStringLiteral("demo")}}) {
        const Execucao e = executa(args);
        EXPECT_EQ(e.codigo, 1) << args.join(' ').toStdString();
        EXPECT_EQ(e.erros, semRaiz) << args.join(' ').toStdString();
        EXPECT_TRUE(e.saida.isEmpty());
    }
    EXPECT_TRUE(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty())
        << "no folder was made in its place";
    const Execucao e = executa({QStringLiteral("history"), QStringLiteral("--root"), raiz.path()});
    EXPECT_EQ(e.codigo, 0) << e.erros.toStdString();
}
#endif

TEST_F(CliHistorico, WrongUsageIsExitTwo)
{
    EXPECT_EQ(executa({QStringLiteral("history"), QStringLiteral("--compare"), QStringLiteral("a.HIS")}).codigo, 2);
    EXPECT_EQ(executa({QStringLiteral("history"), QStringLiteral("extra")}).codigo, 2);
    EXPECT_EQ(executa({QStringLiteral("history"), QStringLiteral("--compare"), QStringLiteral("--root"), raiz.path(),
                       QStringLiteral("a"), QStringLiteral("b")})
                  .codigo,
              2);
}

}  // namespace
}  // namespace pluvexa
