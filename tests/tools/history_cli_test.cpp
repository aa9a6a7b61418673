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
