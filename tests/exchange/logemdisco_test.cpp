// The import log goes to disk as the run goes: its lines are in the log's
// temporary while records are still being read, the final name appears
// only at the end, and a disk that fills up half way costs the log, never
// the values or the earlier log.

#include "importfixture.h"
#include "files/core/falha.h"
#include "support/limitetamanho.h"

#include <QDir>
#include <cerrno>
#include <QFileInfo>
#include <QRegularExpression>

namespace pluvexa {
namespace {

using namespace test;

class LogEmDisco : public ImportFixture {
protected:
    // `n` lines that fail the identifier check, then one record stored.
    QString muitasLinhas(int n)
    {
        std::vector<std::string> linhas(std::size_t(n), std::string("x"));
        linhas.push_back(registro("M001", "7,00", "01"));
        return externo(linhas);
    }
    QStringList temporariosDoLog() const
    {
        return arquivosDoLog().filter(QRegularExpression(QStringLiteral("^\\.folha\\.log\\.[A-Za-z0-9]{6}\\.tmp$")));
    }
};

const std::string kCarimbo = "09/03/2026 14:05:07";
const std::string kLinhaRecusada =
    kCarimbo + "  *** Erro: O identificador do registro infomado n\xE3o \xE9 um n\xFAmero v\xE1lido\r\n";

TEST_F(LogEmDisco, TheLinesAreInTheTemporaryWhileTheRunGoesAndTheNameAppearsAtTheEnd)
{
    const int n = 5000;
    const QString arquivo = muitasLinhas(n);
    qint64 tamanhoDurante = -1;
    bool finalDurante = true;
    QStringList temporarios;
    run().aoProgresso = [&](int linha) {
        if (linha != n)
            return;
        temporarios = temporariosDoLog();
        if (temporarios.size() == 1)
            tamanhoDurante = QFileInfo(dir.filePath(QStringLiteral("Log/") + temporarios.first())).size();
        finalDurante = QFile::exists(dir.filePath(QStringLiteral("Log/folha.log")));
    };
    EXPECT_FALSE(run().Importa(arquivo, 1));

    ASSERT_EQ(temporarios.size(), 1) << temporarios.join(' ').toStdString();
    EXPECT_FALSE(finalDurante);
    // Every line up to this record but what a small write buffer holds.
    const qint64 escritoAte = qint64(kLinhaRecusada.size()) * (n - 1);
    EXPECT_GE(tamanhoDurante, escritoAte - 64 * 1024) << tamanhoDurante;

    const std::string nativo = QDir::toNativeSeparators(arquivo).toStdString();
    std::string esperado = kCarimbo + " +------  Arquivo - " + nativo
                           + " - Log de importa\xE7\xE3o da recarga  -----+\r\n";
    for (int i = 0; i < n; ++i)
        esperado += kLinhaRecusada;
    esperado += kCarimbo + "      Info: Matr\xED" "cula - M001 Tipo : 1 -  Valor : 7\r\n";
    esperado += kCarimbo + " +------  Total de OK: 1 - Total de erros: " + std::to_string(n) + "  -----+\r\n";
    esperado += kCarimbo + " +------  Fim do Log de importa\xE7\xE3o da recarga  -----+\r\n";
    EXPECT_EQ(log(), esperado);
    EXPECT_EQ(arquivosDoLog(), QStringList{QStringLiteral("folha.log")});
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_TRUE(avisos[0].startsWith(QStringLiteral("Log da operação gerado em \n")));
}

TEST_F(LogEmDisco, ADiskFullHalfWayKeepsTheValuesAndTheEarlierLogAndSaysSo)
{
    ASSERT_TRUE(importa({registro("M001", "1,00", "01")}));
    const std::string anterior = log();
    avisos.clear();
    const QString arquivo = muitasLinhas(5000);  // written before the limit
    bool ok = true;
    {
        LimiteTamanho limite(64 * 1024);
        if (!limite.valido())
            GTEST_SKIP() << "no file size limit on this system";
        ok = run().Importa(arquivo, 1);
    }
    EXPECT_FALSE(ok);
    EXPECT_FALSE(run().recusa().has_value());
    EXPECT_EQ(valor(M001Dinheiro), 7);  // every record was still read and stored
    EXPECT_EQ(run().TotalErros, 5000);
    EXPECT_EQ(log(), anterior);
    EXPECT_EQ(arquivosDoLog(), QStringList{QStringLiteral("folha.log")});
    ASSERT_EQ(avisos.size(), 1);
    // The file the system refused is the log's temporary, named as itself.
    EXPECT_TRUE(avisos[0].startsWith(QStringLiteral("Não foi possível gravar o log da operação em \n")
                                     + QDir::toNativeSeparators(dir.filePath(QStringLiteral("Log/folha.log")))
                                     + QStringLiteral("\nNão foi possível gravar o arquivo ")))
        << avisos[0].toStdString();
    EXPECT_TRUE(avisos[0].endsWith(QStringLiteral(": erro do sistema %1: %2.").arg(EFBIG).arg(QString::fromStdString(textoDoSistema(EFBIG)))))
        << avisos[0].toStdString();
}

TEST_F(LogEmDisco, OthersFilesBesideTheLogSurviveTheRun)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Log")));
    const QStringList alheios = {QStringLiteral("folha.log.part"), QStringLiteral("folha.log.old"),
                                 QStringLiteral(".folha.log.Ab12Cd.tmp")};
    for (const QString& a : alheios)
        gravaTexto(dir.filePath(QStringLiteral("Log/") + a), a.toStdString());
    EXPECT_FALSE(run().Importa(muitasLinhas(100), 1));
    for (const QString& a : alheios)
        EXPECT_EQ(leTexto(dir.filePath(QStringLiteral("Log/") + a)), a.toStdString());
    QStringList esperados = alheios;
    esperados << QStringLiteral("folha.log");
    esperados.sort();
    QStringList achados = arquivosDoLog();
    achados.sort();
    EXPECT_EQ(achados, esperados);
}

}  // namespace
}  // namespace pluvexa
