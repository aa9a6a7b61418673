// What an external file may be before the import takes it: too many lines or
// bytes, or an unusable log folder, stop the run before anything is logged
// or stored; the report keeps the first result lines and says how many more
// the log holds.

#include "exchange/limitesimportacao.h"
#include "files/arquivoseguro.h"
#include "importfixture.h"

#include <QDir>
#include <QFile>
#include <algorithm>

namespace pluvexa {
namespace {

using namespace test;

class Limites : public ImportFixture {
protected:
    QString arquivo(const std::string& bytes, const QString& nome = QStringLiteral("folha.rrm"))
    {
        const QString caminho = dir.filePath(nome);
        gravaTexto(caminho, bytes);
        return caminho;
    }
    bool nadaMudou() const
    {
        for (int t = 0; t <= AlemDoArquivo; ++t)
            if (valor(t) != 0)
                return false;
        return !QFile::exists(dir.filePath(QStringLiteral("Log/folha.log")));
    }
};

struct CasoTamanho {
    const char* nome;
    std::int64_t linhas;  // empty lines
    bool recusado;
    const char* fimDeLinha = "\n";
    const char* arquivo = "folha.rrm";
};

class TamanhoDoArquivo : public Limites, public ::testing::WithParamInterface<CasoTamanho> {};

TEST_P(TamanhoDoArquivo, RefusedBeforeAnythingIsLogged)
{
    const CasoTamanho& c = GetParam();
    std::string bytes;
    for (std::int64_t i = 0; i < c.linhas; ++i)
        bytes += c.fimDeLinha;
    const QString caminho = arquivo(bytes, QString::fromUtf8(c.arquivo));
    const std::optional<RecusaImportacao> r = grandeDemais(caminho);
    EXPECT_EQ(r.has_value(), c.recusado);
    if (c.recusado) {
        EXPECT_FALSE(run().Importa(caminho, 1));
        ASSERT_TRUE(run().recusa().has_value());
        EXPECT_EQ(run().recusa()->texto(), r->texto());
        EXPECT_TRUE(nadaMudou());
    }
}

INSTANTIATE_TEST_SUITE_P(Importacao, TamanhoDoArquivo,
                         ::testing::Values(CasoTamanho{"AtTheLimit", 100000, false},
                                           CasoTamanho{"OneLineAbove", 100001, true},
                                           CasoTamanho{"EightMegabytesOfEmptyLines", 8000000, true},
                                           // A spreadsheet's row also ends at a carriage return alone.
                                           CasoTamanho{"SpreadsheetCarriageReturnsAtTheLimit", 100000, false, "\r", "folha.csv"},
                                           CasoTamanho{"SpreadsheetCarriageReturnsOneAbove", 100001, true, "\r", "folha.csv"},
                                           CasoTamanho{"SpreadsheetCrLfCountsOnce", 100000, false, "\r\n", "folha.csv"},
                                           CasoTamanho{"PayrollCarriageReturnsEndNoLine", 200000, false, "\r"}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Limites, TheMessagesNameTheCountInTheOperatorsNumbers)
{
    EXPECT_EQ((RecusaImportacao{RecusaImportacao::GrandeDemaisLinhas, 100001, {}, {}}.texto()),
              QStringLiteral("Arquivo grande demais: 100.001 linhas (máximo 100.000)"));
    const QString umaLinha = arquivo(std::string(std::size_t(kMaiorImportacao) + 1, 'x'), QStringLiteral("x.csv"));
    const std::optional<RecusaImportacao> r = grandeDemais(umaLinha);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->texto(), QStringLiteral("Arquivo grande demais: 16,0 MB (máximo 16 MB)"));
    // A larger file is told by its own size, not where the reading stopped.
    const QString vinte = arquivo(std::string(std::size_t(20) * 1024 * 1024, 'x'), QStringLiteral("vinte.csv"));
    const std::optional<RecusaImportacao> grande = grandeDemais(vinte);
    ASSERT_TRUE(grande.has_value());
    EXPECT_EQ(grande->texto(), QStringLiteral("Arquivo grande demais: 20,0 MB (máximo 16 MB)"));
}

TEST_F(Limites, ALogFolderThatIsAFileStopsTheRunWithItsReason)
{
    const QString ocupado = dir.filePath(QStringLiteral("Log"));
    gravaTexto(ocupado, "not a folder");
    const QString caminho = externo({registro("M001", "5,00", "01")});
    EXPECT_FALSE(run().Importa(caminho, 1));
    ASSERT_TRUE(run().recusa().has_value());
    EXPECT_EQ(run().recusa()->texto(), QStringLiteral("Não foi possível criar a pasta de log %1: um arquivo ocupa o "
                                                      "lugar da pasta. Nada foi importado.")
                                           .arg(QDir::toNativeSeparators(ocupado)));
    EXPECT_EQ(valor(M001Dinheiro), 0);
}

TEST_F(Limites, TheReportKeepsTheFirstResultLinesAndCountsTheRest)
{
    std::vector<std::string> linhas(std::size_t(kMaisLinhasRelatorio) + 5, std::string("x"));
    const QString caminho = externo(linhas);
    QStringList passos;
    {
        FalhasArquivo contagem;
        EXPECT_FALSE(run().Importa(caminho, 1));
        passos = contagem.registro();
    }
    QStringList r = run().linhasResultado();
    ASSERT_EQ(r.size(), kMaisLinhasRelatorio + 1);
    EXPECT_EQ(r.last(), QStringLiteral("… e mais 5 linhas - veja o log"));
    EXPECT_EQ(run().TotalErros, kMaisLinhasRelatorio + 5);

    // When the log cannot be put in place the report sends no one to it.
    const auto renomeia = std::find_if(passos.cbegin(), passos.cend(),
                                       [](const QString& p) { return p.startsWith(QStringLiteral("rename ")); });
    ASSERT_NE(renomeia, passos.cend()) << passos.join(u'\n').toStdString();
    avisos.clear();
    {
        FalhasArquivo falhas(int(renomeia - passos.cbegin()) + 1);
        EXPECT_FALSE(run().Importa(caminho, 1));
        EXPECT_TRUE(falhas.falhou());
    }
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_TRUE(avisos[0].startsWith(QStringLiteral("Não foi possível gravar o log da operação em \n")))
        << avisos[0].toStdString();
    r = run().linhasResultado();
    ASSERT_EQ(r.size(), kMaisLinhasRelatorio + 1);
    EXPECT_EQ(r.last(), QStringLiteral("… e mais 5 linhas"));
}

}  // namespace
}  // namespace pluvexa
