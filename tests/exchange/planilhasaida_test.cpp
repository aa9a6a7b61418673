// A table written as CSV, .xlsx and .ods: read back, the same cells in the
// same places, codes as text with their zeros, numbers as numbers in their
// display formats, the header bold and frozen, the columns wide enough; a
// write that fails leaves no file.

#include "exchange/escrita/csvsaida.h"
#include "exchange/escrita/planilhasaida.h"
#include "files/arquivoseguro.h"
#include "support/arquivosteste.h"
#include "support/planilhalida.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using test::CelulaLida;
using test::PlanilhaLida;

TabelaSaida amostra()
{
    TabelaSaida t;
    t.aba = QStringLiteral("Titulares");
    t.cabecalho = QStringList{QStringLiteral("Matrícula"), QStringLiteral("Nome"), QStringLiteral("Tipo"),
                              QStringLiteral("Valor"), QStringLiteral("Créditos")};
    t.linhas.push_back({CelulaSaida::deTexto(QStringLiteral("000123")),
                        CelulaSaida::deTexto(QStringLiteral("JOSÉ \"ZÉ\"; SILVA")), CelulaSaida::deNumero(1, "1"),
                        CelulaSaida::deNumero(1234.5, "1234,50", CelulaSaida::Formato::Dinheiro),
                        CelulaSaida::deNumero(40, "40", CelulaSaida::Formato::Creditos)});
    t.linhas.push_back({CelulaSaida::deTexto(QStringLiteral("0042")),
                        CelulaSaida::deTexto(QStringLiteral("MARIA DA CONCEIÇÃO ARAÚJO CASTRO DOS SANTOS")),
                        CelulaSaida::deNumero(2, "2"), CelulaSaida::vazia(),
                        CelulaSaida::deNumero(-5, "-5", CelulaSaida::Formato::Creditos)});
    return t;
}

TEST(CsvSaida, AFileHasTheMarkAndCrLfStandardOutputNeither)
{
    const std::string corpo = "Matr\xC3\xAD" "cula;Nome;Tipo;Valor;Cr\xC3\xA9" "ditos{F}"
                              "000123;\"JOS\xC3\x89 \"\"Z\xC3\x89\"\"; SILVA\";1;1234,50;40{F}"
                              "0042;MARIA DA CONCEI\xC3\x87\xC3\x83O ARA\xC3\x9AJO CASTRO DOS SANTOS;2;;-5{F}";
    const auto com = [&corpo](const std::string& fim) {
        std::string s = corpo;
        for (std::size_t i; (i = s.find("{F}")) != std::string::npos;)
            s.replace(i, 3, fim);
        return s;
    };
    EXPECT_EQ(csvDaTabela(amostra(), ConvencaoCsv::Arquivo), "\xEF\xBB\xBF" + com("\r\n"));
    EXPECT_EQ(csvDaTabela(amostra(), ConvencaoCsv::Fluxo), com("\n"));
}

struct Formato {
    FormatoPlanilha formato;
    const char* nome;
    PlanilhaLida (*le)(const QString&);
};

class Pasta : public ::testing::TestWithParam<Formato> {
protected:
    QTemporaryDir dir;
    QString destino() const { return dir.filePath(QStringLiteral("saida") + extensaoDe(GetParam().formato)); }
};

TEST_P(Pasta, CodesStayTextNumbersKeepTheirFormatsAndTheHeaderIsBoldAndFrozen)
{
    QString erro;
    ASSERT_TRUE(gravaTabela(amostra(), GetParam().formato, destino(), &erro)) << erro.toStdString();
    const PlanilhaLida p = GetParam().le(destino());
    EXPECT_EQ(p.aba, QStringLiteral("Titulares"));
    ASSERT_EQ(p.linhas.size(), 3u);
    EXPECT_TRUE(p.cabecalhoFixo);
    for (std::size_t c = 0; c < 5; ++c) {
        EXPECT_EQ(p.celula(0, c).tipo, CelulaLida::Tipo::Texto) << c;
        EXPECT_EQ(p.celula(0, c).texto, amostra().cabecalho[qsizetype(c)]);
        EXPECT_TRUE(p.celula(0, c).negrito) << c;
        EXPECT_FALSE(p.celula(1, c).negrito) << c;
    }
    // The registration keeps its zeros, as text in a text format.
    EXPECT_EQ(p.celula(1, 0).tipo, CelulaLida::Tipo::Texto);
    EXPECT_EQ(p.celula(1, 0).texto, QStringLiteral("000123"));
    EXPECT_EQ(p.celula(1, 0).formato, QStringLiteral("@"));
    EXPECT_EQ(p.celula(2, 0).texto, QStringLiteral("0042"));
    EXPECT_EQ(p.celula(1, 1).texto, QStringLiteral("JOSÉ \"ZÉ\"; SILVA"));
    EXPECT_EQ(p.celula(1, 2).tipo, CelulaLida::Tipo::Numero);
    EXPECT_EQ(p.celula(1, 2).numero, 1);
    EXPECT_EQ(p.celula(1, 3).tipo, CelulaLida::Tipo::Numero);
    EXPECT_DOUBLE_EQ(p.celula(1, 3).numero, 1234.5);
    EXPECT_EQ(p.celula(1, 3).formato, QStringLiteral("#,##0.00"));
    EXPECT_EQ(p.celula(1, 4).numero, 40);
    EXPECT_EQ(p.celula(1, 4).formato, QStringLiteral("#,##0"));
    EXPECT_EQ(p.celula(2, 3).tipo, CelulaLida::Tipo::Vazia);
    EXPECT_EQ(p.celula(2, 4).numero, -5);
    // Wide enough: the long name's column wider than the code's, which is
    // wider than its header's few letters need.
    ASSERT_EQ(p.larguras.size(), 5u);
    EXPECT_GT(p.larguras[1], p.larguras[0] * 3);
    EXPECT_GE(p.larguras[3], p.larguras[2]);
}

TEST_P(Pasta, AFailedStepLeavesTheOldFileAndNoTemporary)
{
    test::grava(destino(), "old content");
    int total = 0;
    {
        FalhasArquivo contador;
        ASSERT_TRUE(gravaTabela(amostra(), GetParam().formato, destino(), static_cast<QString*>(nullptr)));
        total = contador.operacoes();
    }
    ASSERT_GE(total, 2);
    for (int n = 1; n <= total; ++n) {
        test::grava(destino(), "old content");
        QString erro;
        {
            FalhasArquivo falhas(n);
            EXPECT_FALSE(gravaTabela(amostra(), GetParam().formato, destino(), &erro)) << n;
        }
        EXPECT_TRUE(erro.contains(QFileInfo(destino()).fileName())) << erro.toStdString();
        EXPECT_EQ(test::le(destino()), "old content") << n;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(destino()).fileName()});
    }
}

TEST_P(Pasta, AFolderThatIsNotThereIsSaidWithTheName)
{
    const QString alvo = dir.filePath(QStringLiteral("nao/existe/x") + extensaoDe(GetParam().formato));
    FalhaArquivo falha;
    EXPECT_FALSE(gravaTabela(amostra(), GetParam().formato, alvo, &falha));
    EXPECT_TRUE(falha.houve());
    EXPECT_NE(falha.mensagem.find("nao/existe/x"), std::string::npos) << falha.mensagem;
    EXPECT_FALSE(QFileInfo::exists(alvo));
}

INSTANTIATE_TEST_SUITE_P(Pastas, Pasta,
                         ::testing::Values(Formato{FormatoPlanilha::Xlsx, "xlsx", test::leXlsx},
                                           Formato{FormatoPlanilha::Ods, "ods", test::leOds}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(PastaOds, IsAValidPackageWithTheMimetypeFirstAndStored)
{
    QTemporaryDir dir;
    const QString destino = dir.filePath(QStringLiteral("x.ods"));
    ASSERT_TRUE(gravaTabela(amostra(), FormatoPlanilha::Ods, destino, static_cast<QString*>(nullptr)));
    bool guardada = false;
    EXPECT_EQ(test::partesZip(destino, &guardada),
              (QStringList{"mimetype", "content.xml", "styles.xml", "settings.xml", "META-INF/manifest.xml"}));
    EXPECT_TRUE(guardada);
    // Where a reader looks for the kind: right after the first local header.
    const QByteArray bytes = test::le(destino);
    EXPECT_EQ(bytes.mid(30, 8), "mimetype");
    EXPECT_EQ(bytes.mid(38, 46), "application/vnd.oasis.opendocument.spreadsheet");
    const QByteArray manifesto = test::parteZip(destino, QStringLiteral("META-INF/manifest.xml"));
    for (const char* parte : {"\"/\"", "\"content.xml\"", "\"styles.xml\"", "\"settings.xml\""})
        EXPECT_TRUE(manifesto.contains(parte)) << parte;
}

TEST(PastaXlsx, TheLibrarysScratchFilesStayOutOfTheDestinationFolder)
{
    QTemporaryDir dir;
    const QString destino = dir.filePath(QStringLiteral("x.xlsx"));
    ASSERT_TRUE(gravaTabela(amostra(), FormatoPlanilha::Xlsx, destino, static_cast<QString*>(nullptr)));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList{"x.xlsx"});
    EXPECT_TRUE(test::le(destino).startsWith("PK\x03\x04"));
    EXPECT_FALSE(test::parteZip(destino, QStringLiteral("[Content_Types].xml")).isEmpty());
}

struct Escolha {
    const char* resposta;
    FormatoPlanilha filtro;
    const char* nome;
    FormatoPlanilha formato;
};

TEST(NomeEscolhido, AnExtensionTypedWinsOverTheFilterWithoutOneTheFiltersIsAppended)
{
    const Escolha casos[] = {
        {"/p/valores", FormatoPlanilha::Xlsx, "/p/valores.xlsx", FormatoPlanilha::Xlsx},
        {"/p/valores", FormatoPlanilha::Ods, "/p/valores.ods", FormatoPlanilha::Ods},
        {"/p/valores", FormatoPlanilha::Csv, "/p/valores.csv", FormatoPlanilha::Csv},
        {"/p/valores.ODS", FormatoPlanilha::Xlsx, "/p/valores.ODS", FormatoPlanilha::Ods},
        {"/p/valores.csv", FormatoPlanilha::Xlsx, "/p/valores.csv", FormatoPlanilha::Csv},
        {"/p/valores.Xlsx", FormatoPlanilha::Csv, "/p/valores.Xlsx", FormatoPlanilha::Xlsx},
        // Another extension is no spreadsheet's: the filter's follows it.
        {"/p/folha 03.2026", FormatoPlanilha::Ods, "/p/folha 03.2026.ods", FormatoPlanilha::Ods},
        {"/p/valores.txt", FormatoPlanilha::Xlsx, "/p/valores.txt.xlsx", FormatoPlanilha::Xlsx},
        {"/p/valores ", FormatoPlanilha::Csv, "/p/valores .csv", FormatoPlanilha::Csv},
    };
    for (const Escolha& c : casos) {
        FormatoPlanilha formato = FormatoPlanilha::Csv;
        EXPECT_EQ(nomeEscolhido(QString::fromUtf8(c.resposta), filtroDe(c.filtro), formato), QString::fromUtf8(c.nome))
            << c.resposta;
        EXPECT_EQ(formato, c.formato) << c.resposta;
    }
    EXPECT_EQ(filtrosPlanilha(),
              QStringLiteral("Planilha do Excel (*.xlsx);;Planilha do Calc (*.ods);;Planilha (*.csv)"));
}

TEST(LargurasColunas, TheWidestCellAndItsSeparatorsWithAMarginAndACap)
{
    TabelaSaida t;
    t.cabecalho = QStringList{QStringLiteral("Valor"), QStringLiteral("Nome")};
    t.linhas.push_back({CelulaSaida::deNumero(1234567.5, "1234567,50", CelulaSaida::Formato::Dinheiro),
                        CelulaSaida::deTexto(QString(200, u'X'))});
    // "1.234.567,50": 12 characters, and 2 of margin.
    EXPECT_EQ(largurasColunas(t), (std::vector<int>{14, 60}));
}

}  // namespace
}  // namespace pluvexa
