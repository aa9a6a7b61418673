// Spreadsheets saved as CSV through the import run: separators, quoting,
// encodings, value syntax, header recognition and the file's own line
// numbers in the result lines.

#include "exchange/fonteregistros.h"
#include "exchange/leitorcsv.h"
#include "exchange/leituraplanilha.h"
#include "importfixture.h"
#include "recharge/cp1252.h"

#include <QDir>

namespace pluvexa {
namespace {

using namespace test;

class PlanilhaFixture : public ImportFixture {
protected:
    // A spreadsheet row without a card type is matched across every card
    // type: the credits holder of "M001" is "M003" here, so that "M001"
    // alone names one holder (the cases of a registration in two card
    // types give it back its "M001").
    PlanilhaFixture() { m.wRecarga[M001Creditos].Matricula = "M003"; }

    bool importaCsv(const std::string& bytes, int tipoCartaoSel = 1)
    {
        const QString caminho = dir.filePath(QStringLiteral("folha.csv"));
        gravaTexto(caminho, bytes);
        return run().Importa(caminho, tipoCartaoSel);
    }
};

struct CasoPlanilha {
    const char* nome;
    std::string bytes;   // the whole file; its one data row is line 2
    int titular;         // the holder whose group 1 takes the value; -1: none
    double valor;
    const char* erro;    // the result line's message when refused
    int tipoCartaoSel = 1;
};

class UmaLinha : public PlanilhaFixture, public ::testing::WithParamInterface<CasoPlanilha> {};

TEST_P(UmaLinha, StoresOrRefuses)
{
    const CasoPlanilha& c = GetParam();
    EXPECT_EQ(importaCsv(c.bytes, c.tipoCartaoSel), c.titular >= 0);
    for (int t = 0; t <= AlemDoArquivo; ++t)
        EXPECT_EQ(valor(t), t == c.titular ? c.valor : 0.0) << "holder " << t;
    if (c.titular >= 0) {
        EXPECT_EQ(run().TotalOk, 1);
        EXPECT_TRUE(run().linhasResultado().isEmpty()) << run().linhasResultado().join('\n').toStdString();
    } else {
        EXPECT_EQ(run().TotalErros, 1);
        ASSERT_EQ(run().linhasResultado().size(), 1);
        const QString linha = run().linhasResultado()[0];
        EXPECT_TRUE(linha.startsWith(QStringLiteral("            2   "))) << linha.toStdString();
        EXPECT_TRUE(linha.endsWith(QString::fromUtf8(c.erro))) << linha.toStdString();
    }
}

const char* const kVazia = "Coluna Valor vazia";
const char* const kColunas = "Linha com mais colunas que o cabeçalho";

INSTANTIATE_TEST_SUITE_P(
    Separadores, UmaLinha,
    ::testing::Values(
        CasoPlanilha{"SemicolonDecimalComma", "Matrícula;Valor\r\nM001;12,50\r\n", M001Dinheiro, 12.5, ""},
        CasoPlanilha{"SemicolonDecimalPoint", "Matrícula;Valor\nM001;12.5\n", M001Dinheiro, 12.5, ""},
        CasoPlanilha{"CommaQuotedDecimalComma", "Matricula,Valor\nM001,\"12,50\"\n", M001Dinheiro, 12.5, ""},
        CasoPlanilha{"CommaDecimalPoint", "Matricula,Valor\r\nM001,7.05", M001Dinheiro, 7.05, ""},
        CasoPlanilha{"CommaUnquotedDecimalCommaIsRefused", "Matricula,Valor\nM001,12,50\n", -1, 0, kColunas},
        CasoPlanilha{"OldMacLineEnds", "Matrícula;Valor\rM001;3,00\r", M001Dinheiro, 3, ""},
        CasoPlanilha{"MoreSemicolonsThanCommasInTheHeader", "Matrícula;Valor;Nome, completo\nM001;4,00;SILVA, ANA\n",
                     M001Dinheiro, 4, ""},
        CasoPlanilha{"EmptyTrailingFieldsAreNoExtraColumns", "Matrícula;Valor\nM001;5,00;;\n", M001Dinheiro, 5, ""}),
    [](const auto& info) { return std::string(info.param.nome); });

// A row goes to the one holder of its card type that every key it gives
// names (registration, user code, card number); user codes and card
// numbers compare as whole numbers. (Every holder of the fixture has card
// number 0.)
INSTANTIATE_TEST_SUITE_P(
    Chaves, UmaLinha,
    ::testing::Values(
        CasoPlanilha{"ByUserCode", "Usuário;Valor\n1003;5,00\n", SemMatricula, 5, ""},
        CasoPlanilha{"UserCodeWithLeadingZeros", "Usuario;Valor\n001003;5\n", SemMatricula, 5, ""},
        CasoPlanilha{"BlankRegistrationFallsBackToTheUserCode", "Matrícula;Usuário;Valor\n;1003;7,00\n", SemMatricula, 7,
                     ""},
        CasoPlanilha{"RegistrationAndUserCodeOfOneHolder", "Matrícula;Usuário;Valor\nM001;1000;7,00\n", M001Dinheiro, 7,
                     ""},
        CasoPlanilha{"EveryKeyOfOneHolder", "Matrícula;Usuário;Cartão;Valor\nM001;1000;0;7,00\n", M001Dinheiro, 7, ""},
        CasoPlanilha{"RegistrationAndUserCodeOfTwoHolders", "Matrícula;Usuário;Valor\nM001;1003;7,00\n", -1, 0,
                     "Matrícula, Usuário e Cartão de titulares diferentes"},
        CasoPlanilha{"AnUnknownRegistrationIsNotRetriedByUserCode", "Matrícula;Usuário;Valor\nX9;1003;7,00\n", -1, 0,
                     "Matrícula não encontrada"},
        CasoPlanilha{"AnUnknownUserCodeBesideAKnownRegistration", "Matrícula;Usuário;Valor\nM001;9999;7,00\n", -1, 0,
                     "Usuário não encontrado"},
        CasoPlanilha{"UserCodeNotFound", "Usuário;Valor\n9999;5\n", -1, 0, "Usuário não encontrado"},
        CasoPlanilha{"UserCodeOfAnotherCardType", "Usuário;Tipo;Valor\n1001;1;5\n", -1, 0, "Usuário não encontrado"},
        CasoPlanilha{"UserCodeThatIsNoNumber", "Usuário;Valor\nABC;5\n", -1, 0, "Usuário não encontrado"},
        CasoPlanilha{"ACardNumberTwoHoldersShareIsRefused", "Cartão;Valor\n0;5\n", -1, 0,
                     "Cartão repetido no arquivo"},
        CasoPlanilha{"CardNumberNotFound", "Cartao;Valor\n77;5\n", -1, 0, "Cartão não encontrado"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(PlanilhaFixture, ByCardNumberAndAUserCodeTwoHoldersShareIsRefused)
{
    m.wRecarga[SemMatricula].Cartao = 555;
    m.wRecarga[Acentuada].Usuario = m.wRecarga[SemMatricula].Usuario;  // both type 1
    EXPECT_FALSE(importaCsv("Cartão;Usuário;Valor\n0555;;3,00\n;1003;4,00\n"));
    EXPECT_EQ(valor(SemMatricula), 3);
    EXPECT_EQ(valor(Acentuada), 0);
    ASSERT_EQ(run().linhasResultado().size(), 1);
    EXPECT_TRUE(run().linhasResultado()[0].endsWith(QStringLiteral("Usuário repetido no arquivo")))
        << run().linhasResultado()[0].toStdString();
}

// Registrations repeat in real files: here "M001" names three holders of
// card type 1 (user codes 1000, 1003 and 1004; card numbers 0, 555 and 0). A key no other key of the row settles is never given to the
// first holder that has it.
struct CasoRepetida {
    const char* nome;
    std::string bytes;
    int titular;       // -1: refused
    const char* erro;
    const char* coluna;  // the text in the result line's registration column
};

class ChaveRepetida : public PlanilhaFixture, public ::testing::WithParamInterface<CasoRepetida> {
protected:
    ChaveRepetida()
    {
        m.wRecarga[SemMatricula].Matricula = "M001";
        m.wRecarga[SemMatricula].Cartao = 555;
        m.wRecarga[Acentuada].Matricula = "M001";
    }
};

TEST_P(ChaveRepetida, IsSettledByAnotherKeyOrRefused)
{
    const CasoRepetida& c = GetParam();
    EXPECT_EQ(importaCsv(c.bytes), c.titular >= 0);
    for (int t = 0; t <= AlemDoArquivo; ++t)
        EXPECT_EQ(valor(t), t == c.titular ? 9.0 : 0.0) << "holder " << t;
    if (c.titular >= 0)
        return;
    EXPECT_EQ(run().TotalErros, 1);
    EXPECT_EQ(run().linhasResultado(),
              QStringList{QStringLiteral("            2   %1%2").arg(QString::fromUtf8(c.coluna), -21).arg(QString::fromUtf8(c.erro))});
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ChaveRepetida,
    ::testing::Values(
        CasoRepetida{"RegistrationAloneIsRefused", "Matrícula;Valor\nM001;9\n", -1,
                     "Matrícula repetida no arquivo - informe Usuário ou Cartão", "M001"},
        CasoRepetida{"RegistrationWithTheTypeIsRefused", "Matrícula;Tipo;Valor\nM001;1;9\n", -1,
                     "Matrícula repetida no arquivo - informe Usuário ou Cartão", "M001"},
        CasoRepetida{"TheUserCodeSettlesIt", "Matrícula;Usuário;Valor\nM001;1003;9\n", SemMatricula, "", ""},
        CasoRepetida{"TheUserCodeOfTheFirstSettlesIt", "Usuário;Matrícula;Valor\n1000;M001;9\n", M001Dinheiro, "", ""},
        CasoRepetida{"TheCardNumberSettlesIt", "Matrícula;Cartão;Valor\nM001;555;9\n", SemMatricula, "", ""},
        CasoRepetida{"ACardNumberBothShareSettlesNothing", "Matrícula;Cartão;Valor\nM001;0000;9\n", -1,
                     "Cartão repetido no arquivo", "0000"},
        CasoRepetida{"AUserCodeOfAThirdHolder", "Matrícula;Usuário;Valor\nM001;1006;9\n", -1,
                     "Matrícula, Usuário e Cartão de titulares diferentes", "M001"},
        CasoRepetida{"ACardNumberOfAnotherHolder", "Matrícula;Usuário;Cartão;Valor\nM001;1000;555;9\n", -1,
                     "Matrícula, Usuário e Cartão de titulares diferentes", "M001"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(PlanilhaFixture, ThePayrollFileKeepsGivingARepeatedRegistrationToTheFirstHolder)
{
    m.wRecarga[SemMatricula].Matricula = "M001";
    EXPECT_TRUE(importa({registro("M001", "9,00")}));
    EXPECT_EQ(valor(M001Dinheiro), 9);
    EXPECT_EQ(valor(SemMatricula), 0);
}

TEST_F(PlanilhaFixture, TheLogNamesTheKeysOfARefusedRow)
{
    m.wRecarga[SemMatricula].Matricula = "M001";
    EXPECT_FALSE(importaCsv("Matrícula;Usuário;Valor\nM001;;9\nM001;1006;9\n"));
    EXPECT_NE(log().find("  *** Erro: Matr\xED" "cula - M001 repetida no arquivo - informe Usu\xE1rio ou Cart\xE3o\r\n"),
              std::string::npos)
        << log();
    EXPECT_NE(log().find("  *** Erro: Matr\xED" "cula - M001, Usu\xE1rio - 1006 de titulares diferentes\r\n"),
              std::string::npos)
        << log();
}

INSTANTIATE_TEST_SUITE_P(
    Aspas, UmaLinha,
    ::testing::Values(
        CasoPlanilha{"QuotedEverything", "\"Matrícula\";\"Valor\"\n\"M001\";\"3,00\"\n", M001Dinheiro, 3, ""},
        CasoPlanilha{"SeparatorAndDoubledQuotesInAnIgnoredColumn",
                     "Nome;Matrícula;Valor\n\"ANA \"\"BIA\"\"; SILVA\";M001;6,00\n", M001Dinheiro, 6, ""},
        CasoPlanilha{"BlanksBeforeTheOpeningQuote", "Matricula, Valor\nM001, \"2,50\"\n", M001Dinheiro, 2.5, ""},
        CasoPlanilha{"QuotedBlanksAroundTheRegistration", "Matrícula;Valor\n\" M001 \";1,00\n", M001Dinheiro, 1, ""},
        CasoPlanilha{"UnclosedQuote", "Matrícula;Valor\nM001;\"12,50\nM002;1,00\n", -1, 0, "Aspas sem fechamento"}),
    [](const auto& info) { return std::string(info.param.nome); });

INSTANTIATE_TEST_SUITE_P(
    Codificacoes, UmaLinha,
    ::testing::Values(
        CasoPlanilha{"Utf8WithBom", "\xEF\xBB\xBFMatrícula;Valor\r\nJOSÉ;7,00\r\n", Acentuada, 7, ""},
        CasoPlanilha{"Utf8WithoutBom", "Matrícula;Valor\r\nJOSÉ;7,00\r\n", Acentuada, 7, ""},
        CasoPlanilha{"Windows1252", "Matr\xED" "cula;Cr\xE9" "ditos\r\nJOS\xC9;7,00\r\n", Acentuada, 7, ""},
        CasoPlanilha{"Windows1252HeaderUtf8Nowhere", "MATR\xCD" "CULA;VALOR\r\nM001;8\r\n", M001Dinheiro, 8, ""},
        CasoPlanilha{"BomOnAsciiFile", "\xEF\xBB\xBFMatricula;Valor\nM001;9,99\n", M001Dinheiro, 9.99, ""},
        CasoPlanilha{"Utf8OutsideWindows1252MatchesNoOne", "Matrícula;Valor\nJOSĚ;7,00\n", -1, 0,
                     "Matrícula não encontrada"}),
    [](const auto& info) { return std::string(info.param.nome); });

INSTANTIATE_TEST_SUITE_P(
    Valores, UmaLinha,
    ::testing::Values(
        CasoPlanilha{"WholeNumber", "Matrícula;Valor\nM001;600\n", M001Dinheiro, 600, ""},
        CasoPlanilha{"OneDecimal", "Matrícula;Valor\nM001;3,5\n", M001Dinheiro, 3.5, ""},
        CasoPlanilha{"BlanksAround", "Matrícula;Valor\nM001;  12,50 \t\n", M001Dinheiro, 12.5, ""},
        CasoPlanilha{"Zero", "Matrícula;Valor\nM001;0\n", M001Dinheiro, 0, ""},
        CasoPlanilha{"ThousandsPointWithoutCommaIsAmbiguous", "Matrícula;Valor\nM001;1.500\n", -1, 0,
                     "Valor inválido: 1.500 - use vírgula para os centavos"},
        CasoPlanilha{"MillionsWithoutCommaIsAmbiguous", "Matrícula;Valor\nM001;1.000.000\n", -1, 0,
                     "Valor inválido: 1.000.000 - use vírgula para os centavos"},
        CasoPlanilha{"ThousandsAndDecimalComma", "Matrícula;Valor\nM001;1.234,56\n", -1, 0,
                     "O valor da recarga excede 600.00"},
        CasoPlanilha{"ThousandsWithOneDecimal", "Matrícula;Tipo;Valor\nM001;1;1.000,5\n", -1, 0,
                     "O valor da recarga excede 600.00"},
        CasoPlanilha{"ThousandsGroupOfTwo", "Matrícula;Valor\nM001;1.50,00\n", -1, 0, "Valor inválido: 1.50,00"},
        CasoPlanilha{"ThousandsCommaThenPoint", "Matrícula;Valor\nM001;1,500.00\n", -1, 0, "Valor inválido: 1,500.00"},
        CasoPlanilha{"ThreeDecimals", "Matrícula;Valor\nM001;12,505\n", -1, 0, "Valor inválido: 12,505"},
        CasoPlanilha{"SeparatorWithoutDecimals", "Matrícula;Valor\nM001;12,\n", -1, 0, "Valor inválido: 12,"},
        CasoPlanilha{"NoIntegerPart", "Matrícula;Valor\nM001;,50\n", -1, 0, "Valor inválido: ,50"},
        CasoPlanilha{"Negative", "Matrícula;Valor\nM001;-5\n", -1, 0, "Valor inválido: -5"},
        CasoPlanilha{"CurrencySign", "Matrícula;Valor\nM001;R$ 5,00\n", M001Dinheiro, 5, ""},
        CasoPlanilha{"CurrencySignWithNonBreakingSpace", "Matrícula;Valor\nM001;R$\u00A0280,99\u00A0\n", M001Dinheiro,
                     280.99, ""},
        CasoPlanilha{"CurrencySignAfterTheNumber", "Matrícula;Valor\nM001;5,00 R$\n", -1, 0, "Valor inválido: 5,00 R$"},
        CasoPlanilha{"BlankInside", "Matrícula;Valor\nM001;1 500\n", -1, 0, "Valor inválido: 1 500"},
        CasoPlanilha{"Empty", "Matrícula;Valor\nM001;\n", -1, 0, kVazia},
        CasoPlanilha{"Blanks", "Matrícula;Valor\nM001;   \n", -1, 0, kVazia},
        CasoPlanilha{"QuotedEmpty", "Matrícula;Valor\nM001;\"\"\n", -1, 0, kVazia},
        CasoPlanilha{"MissingField", "Matrícula;Valor\nM001\n", -1, 0, kVazia},
        CasoPlanilha{"AboveTheMaximumAsForRrm", "Matrícula;Valor\nM001;600,01\n", -1, 0,
                     "O valor da recarga excede 600.00"},
        CasoPlanilha{"FractionalCreditsAsForRrm", "Matrícula;Tipo;Valor\nM002;2;1,5\n", -1, 0,
                     "Erro na atualização do valor da recarga"}),
    [](const auto& info) { return std::string(info.param.nome); });

// A field quoted in a message keeps its first 64 characters (not bytes),
// then "…": a cell of megabytes is not copied into the report and the log.
std::string repete(const std::string& s, int n)
{
    std::string r;
    for (int i = 0; i < n; ++i)
        r += s;
    return r;
}
const std::string kErroLongo = "Valor inválido: " + std::string(64, '9') + "…";
const std::string kErro64 = "Valor inválido: " + std::string(63, '9') + "x";
const std::string kErroAcentos = "Valor inválido: " + repete("é", 64) + "…";
const std::string kErroMilhares =
    "Valor inválido: 1" + repete(".000", 15) + ".00… - use vírgula para os centavos";

INSTANTIATE_TEST_SUITE_P(
    Citacoes, UmaLinha,
    ::testing::Values(
        CasoPlanilha{"ALongValueIsCutAfter64Characters", "Matrícula;Valor\nM001;" + std::string(100000, '9') + "x\n", -1, 0,
                     kErroLongo.c_str()},
        CasoPlanilha{"A64CharacterValueIsWhole", "Matrícula;Valor\nM001;" + std::string(63, '9') + "x\n", -1, 0,
                     kErro64.c_str()},
        CasoPlanilha{"CharactersNotBytesAreCounted", "Matrícula;Valor\nM001;" + repete("é", 100) + "\n", -1, 0,
                     kErroAcentos.c_str()},
        CasoPlanilha{"AnAmbiguousLongValueKeepsItsHint", "Matrícula;Valor\nM001;1" + repete(".000", 30) + "\n", -1, 0,
                     kErroMilhares.c_str()}),
    [](const auto& info) { return std::string(info.param.nome); });

INSTANTIATE_TEST_SUITE_P(
    Cabecalhos, UmaLinha,
    ::testing::Values(
        CasoPlanilha{"AnyOrderAndOtherColumns", "Valor;Nome;Matrícula\n4,00;ANA;M001\n", M001Dinheiro, 4, ""},
        CasoPlanilha{"CaseAccentsAndBlanks", "  MATRICULA ;  vAlOr  \nM001;4,00\n", M001Dinheiro, 4, ""},
        CasoPlanilha{"RegistroAndCreditos", "registro;CRÉDITOS\nM003;4\n", M001Creditos, 4, "", 2},
        CasoPlanilha{"TipoCartaoNamesTheType", "Tipo  Cartão;Matrícula;Valor\n2;M003;12\n", M001Creditos, 12, ""},
        CasoPlanilha{"TipoWithLeadingZero", "Matrícula;Valor;TIPO\nM002;30;02\n", M002Creditos, 30, ""},
        CasoPlanilha{"EmptyTipoFindsTheHolderOfAnyType", "Matrícula;Tipo;Valor\nM003;;30\n", M001Creditos, 30, ""},
        CasoPlanilha{"NoTipoColumnFindsTheHolderOfAnyType", "Matrícula;Valor\nM003;30\n", M001Creditos, 30, ""},
        CasoPlanilha{"FirstOfTwoValueColumnsWins", "Matrícula;Valor;Créditos\nM001;1,00;2\n", M001Dinheiro, 1, ""},
        CasoPlanilha{"BlankRegistrationWithAValue", "Matrícula;Valor\n;5,00\n", -1, 0,
                     "Linha sem Matrícula, Usuário ou Cartão"}),
    [](const auto& info) { return std::string(info.param.nome); });

struct CasoCabecalho {
    const char* nome;
    std::string bytes;
    const char* erro;
    int linha = 1;  // the row the refusal names
};

const char* const kLarga = "Linha com mais de 1.000 colunas";
const std::string kSemChave = "Planilha sem a coluna Matrícula, Usuário ou Cartão - colunas encontradas: ";
const std::string kErroNomeLongo = kSemChave + std::string(64, 'N') + "…, Valor";
const std::string kVinteECincoColunas = [] {
    std::string s = "Valor";
    for (int i = 1; i <= 24; ++i)
        s += ";C" + std::to_string(i);
    return s + "\n";
}();
const std::string kErroVinteColunas = [] {
    std::string s = kSemChave + "Valor";
    for (int i = 1; i <= 19; ++i)
        s += ", C" + std::to_string(i);
    return s + ", …";
}();

class SemColuna : public PlanilhaFixture, public ::testing::WithParamInterface<CasoCabecalho> {};

TEST_P(SemColuna, RefusesTheWholeFileAtOnce)
{
    const CasoCabecalho& c = GetParam();
    int contados = 0;
    run().aoContar = [&](int) { ++contados; };
    EXPECT_FALSE(importaCsv(c.bytes));
    EXPECT_EQ(contados, 0);
    EXPECT_EQ(run().TotalOk, 0);
    EXPECT_EQ(run().TotalErros, 1);
    for (int t = 0; t <= AlemDoArquivo; ++t)
        EXPECT_EQ(valor(t), 0.0);
    const QString erro = QString::fromUtf8(c.erro);
    EXPECT_EQ(run().linhasResultado(), QStringList{QStringLiteral("%1").arg(c.linha, 13) + QString(24, u' ') + erro});
    EXPECT_NE(log().find("  *** Erro: " + paraCp1252(erro) + "\r\n"), std::string::npos) << log();
}

INSTANTIATE_TEST_SUITE_P(
    Casos, SemColuna,
    ::testing::Values(
        CasoCabecalho{"NoRegistration", "Nome;Valor\nM001;1,00\n",
                      "Planilha sem a coluna Matrícula, Usuário ou Cartão - colunas encontradas: Nome, Valor"},
        CasoCabecalho{"NoValue", "Matrícula;Nome;Tipo\nM001;ANA;1\n",
                      "Planilha sem a coluna Valor - colunas encontradas: Matrícula, Nome, Tipo"},
        CasoCabecalho{"NeitherNamesTheRegistration", "Valr;Mat\n1;M001\n",
                      "Planilha sem a coluna Matrícula, Usuário ou Cartão - colunas encontradas: Valr, Mat"},
        CasoCabecalho{"NoHeaderAmongTitleRows", "Folha de março;;\nEmpresa;;\nNome;Valor\nANA;1,00\n",
                      "Planilha sem a coluna Matrícula, Usuário ou Cartão - colunas encontradas: Nome, Valor", 3},
        CasoCabecalho{"TwoRegistrationColumns", "Matrícula;Chapa;Valor\nM001;M002;1,00\n",
                      "Planilha com mais de uma coluna de Matrícula: Matrícula, Chapa"},
        CasoCabecalho{"AVeryLongColumnNameIsCut", std::string(1000000, 'N') + ";Valor\nM001;1,00\n",
                      kErroNomeLongo.c_str()},
        CasoCabecalho{"TwentyColumnsAreListed", kVinteECincoColunas, kErroVinteColunas.c_str()},
        CasoCabecalho{"AHeaderOfMoreThanAThousandColumns", "Matrícula;Valor" + std::string(999, ';') + "\nM001;1\n",
                      kLarga},
        // 16 MiB of separators on one line: never sixteen million fields.
        CasoCabecalho{"OneLineOfSixteenMillionSeparators", std::string(std::size_t(16) << 20, ';'), kLarga}),
    [](const auto& info) { return std::string(info.param.nome); });

// A file that holds no record at all imports nothing, and says so: the run
// is no success.
struct CasoVazio {
    const char* nome;
    std::string bytes;
    const char* arquivo;
};

class NenhumRegistro : public PlanilhaFixture, public ::testing::WithParamInterface<CasoVazio> {};

TEST_P(NenhumRegistro, IsNoSuccessAndTheReportSaysSo)
{
    const CasoVazio& c = GetParam();
    const QString caminho = dir.filePath(QString::fromUtf8(c.arquivo));
    gravaTexto(caminho, c.bytes);
    EXPECT_FALSE(run().Importa(caminho, 1));
    EXPECT_FALSE(run().recusa().has_value());
    EXPECT_EQ(run().TotalOk, 0);
    EXPECT_EQ(run().TotalErros, 0);
    EXPECT_EQ(run().linhasResultado(), QStringList{QStringLiteral("Nenhum registro reconhecido no arquivo")});
    for (int t = 0; t <= AlemDoArquivo; ++t)
        EXPECT_EQ(valor(t), 0.0);
    EXPECT_NE(log().find("  *** Erro: Nenhum registro reconhecido no arquivo\r\n"), std::string::npos) << log();
    EXPECT_NE(log().find("Total de OK: 0 - Total de erros: 0"), std::string::npos) << log();
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_TRUE(avisos[0].startsWith(QStringLiteral("Log da operação gerado em"))) << avisos[0].toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Casos, NenhumRegistro,
    ::testing::Values(CasoVazio{"EmptyPayrollFile", "", "folha.rrm"},
                      CasoVazio{"PayrollLineWithoutLineFeed", registro("M001", "1,00"), "folha.rrm"},
                      CasoVazio{"EmptySpreadsheet", "", "folha.csv"},
                      CasoVazio{"ByteOrderMarkAlone", "\xEF\xBB\xBF", "folha.csv"},
                      CasoVazio{"OnlyBlankRows", "\r\n;;\r\n  \r\n", "folha.csv"},
                      CasoVazio{"HeaderAlone", "Matrícula;Valor\r\n", "folha.csv"},
                      CasoVazio{"RowsWithoutKeyOrValue", "Matrícula;Nome;Valor\r\n;ANA;\r\n;BIA;0,00\r\n;;\r\n", "folha.csv"}),
    [](const auto& info) { return std::string(info.param.nome); });

// However wide a row, memory follows the 1,000 columns kept: a wider row is
// refused, the rows around it are read as ever.
TEST_F(PlanilhaFixture, ARowOfMoreThanAThousandColumnsIsRefused)
{
    const std::string mil = std::string(998, ';');             // with "M00x;1": 1,000 columns
    const std::string cemMil = std::string(99999, ';');        // 100,000 empty cells
    const std::string bytes = "Matrícula;Valor\r\n"          // 1
                              "M001;1" + mil + "\r\n"         // 2 1,000 columns: read
                              "M002;2" + mil + ";\r\n"        // 3 1,001: refused
                              "M005;3" + cemMil + "\r\n"      // 4 refused
                              + cemMil + "\r\n"               // 5 blank but as wide: refused
                              "JOSÉ;4\r\n";                   // 6 read
    EXPECT_FALSE(importaCsv(bytes));
    EXPECT_EQ(valor(M001Dinheiro), 1);
    EXPECT_EQ(valor(Acentuada), 4);
    EXPECT_EQ(valor(M002Creditos), 0);
    EXPECT_EQ(valor(M005Pequeno), 0);
    EXPECT_EQ(run().linhasResultado(),
              (QStringList{QStringLiteral("            3   M002                 Linha com mais de 1.000 colunas"),
                           QStringLiteral("            4   M005                 Linha com mais de 1.000 colunas"),
                           QStringLiteral("            5") + QString(24, u' ') + QStringLiteral("Linha com mais de 1.000 colunas")}));
}

TEST(LeitorCsv, KeepsTheFirstThousandFieldsOfAWiderRowAndMarksIt)
{
    const std::string texto = "a" + std::string(1500, ';') + "\nb;c\n\"x;\n" + std::string(2000, ';') + "\"\n";
    LeitorCsv leitor(texto, ';');
    std::vector<std::string> campos;
    int linha = 0;
    bool aspas = false;
    ASSERT_TRUE(leitor.proxima(campos, linha, aspas));
    EXPECT_TRUE(leitor.larga());
    ASSERT_EQ(campos.size(), kMaisColunasCsv);
    EXPECT_EQ(campos[0], "a");
    ASSERT_TRUE(leitor.proxima(campos, linha, aspas));
    EXPECT_FALSE(leitor.larga());
    EXPECT_EQ(campos, (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(linha, 2);
    // Separators inside quotes are the field's own, however many.
    ASSERT_TRUE(leitor.proxima(campos, linha, aspas));
    EXPECT_FALSE(leitor.larga());
    ASSERT_EQ(campos.size(), 1u);
    EXPECT_EQ(campos[0].size(), 2003u);
    EXPECT_FALSE(leitor.proxima(campos, linha, aspas));
}

TEST_F(PlanilhaFixture, ResultLinesCarryTheFilesOwnLineNumbers)
{
    const std::string bytes =
        "\r\n"                                   // 1 blank, before the header
        "Matrícula;Nome;Valor\r\n"               // 2 the header
        "M001;ANA;1,00\r\n"                      // 3 stored
        "\r\n"                                   // 4 blank
        ";;\r\n"                                 // 5 an empty spreadsheet row
        "M005;\"BIA\r\nSEGUNDA LINHA\";1.500\r\n"  // 6-7 a quoted line break
        "X9;CAIO;2,00\r\n"                       // 8 not found
        "ABCDEFGHIJKLMNOPQRST;DEA;\r\n"          // 9 empty value
        "M002;ELI;3\r\n"                         // 10 no type: its one holder, of type 2
        ";ZOE;0,00\r\n"                          // 11 no registration, no value: skipped
        ";YAN;\r\n"                              // 12 the same
        ";;abc";                                 // 13 no registration, a value
    EXPECT_FALSE(importaCsv(bytes));
    const QStringList esperado = {
        QStringLiteral("            6   M005                 Valor inválido: 1.500 - use vírgula para os centavos"),
        QStringLiteral("            8   X9                   Matrícula não encontrada"),
        QStringLiteral("            9   ABCDEFGHIJKLMNOPQRST Coluna Valor vazia"),
        QStringLiteral("           13") + QString(24, u' ') + QStringLiteral("Linha sem Matrícula, Usuário ou Cartão")};
    EXPECT_EQ(run().linhasResultado(), esperado);
    EXPECT_EQ(run().TotalOk, 2);
    EXPECT_EQ(run().TotalErros, 4);
    EXPECT_EQ(valor(M001Dinheiro), 1);
    EXPECT_EQ(valor(M002Creditos), 3);
}

TEST_F(PlanilhaFixture, ACsvRunsTheSameAsTheEquivalentRrm)
{
    // The same records in both layouts give the same values, result lines
    // (one line further down: the header) and log lines; only the first
    // log line names another file.
    std::vector<int> progresso;
    int contados = 0;
    run().aoProgresso = [&](int l) { progresso.push_back(l); };
    run().aoContar = [&](int n) { contados = n; };
    EXPECT_FALSE(importa({registro("M001", "10,00"), registro("M002", "30,00", "02"), registro("M005", "150,00", "03"),
                          registro("X", "1,00"), registro("JOS\xC9", "700,00")}));
    const ModeloRecarga porRrm = m;
    QStringList esperado;
    for (const QString& l : run().linhasResultado())
        esperado << QStringLiteral("%1").arg(l.left(13).trimmed().toInt() + 1, 13) + l.mid(13);
    const std::string logRrm = log();
    for (int t = 0; t <= AlemDoArquivo; ++t)
        m.wRecarga[std::size_t(t)].Grupo[0].Valor = 0;

    EXPECT_FALSE(importaCsv("Matr\xED" "cula;Tipo;Valor\r\n" "M001;;10,00\r\nM002;02;30\r\n"
                            "M005;3;150\r\nX;;1\r\nJOS\xC9;;700\r\n"));
    for (int t = 0; t <= AlemDoArquivo; ++t)
        EXPECT_EQ(valor(t), porRrm.wRecarga[std::size_t(t)].Grupo[0].Valor) << t;
    EXPECT_EQ(esperado.size(), 3);
    EXPECT_EQ(run().linhasResultado(), esperado);
    const auto corpo = [](const std::string& l) { return l.substr(l.find("\r\n") + 2); };
    EXPECT_EQ(corpo(log()), corpo(logRrm));
    EXPECT_EQ(contados, 5);
    EXPECT_EQ(progresso, (std::vector<int>{1, 2, 3, 4, 5, 2, 3, 4, 5, 6}));
}

struct CasoFormato {
    const char* nome;
    FormatoImportacao formato;
};

class Formato : public ::testing::TestWithParam<CasoFormato> {};

TEST_P(Formato, ComesFromTheExtensionAlone)
{
    EXPECT_EQ(formatoImportacao(QString::fromUtf8(GetParam().nome)), GetParam().formato);
}

INSTANTIATE_TEST_SUITE_P(
    Nomes, Formato,
    ::testing::Values(CasoFormato{"/x/folha.csv", FormatoImportacao::Planilha},
                      CasoFormato{"/x/FOLHA.CSV", FormatoImportacao::Planilha},
                      CasoFormato{"C:\\x\\folha.2026.Csv", FormatoImportacao::Planilha},
                      CasoFormato{"/x/folha.rrm", FormatoImportacao::Rrm},
                      CasoFormato{"/x/folha.txt", FormatoImportacao::Rrm},
                      CasoFormato{"/x/folha.csv.rrm", FormatoImportacao::Rrm},
                      CasoFormato{"/x/folha_csv", FormatoImportacao::Rrm},
                      CasoFormato{"/x/folhacsv", FormatoImportacao::Rrm}),
    [](const auto& info) { return std::to_string(info.index); });

TEST_F(PlanilhaFixture, ARrmNamedCsvIsReadAsASpreadsheet)
{
    // The name decides, not the content: a payroll record in a ".CSV" file
    // is a header without the columns.
    const QString caminho = externo({registro("M001", "10,00")}, QStringLiteral("folha.CSV"));
    EXPECT_FALSE(run().Importa(caminho, 1));
    ASSERT_EQ(run().linhasResultado().size(), 1);
    EXPECT_TRUE(run().linhasResultado()[0].contains(QStringLiteral("Planilha sem a coluna Matrícula")));
    EXPECT_EQ(valor(M001Dinheiro), 0);
}

TEST(CampoPlanilha, Utf8IsTakenOnlyWhenTheBytesAreUtf8)
{
    EXPECT_TRUE(campoplanilha::ehUtf8("\xEF\xBB\xBF" "abc"));
    EXPECT_TRUE(campoplanilha::ehUtf8("JOS\xC3\x89"));
    EXPECT_TRUE(campoplanilha::ehUtf8("\xE2\x82\xAC 1"));
    EXPECT_FALSE(campoplanilha::ehUtf8("abc"));           // plain ASCII reads the same either way
    EXPECT_FALSE(campoplanilha::ehUtf8("JOS\xC9"));       // Windows-1252 É
    EXPECT_FALSE(campoplanilha::ehUtf8("JOS\xC3"));       // cut short
    EXPECT_FALSE(campoplanilha::ehUtf8("\xC3\x89\xE9"));  // a valid start is not enough
    EXPECT_FALSE(campoplanilha::ehUtf8("\xC0\x80"));      // overlong
}

// The value syntax on its own: what a value reads as, or nothing.
struct CasoSintaxe {
    const char* texto;
    std::optional<double> valor;
    bool ambiguo;
};

class SintaxeDoValor : public ::testing::TestWithParam<CasoSintaxe> {};

TEST_P(SintaxeDoValor, ReadsBrazilianThousandsAndRefusesWhatIsAmbiguous)
{
    const CasoSintaxe& c = GetParam();
    EXPECT_EQ(campoplanilha::valor(c.texto), c.valor) << c.texto;
    EXPECT_EQ(campoplanilha::ambiguo(c.texto), c.ambiguo) << c.texto;
}

INSTANTIATE_TEST_SUITE_P(
    Valores, SintaxeDoValor,
    ::testing::Values(CasoSintaxe{"12", 12, false}, CasoSintaxe{"12,5", 12.5, false}, CasoSintaxe{"12.50", 12.5, false},
                      CasoSintaxe{"1.500,00", 1500, false}, CasoSintaxe{"12.345,6", 12345.6, false},
                      CasoSintaxe{" 1.234.567,89 ", 1234567.89, false}, CasoSintaxe{"1.500", std::nullopt, true},
                      CasoSintaxe{"12.345.678", std::nullopt, true}, CasoSintaxe{"1.50,00", std::nullopt, false},
                      CasoSintaxe{"1234.567,00", std::nullopt, false}, CasoSintaxe{"1,500.00", std::nullopt, false},
                      CasoSintaxe{"1.500,000", std::nullopt, false}, CasoSintaxe{".500,00", std::nullopt, false},
                      CasoSintaxe{"1.500,", std::nullopt, false}, CasoSintaxe{"1.5000", std::nullopt, false},
                      CasoSintaxe{"1234.567", std::nullopt, false}, CasoSintaxe{"1.500.", std::nullopt, false},
                      CasoSintaxe{" 123.456 ", std::nullopt, true}, CasoSintaxe{"0.000", std::nullopt, true},
                      CasoSintaxe{"1.500,0", 1500, false}, CasoSintaxe{"1.5,00", std::nullopt, false},
                      CasoSintaxe{"1.000.000,5a", std::nullopt, false}, CasoSintaxe{"", std::nullopt, false}));

}  // namespace
}  // namespace pluvexa
