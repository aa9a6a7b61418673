// The record checks of the external file: the status of each record by its
// field contents, and the field readings of valid records.

#include "exchange/persrecargaexterna.h"
#include "registroexterno.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using test::CamposExternos;
using test::registro;

struct CasoStatus {
    const char* nome;
    std::string linha;
    int status;
};

CamposExternos comValor(const std::string& valor19)
{
    CamposExternos c;
    c.matricula = "M1";
    c.valor = valor19;
    c.tipo = "01";
    return c;
}

CamposExternos com(std::string CamposExternos::*campo, const std::string& texto)
{
    CamposExternos c = comValor("12,50");
    c.*campo = texto;
    return c;
}

class StatusDoRegistro : public ::testing::TestWithParam<CasoStatus> {};

TEST_P(StatusDoRegistro, FirstFailingCheckDecides)
{
    const CasoStatus& c = GetParam();
    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("a.rrm"));
    test::gravaTexto(caminho, c.linha + "\r\n");
    PersRecargaExterna p;
    EXPECT_EQ(p.LeRegistro(caminho), c.status == StatusSucesso);
    EXPECT_EQ(p.StatusAtual(), c.status);
    EXPECT_EQ(p.Registro, c.linha);
    // The only line has been read: the next read is the end of the file.
    EXPECT_FALSE(p.LeRegistro(caminho));
    EXPECT_EQ(p.StatusAtual(), StatusFimArquivo);
}

INSTANTIATE_TEST_SUITE_P(
    Campos, StatusDoRegistro,
    ::testing::Values(
        CasoStatus{"Valid", registro(comValor("12,50")), 0},
        CasoStatus{"BlankFilledValue", registro(comValor("              12,50")), 0},
        CasoStatus{"SignedValue", registro(comValor("-000000000000012,50")), 0},
        CasoStatus{"ValueWithOneDecimalAndABlank", registro(comValor("  00000000000012,5 ")), 0},
        CasoStatus{"IdentifierWithBlanksAndSign", registro(com(&CamposExternos::identificador, "    +12")), 0},
        CasoStatus{"SixtyNineCharacters", registro(com(&CamposExternos::tipo, "")), 0},
        CasoStatus{"LongerLineIgnoresTheRest", registro(comValor("12,50")) + "RESTO QUALQUER", 0},
        CasoStatus{"EmptyLine", "", 4},
        CasoStatus{"IdentifierWithLetter", registro(com(&CamposExternos::identificador, "00001A1")), 4},
        CasoStatus{"IdentifierTrailingBlank", registro(com(&CamposExternos::identificador, "     1 ")), 4},
        CasoStatus{"BlankIdentifier", registro(com(&CamposExternos::identificador, "       ")), 4},
        CasoStatus{"CommaAt44", registro(comValor("000000000000012,500")), 5},
        CasoStatus{"CommaAt46", registro(comValor("0000000000000012,5")), 5},  // 18 wide: comma at 46
        CasoStatus{"PointInsteadOfComma", registro(comValor("0000000000000012.50")), 5},
        CasoStatus{"NoComma", registro(comValor("0000000000000001250")), 5},
        CasoStatus{"TwoCommas", registro(comValor("00000000001,000,50")), 5},
        CasoStatus{"ThousandsPoint", registro(comValor("000000000001.000,50")), 5},
        CasoStatus{"BlankValue", registro(comValor("                ,  ")), 5},
        CasoStatus{"ValueCutShort", std::string(registro(comValor("12,50")), 0, 45), 5},
        CasoStatus{"BlankCompany", registro(com(&CamposExternos::empresa, "          ")), 6},
        CasoStatus{"CompanyWithLetter", registro(com(&CamposExternos::empresa, "00000001X3")), 6},
        CasoStatus{"BlankFileCode", registro(com(&CamposExternos::arquivo, "          ")), 7},
        CasoStatus{"RecordEndingBeforeFileCode", std::string(registro(comValor("12,50")), 0, 59), 7},
        // The first failure wins: a bad identifier hides a bad value.
        CasoStatus{"IdentifierBeforeValue", "XXXXXXX" + std::string(registro(comValor("1250")), 7), 4},
        CasoStatus{"ValueBeforeCompany",
                   registro([] { CamposExternos c = comValor("1250"); c.empresa = "          "; return c; }()),
                   5}),
    [](const auto& info) { return std::string(info.param.nome); });

struct CasoCampos {
    const char* nome;
    std::string linha;
    std::string matricula;
    double valor;
    int tipo;
};

class LeituraDosCampos : public ::testing::TestWithParam<CasoCampos> {};

TEST_P(LeituraDosCampos, ReadsAsTheLayoutSays)
{
    const CasoCampos& c = GetParam();
    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("a.rrm"));
    test::gravaTexto(caminho, c.linha + "\n");
    PersRecargaExterna p;
    ASSERT_TRUE(p.LeRegistro(caminho)) << p.MensagemStatus().toStdString();
    EXPECT_EQ(p.Matricula(), c.matricula);
    EXPECT_EQ(p.Valor(), c.valor);
    EXPECT_EQ(p.TipoCartao(), c.tipo);
}

INSTANTIATE_TEST_SUITE_P(
    Campos, LeituraDosCampos,
    ::testing::Values(
        CasoCampos{"FourteenBlanksThen12_50", registro("  AB 12  ", "              12,50", "02"), "AB 12", 12.5, 2},
        CasoCampos{"TypeZeroSeven", registro("M", "1,00", "07"), "M", 1.0, 7},
        CasoCampos{"TypeZeroA", registro("M", "1,00", "0A"), "M", 1.0, 0},
        CasoCampos{"TypeBlank", registro("M", "1,00", "  "), "M", 1.0, 0},
        CasoCampos{"TypeMissing", registro("M", "1,00"), "M", 1.0, 0},
        CasoCampos{"TypeOneCharacter", registro("M", "1,00", "3"), "M", 1.0, 3},
        CasoCampos{"Negative", registro("M", "-000000000000005,25", "01"), "M", -5.25, 1},
        CasoCampos{"AccentedRegistration", registro("JOS\xC9", "600,01", "01"), "JOS\xC9", 600.01, 1},
        CasoCampos{"TwentyOneCharacters", registro("123456789012345678901", "1,00"), "123456789012345678901",
                   1.0, 0},
        CasoCampos{"BlankRegistration", registro("", "1,00"), "", 1.0, 0}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(PersRecargaExterna, StatusTextsAreTheSystemsOwn)
{
    const char* const textos[] = {"Sucesso",
                                  "Erro ao abrir/criar o arquivo",
                                  "Fim do arquivo",
                                  "Não conseguiu ler o registro",
                                  "O identificador do registro infomado não é um número válido",
                                  "Valor infomado não é válido",
                                  "Empresa infomada não é um número",
                                  "Código do arquivo infomado não é um número"};
    for (int s = 0; s < 8; ++s)
        EXPECT_EQ(textoStatus(s), QString::fromUtf8(textos[s])) << s;
    EXPECT_EQ(textoStatus(8), QString());
    EXPECT_EQ(textoStatus(-1), QString());
}

TEST(PersRecargaExterna, MissingFileIsStatusOneAndOpenIgnoresANewNameOnceOpen)
{
    QTemporaryDir dir;
    PersRecargaExterna p;
    EXPECT_FALSE(p.LeRegistro(dir.filePath(QStringLiteral("missing.rrm"))));
    EXPECT_EQ(p.StatusAtual(), StatusErroAbertura);
    EXPECT_EQ(p.MensagemStatus(), QStringLiteral("Erro ao abrir/criar o arquivo"));

    const QString a = dir.filePath(QStringLiteral("a.rrm"));
    test::gravaTexto(a, registro("A", "1,00") + "\n" + registro("B", "2,00") + "\n" + registro("C", "3,00"));
    ASSERT_TRUE(p.Abre(a));
    EXPECT_TRUE(p.Abre(dir.filePath(QStringLiteral("missing.rrm"))));
    EXPECT_EQ(p.ContaRegistros(), 2);  // the unterminated third line is no record
    ASSERT_TRUE(p.LeRegistro(QStringLiteral("ignored")));
    EXPECT_EQ(p.Matricula(), "A");
    ASSERT_TRUE(p.LeRegistro(a));
    EXPECT_EQ(p.Matricula(), "B");
    EXPECT_FALSE(p.LeRegistro(a));
    EXPECT_EQ(p.StatusAtual(), StatusFimArquivo);
    EXPECT_EQ(p.MensagemStatus(), QStringLiteral("Fim do arquivo"));
}

}  // namespace
}  // namespace pluvexa
