#include "recharge/cp1252.h"
#include "recharge/registros.h"
#include "support/titulares.h"

#include <QDateTime>
#include <gtest/gtest.h>

#include "recordfixture.h"

namespace pluvexa {
namespace {

using namespace pluvexa::test;

const QDateTime kInicio(QDate(2024, 2, 1), QTime(8, 30, 0));
const QDateTime kDetalhes(QDate(2024, 2, 1), QTime(8, 35, 0));
const Texto kNomeArquivo = "PX_00042_0007_2402010830_1.rec";

// Reads every line by its record type, as the processing does.
void carrega(ModeloRecarga& m, LeitorRecarga& leitor, const std::vector<Texto>& linhas)
{
    m.esvazia();
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        const std::string tipo = linhas[i].substr(0, 2);
        bool ok = true;
        if (tipo == "00")
            ok = leitor.Proc_header(int(i));
        else if (tipo == "01")
            ok = leitor.Proc_detalhe(int(i));
        else if (tipo == "04")
            ok = leitor.Proc_tipocartao(int(i));
        else if (tipo == "05")
            ok = leitor.Proc_tarifa(int(i));
        else if (tipo == "99")
            ok = leitor.Proc_trailer(int(i));
        ASSERT_TRUE(ok) << "line " << i;
    }
}

std::string comCampo(std::string l, std::size_t pos, std::string valor)
{
    l.replace(pos - 1, valor.size(), valor);
    return l;
}

ResultadoEscrita escreve(const ModeloRecarga& m)
{
    return EscritorRecarga(m).gera(kNomeArquivo, kInicio, kDetalhes);
}

TEST(LeitorRecarga, LoadsTheSampleFileIntoTheModel)
{
    ModeloRecarga m;
    const auto linhas = arquivoExemplo();
    LeitorRecarga leitor(m, linhas);
    carrega(m, leitor, linhas);

    const Cabecalho& c = m.cabecalho;
    EXPECT_EQ(c.NumeroCabecalho, 1);
    EXPECT_EQ(c.Empresa, 42);
    EXPECT_EQ(c.NomeEmpresa, txt("EMPRESA TESTE LTDA", 50));
    EXPECT_EQ(c.DataCriacao, "010224");
    EXPECT_EQ(c.HoraGeracao, "083500");
    EXPECT_EQ(c.Criptografado, 1);
    EXPECT_EQ(c.Remessa, "0007");
    EXPECT_EQ(c.VersaoRecarga, txt("CENTRAL 3.2", 20));
    EXPECT_EQ(c.Sequencial, "000000000000000123");
    EXPECT_EQ(c.Arredondamento, "1");
    EXPECT_EQ(m.ModoArredondamento, 1);

    EXPECT_EQ(m.wTipoCartao[1].Codigo, 1);
    EXPECT_EQ(m.wTipoCartao[1].Modalidade, Dinheiro);
    EXPECT_DOUBLE_EQ(m.wTipoCartao[1].Percentual, 100.0);
    EXPECT_DOUBLE_EQ(m.wTipoCartao[1].ValorMaximo, 600.0);
    EXPECT_DOUBLE_EQ(m.wTipoCartao[2].Percentual, 50.0);
    EXPECT_DOUBLE_EQ(m.wTipoCartao[2].ValorMaximo, 250.0);
    EXPECT_EQ(m.wTarifa[3].Descricao, "URBANA    ");
    EXPECT_DOUBLE_EQ(m.wTarifa[3].Valor, 2.30);
    EXPECT_EQ(m.wTarifa[5].Referencia, 2);

    ASSERT_EQ(m.QtdRecarga, 2);
    const Recarga& d = m.wRecarga[0];
    EXPECT_EQ(d.Usuario, 123);
    EXPECT_EQ(d.Cartao, 4567);
    EXPECT_EQ(d.Matricula, "MAT-77");
    EXPECT_EQ(d.Grupo[0].Tarifa, 3);
    EXPECT_EQ(d.Grupo[0].CMM, 15);
    EXPECT_DOUBLE_EQ(d.Grupo[0].Valor, 25.75);
    EXPECT_DOUBLE_EQ(d.Historico[0][0], 10.0);
    EXPECT_DOUBLE_EQ(d.Historico[0][1], 5.5);
    const Recarga& c2 = m.wRecarga[1];
    EXPECT_TRUE(c2.Matricula.empty());
    EXPECT_EQ(c2.Grupo[0].CMM, 40);
    EXPECT_EQ(c2.Grupo[0].Valor, 20);
    EXPECT_EQ(c2.Grupo[1].Tarifa, 5);
    EXPECT_EQ(c2.Grupo[1].CMM, 10);
    EXPECT_EQ(c2.Grupo[1].Valor, 15);
    EXPECT_EQ(c2.Historico[0][1], 18);
    EXPECT_EQ(c2.Historico[1][0], 15);
    EXPECT_EQ(c2.Historico[1][1], 12);

    EXPECT_EQ(leitor.listaTiposCartao(),
              (std::vector<Texto>{"01 - " + txt("VALE TRANSPORTE", 50), "02 - " + txt("ESCOLAR", 50)}));
    EXPECT_EQ(leitor.listaTarifas(),
              (std::vector<Texto>{"00 - SEM TARIFA", "03 - URBANA     - 2,30", "05 - METROPOLIT - 1.234,56"}));
    EXPECT_EQ(leitor.TipoCartaoSel, 2);
    EXPECT_EQ(leitor.TarifaSel, 5);
    EXPECT_TRUE(leitor.avisos().isEmpty());
}

TEST(LeitorRecarga, MoneyHolderKeepsOnlyGroupOneHistory)
{
    ModeloRecarga m;
    std::string l = detalheDinheiroLinha();
    l.replace(227, 45, std::string(45, '7'));  // digits where a credit type keeps groups 2-4
    const std::vector<Texto> linhas{tipoDinheiroLinha(), l};
    LeitorRecarga leitor(m, linhas);
    carrega(m, leitor, linhas);
    for (std::size_t g = 1; g < kGrupos; ++g)
        for (double h : m.wRecarga[0].Historico[g])
            EXPECT_EQ(h, 0.0);
}

struct HistoricoCaso {
    const char* campo;   // positions 213 to 217 of a money holder
    double valor;        // group 1's last recharge afterwards
};

class HistoricoDinheiro : public ::testing::TestWithParam<HistoricoCaso> {};

// The layout reads these fields as decimal numbers of cents: blanks around
// them and a decimal comma are part of what a central may send.
TEST_P(HistoricoDinheiro, ReadsADecimalNumberOfCents)
{
    ModeloRecarga m;
    const std::vector<Texto> linhas{tipoDinheiroLinha(), comCampo(detalheDinheiroLinha(), 213, GetParam().campo)};
    LeitorRecarga leitor(m, linhas);
    carrega(m, leitor, linhas);
    ASSERT_EQ(m.QtdRecarga, 1);
    EXPECT_DOUBLE_EQ(m.wRecarga[0].Historico[0][0], GetParam().valor);
    EXPECT_DOUBLE_EQ(m.wRecarga[0].Historico[0][1], 5.5);
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, HistoricoDinheiro,
    ::testing::Values(HistoricoCaso{"1,50 ", 0.015}, HistoricoCaso{"150  ", 1.50},
                      HistoricoCaso{"  150", 1.50}, HistoricoCaso{"00150", 1.50},
                      HistoricoCaso{" 1,5 ", 0.015}, HistoricoCaso{"-0,5 ", -0.005},
                      HistoricoCaso{"99999", 999.99}));

class HistoricoInvalido : public ::testing::TestWithParam<const char*> {};

TEST_P(HistoricoInvalido, IsAConversionErrorNamingTheField)
{
    ModeloRecarga m;
    const std::vector<Texto> linhas{tipoDinheiroLinha(), comCampo(detalheDinheiroLinha(), 218, GetParam())};
    LeitorRecarga leitor(m, linhas);
    leitor.Proc_tipocartao(0);
    try {
        leitor.Proc_detalhe(1);
        FAIL() << "accepted '" << GetParam() << "'";
    } catch (const ErroConversao& e) {
        EXPECT_EQ(std::string(e.what()), "'" + std::string(GetParam()) + "' is not a valid floating point value");
    }
    EXPECT_EQ(m.QtdRecarga, 0);
}

INSTANTIATE_TEST_SUITE_P(Tabela, HistoricoInvalido,
                         ::testing::Values("     ", "1.50 ", "1 5  ", "1,5,0", "12a  ", " ,   ", "-    "));

TEST(LeitorRecarga, CreditHistoryStaysWholeNumbers)
{
    ModeloRecarga m;
    const std::vector<Texto> linhas{tipoCreditosLinha(), comCampo(detalheCreditosLinha(), 213, "1,50 ")};
    LeitorRecarga leitor(m, linhas);
    leitor.Proc_tipocartao(0);
    EXPECT_THROW(leitor.Proc_detalhe(1), ErroConversao);
}

TEST(LeitorRecarga, MoneyValueInGroupsTwoToFourIsDroppedLoggedAndAnsweredCleanly)
{
    // Group 2 tariff 5 with 0,15 and group 4 tariff 3 with 9,99 on a money holder.
    std::string d = comCampo(detalheDinheiroLinha(), 153, "0005" "000" "015");
    d = comCampo(d, 173, "0003" "000" "999");
    auto linhas = arquivoExemplo();
    linhas[6] = d;
    ModeloRecarga m;
    LeitorRecarga leitor(m, linhas);
    carrega(m, leitor, linhas);
    const Recarga& h = m.wRecarga[0];
    EXPECT_EQ(h.Grupo[1].Tarifa, 5);
    EXPECT_EQ(h.Grupo[1].Valor, 0.0);
    EXPECT_EQ(h.Grupo[3].Tarifa, 3);
    EXPECT_EQ(h.Grupo[3].Valor, 0.0);
    EXPECT_DOUBLE_EQ(h.Grupo[0].Valor, 25.75);
    EXPECT_EQ(leitor.avisos(),
              (QStringList{"Usuário 0000000123 Grupo 2 - valor ignorado: cartões em valor recebem somente no grupo 1",
                           "Usuário 0000000123 Grupo 4 - valor ignorado: cartões em valor recebem somente no grupo 1"}));
    // A credit holder keeps its group 2 value.
    EXPECT_EQ(m.wRecarga[1].Grupo[1].Valor, 15);

    const ResultadoEscrita r = escreve(m);
    ASSERT_TRUE(r.ok()) << r.textosRecusas().join(u'\n').toStdString();
    EXPECT_EQ(r.linhas[6].substr(152, 30), "0005" "000" "000" "0000" "000" "000" "0003" "000" "000");
}

TEST(LeitorRecarga, ReadsADetailByTheCardTypeKnownAtThatMoment)
{
    ModeloRecarga m;
    // The credit card type comes after the detail: the detail reads as money.
    const std::vector<Texto> linhas{detalheCreditosLinha(), tipoCreditosLinha()};
    LeitorRecarga leitor(m, linhas);
    carrega(m, leitor, linhas);
    EXPECT_DOUBLE_EQ(m.wRecarga[0].Grupo[0].Valor, 0.20);
    EXPECT_EQ(m.wRecarga[0].Grupo[0].CMM, 0);
    EXPECT_EQ(m.wRecarga[0].Historico[1][0], 0.0);
}

TEST(LeitorRecarga, ShortHeadersAndRecordsDefaultTheirMissingFields)
{
    ModeloRecarga m;
    const std::vector<Texto> linhas{headerLinha().substr(0, 216), headerLinha().substr(0, 274),
                                    "04" "07" + txt("SEM MAXIMO", 50) + "0" "10000" "     "};
    LeitorRecarga leitor(m, linhas);
    m.ModoArredondamento = 2;
    ASSERT_TRUE(leitor.Proc_header(0));
    EXPECT_TRUE(m.cabecalho.VersaoRecarga.empty());
    EXPECT_TRUE(m.cabecalho.Sequencial.empty());
    EXPECT_EQ(m.cabecalho.Arredondamento, "0");
    EXPECT_EQ(m.ModoArredondamento, 0);
    ASSERT_TRUE(leitor.Proc_header(1));
    EXPECT_EQ(m.cabecalho.Sequencial, "000000000000000123");
    EXPECT_EQ(m.cabecalho.Arredondamento, "0");
    ASSERT_TRUE(leitor.Proc_tipocartao(2));
    EXPECT_DOUBLE_EQ(m.wTipoCartao[7].ValorMaximo, 600.0);
}

struct TamanhoCaso {
    const char* tipo;
    std::size_t tamanho;
    bool aceito;
};

class TamanhoRegistro : public ::testing::TestWithParam<TamanhoCaso> {};

// A record is cut short or padded with zeros to the length under test.
TEST_P(TamanhoRegistro, OnlyTheLayoutLengthsAreAccepted)
{
    const TamanhoCaso& c = GetParam();
    const std::string tipo = c.tipo;
    std::string base = tipo == "00" ? headerLinha()
        : tipo == "01"              ? detalheDinheiroLinha()
        : tipo == "04"              ? tipoDinheiroLinha()
        : tipo == "05"              ? tarifa03Linha()
                                    : trailerLinha(9, 2, 1, 0, 0);
    base.resize(c.tamanho, '0');
    ModeloRecarga m;
    const std::vector<Texto> linhas{base};
    LeitorRecarga leitor(m, linhas);
    const bool ok = tipo == "00" ? leitor.Proc_header(0)
        : tipo == "01"           ? leitor.Proc_detalhe(0)
        : tipo == "04"           ? leitor.Proc_tipocartao(0)
        : tipo == "05"           ? leitor.Proc_tarifa(0)
                                 : leitor.Proc_trailer(0);
    EXPECT_EQ(ok, c.aceito);
    if (!ok) {
        EXPECT_EQ(m.QtdRecarga, 0);
        EXPECT_EQ(m.wTipoCartao[1].Codigo, 0);
        EXPECT_TRUE(m.wTarifa[3].Descricao.empty());
        EXPECT_TRUE(leitor.listaTarifas().empty());
        EXPECT_EQ(m.cabecalho.Empresa, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, TamanhoRegistro,
    ::testing::Values(TamanhoCaso{"00", 216, true}, TamanhoCaso{"00", 274, true},
                      TamanhoCaso{"00", 275, true}, TamanhoCaso{"00", 215, false},
                      TamanhoCaso{"00", 217, false}, TamanhoCaso{"00", 276, false},
                      TamanhoCaso{"01", 272, true}, TamanhoCaso{"01", 271, false},
                      TamanhoCaso{"01", 273, false}, TamanhoCaso{"04", 60, true},
                      TamanhoCaso{"04", 65, true}, TamanhoCaso{"04", 61, false},
                      TamanhoCaso{"04", 66, false}, TamanhoCaso{"05", 42, true},
                      TamanhoCaso{"05", 41, false}, TamanhoCaso{"99", 156, true},
                      TamanhoCaso{"99", 157, false}));

TEST(LeitorRecarga, ChoiceListsKeepTheCodePageBytes)
{
    ModeloRecarga m;
    const std::vector<Texto> linhas{"05" "01" "INTERMUNIC" "000000000000000450" "0000000001",
                                    "05" "02" + paraCp1252(QStringLiteral("AÇÃO      ")) + "000000000000000100"
                                        "0000000001"};
    LeitorRecarga leitor(m, linhas);
    ASSERT_TRUE(leitor.Proc_tarifa(0));
    ASSERT_TRUE(leitor.Proc_tarifa(1));
    EXPECT_EQ(leitor.listaTarifas()[0], "01 - INTERMUNIC - 4,50");
    EXPECT_EQ(deCp1252(leitor.listaTarifas()[1]), QStringLiteral("02 - AÇÃO       - 1,00"));
}

struct ForaTabelaCaso {
    const char* nome;
    std::vector<Texto> linhas;
    const char* aviso;
};

class ForaDaTabela : public ::testing::TestWithParam<ForaTabelaCaso> {};

// The record fields allow codes beyond the fixed tables; such a record is
// refused with a log line instead of reaching memory outside them.
TEST_P(ForaDaTabela, RecordIsRefusedAndLogged)
{
    const ForaTabelaCaso& c = GetParam();
    ModeloRecarga m;
    LeitorRecarga leitor(m, c.linhas);
    const std::size_t ultima = c.linhas.size() - 1;
    const std::string tipo = c.linhas[ultima].substr(0, 2);
    for (std::size_t i = 0; i < ultima; ++i)
        ASSERT_TRUE(leitor.Proc_tipocartao(int(i)));
    const bool ok = tipo == "04" ? leitor.Proc_tipocartao(int(ultima))
        : tipo == "05"           ? leitor.Proc_tarifa(int(ultima))
                                 : leitor.Proc_detalhe(int(ultima));
    EXPECT_FALSE(ok);
    EXPECT_EQ(leitor.avisos(), QStringList{QString::fromUtf8(c.aviso)});
    EXPECT_EQ(m.QtdRecarga, 0);
    EXPECT_TRUE(leitor.listaTarifas().empty());
    EXPECT_EQ(leitor.listaTiposCartao().size(), ultima);
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, ForaDaTabela,
    ::testing::Values(
        ForaTabelaCaso{"Tarifa15", {comCampo(tarifa03Linha(), 3, "15")},
                       "Tarifa fora da tabela (00 a 14) - Código : 15 - Linha : 0"},
        ForaTabelaCaso{"TarifaNegativa", {comCampo(tarifa03Linha(), 3, "-1")},
                       "Tarifa fora da tabela (00 a 14) - Código : -1 - Linha : 0"},
        ForaTabelaCaso{"TipoCartao32", {comCampo(tipoDinheiroLinha(), 3, "32")},
                       "Tipo Cartão fora da tabela (00 a 31) - Código : 32 - Linha : 0"},
        ForaTabelaCaso{"DetalheTipo45", {tipoDinheiroLinha(), comCampo(detalheDinheiroLinha(), 93, "45")},
                       "Detalhe com Tipo Cartão fora da tabela (00 a 31) - Código : 45 - Linha : 1"},
        ForaTabelaCaso{"DetalheTarifaGrupo3", {tipoDinheiroLinha(), comCampo(detalheDinheiroLinha(), 163, "0020")},
                       "Detalhe com Tarifa fora da tabela (00 a 14) - Grupo : 3 - Código : 20 - Linha : 1"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(LeitorRecarga, DetailsBeyondTheTableAreRefusedAndLogged)
{
    ModeloRecarga m;
    std::vector<Texto> linhas(kRecargas + 2, detalheDinheiroLinha());
    LeitorRecarga leitor(m, linhas);
    for (int i = 0; i < kRecargas; ++i)
        ASSERT_TRUE(leitor.Proc_detalhe(i));
    EXPECT_FALSE(leitor.Proc_detalhe(kRecargas));
    EXPECT_FALSE(leitor.Proc_detalhe(kRecargas + 1));
    EXPECT_EQ(m.QtdRecarga, kRecargas);
    EXPECT_EQ(leitor.avisos(), (QStringList{QStringLiteral("Detalhe além do limite de 10000 titulares - Linha : 10000"),
                                            QStringLiteral("Detalhe além do limite de 10000 titulares - Linha : 10001")}));
}

struct InteiroCaso {
    const char* campo;
    bool valido;
    int valor;
};

class LerInteiro : public ::testing::TestWithParam<InteiroCaso> {};

TEST_P(LerInteiro, AcceptsLeadingBlanksAndThirtyTwoBitsOnly)
{
    const InteiroCaso& c = GetParam();
    if (c.valido) {
        EXPECT_EQ(lerInteiro(c.campo), c.valor);
    } else {
        try {
            lerInteiro(c.campo);
            FAIL() << "accepted '" << c.campo << "'";
        } catch (const ErroConversao& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(c.campo) + "' is not a valid integer value");
            EXPECT_EQ(e.campo(), c.campo);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, LerInteiro,
    ::testing::Values(InteiroCaso{"0000000042", true, 42}, InteiroCaso{"   42", true, 42},
                      InteiroCaso{"2147483647", true, 2147483647}, InteiroCaso{"-0000005", true, -5},
                      InteiroCaso{"000000000000000123", true, 123}, InteiroCaso{"2147483648", false, 0},
                      InteiroCaso{"999999999999999999", false, 0}, InteiroCaso{"42 ", false, 0},
                      InteiroCaso{"     ", false, 0}, InteiroCaso{"", false, 0}, InteiroCaso{"4x2", false, 0},
                      InteiroCaso{"-", false, 0}, InteiroCaso{"1,5", false, 0}, InteiroCaso{"$1A", false, 0}));

TEST(LeitorRecarga, ConversionErrorNamesTheFieldInUtf8)
{
    ModeloRecarga m;
    const std::vector<Texto> linhas{comCampo(detalheDinheiroLinha(), 13, "00000\xE9" "4567")};
    LeitorRecarga leitor(m, linhas);
    try {
        leitor.Proc_detalhe(0);
        FAIL() << "no conversion error";
    } catch (const ErroConversao& e) {
        EXPECT_STREQ(e.what(), "'00000\xC3\xA9" "4567' is not a valid integer value");
    }
    EXPECT_EQ(m.QtdRecarga, 0);
}

TEST(LeitorRecarga, TrailerNumbersMustBeIntegers)
{
    ModeloRecarga m;
    const std::vector<Texto> linhas{comCampo(trailerLinha(9, 2, 1, 0, 0), 139, std::string(18, ' '))};
    LeitorRecarga leitor(m, linhas);
    EXPECT_THROW(leitor.Proc_trailer(0), ErroConversao);
}

// ---- Writer ----

TEST(EscritorRecarga, ReadThenWriteGivesTheSameBytes)
{
    ModeloRecarga m;
    const auto linhas = arquivoExemplo();
    LeitorRecarga leitor(m, linhas);
    carrega(m, leitor, linhas);
    const ResultadoEscrita r = escreve(m);
    ASSERT_TRUE(r.ok()) << r.textosRecusas().join(u'\n').toStdString();
    ASSERT_EQ(r.linhas.size(), linhas.size());
    for (std::size_t i = 0; i < linhas.size(); ++i)
        EXPECT_EQ(r.linhas[i], linhas[i]) << "line " << i;
}

TEST(EscritorRecarga, RoundTripKeepsEveryValueOfMoneyAndCreditHolders)
{
    ModeloRecarga m;
    const auto linhas = arquivoExemplo();
    LeitorRecarga leitor(m, linhas);
    carrega(m, leitor, linhas);
    // Values as the grid would leave them.
    m.wRecarga[0].Grupo[0].Valor = 123.45;
    m.wRecarga[0].Historico[0][2] = 999.99;
    m.wRecarga[1].Grupo[0].Valor = 250;
    m.wRecarga[1].Grupo[1].Valor = 999;
    m.wRecarga[1].Historico[3][2] = 99999;
    const ResultadoEscrita r = escreve(m);
    ASSERT_TRUE(r.ok()) << r.textosRecusas().join(u'\n').toStdString();

    ModeloRecarga m2;
    LeitorRecarga leitor2(m2, r.linhas);
    carrega(m2, leitor2, r.linhas);
    ASSERT_EQ(m2.QtdRecarga, 2);
    for (int i = 0; i < 2; ++i) {
        const Recarga& a = m.wRecarga[std::size_t(i)];
        const Recarga& b = m2.wRecarga[std::size_t(i)];
        EXPECT_EQ(a.Usuario, b.Usuario);
        EXPECT_EQ(a.Nome, b.Nome);
        EXPECT_EQ(a.Matricula, b.Matricula);
        for (std::size_t g = 0; g < kGrupos; ++g) {
            EXPECT_EQ(a.Grupo[g].Tarifa, b.Grupo[g].Tarifa);
            EXPECT_EQ(a.Grupo[g].CMM, b.Grupo[g].CMM);
            EXPECT_DOUBLE_EQ(a.Grupo[g].Valor, b.Grupo[g].Valor) << i << " group " << g;
            for (std::size_t k = 0; k < 3; ++k)
                EXPECT_DOUBLE_EQ(a.Historico[g][k], b.Historico[g][k]) << i << " group " << g;
        }
    }
    EXPECT_EQ(m2.cabecalho.VersaoRemota, txt(kVersao, 20));
}

TEST(EscritorRecarga, HeaderCarriesTheGenerationTimesAndAShortHeaderIsWrittenWhole)
{
    ModeloRecarga m;
    const std::vector<Texto> linhas{headerLinha().substr(0, 216), tipoDinheiroLinha(), tarifa00Linha()};
    LeitorRecarga leitor(m, linhas);
    carrega(m, leitor, linhas);
    m.cabecalho.Criptografado = 0;
    int leituras = 0;
    const ResultadoEscrita r = EscritorRecarga(m).gera("PX_00042_0007_2403051412_2.REC", [&] {
        return QDateTime(QDate(2024, 3, 5), QTime(14, 12, leituras++));
    });
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(leituras, 2);
    const Texto& h = r.linhas.front();
    ASSERT_EQ(h.size(), 275u);
    EXPECT_EQ(h.substr(61, 25), "050324" "141200" "050324" "141201" "1");
    EXPECT_EQ(h.substr(86, 65), txt("PX_00042_0007_2403051412_2.REC", 65));
    EXPECT_EQ(h.substr(216, 20), std::string(20, ' '));
    EXPECT_EQ(h.substr(236, 20), txt(kVersao, 20));
    EXPECT_EQ(h.substr(256, 18), std::string(18, ' '));
    EXPECT_EQ(h.substr(274), "0");
}

TEST(EscritorRecarga, WritesTheRecordsOfTheLayout)
{
    ModeloRecarga m;
    const std::vector<Texto> linhas{"04" "00" + txt("TIPO ZERO", 50) + "0" "10000" "00100",
                                    "04" "03" + txt("SEM MAXIMO", 50) + "0" "10000",
                                    tarifa00Linha()};
    LeitorRecarga leitor(m, linhas);
    carrega(m, leitor, linhas);
    m.QtdRecarga = 10;
    for (int i = 0; i < 10; ++i)
        m.wRecarga[std::size_t(i)] = test::titular(i + 1, 0, "", "", 3, {{i < 4 ? 0 : 2}, {}, {}, {i == 9 ? 7 : 0}});
    m.wTipoCartao[1] = {1, txt("UM", 50), 1, 0, 0};
    m.wTipoCartao[31] = {31, txt("TRINTA E UM", 50), 0, 0, 0};
    m.wTarifa[14] = {14, "ULTIMA    ", 0, 0};
    const ResultadoEscrita r = escreve(m);
    ASSERT_TRUE(r.ok()) << r.textosRecusas().join(u'\n').toStdString();
    // Header, card types 1, 3, 31 (not 0), tariffs 0 and 14, ten holders, trailer.
    ASSERT_EQ(r.linhas.size(), 17u);
    EXPECT_EQ(r.linhas[1].substr(0, 4), "0401");
    EXPECT_EQ(r.linhas[2], "04" "03" + txt("SEM MAXIMO", 50) + "0" "10000" "60000");
    EXPECT_EQ(r.linhas[3].substr(0, 4), "0431");
    EXPECT_EQ(r.linhas[4], tarifa00Linha());
    EXPECT_EQ(r.linhas[5].substr(0, 4), "0514");
    for (std::size_t i = 6; i < 16; ++i) {
        ASSERT_EQ(r.linhas[i].size(), 272u);
        EXPECT_EQ(r.linhas[i].substr(72, 20), std::string(20, ' '));
        EXPECT_EQ(r.linhas[i].substr(200, 12), std::string(12, ' '));
    }
    EXPECT_EQ(r.linhas.back(), trailerLinha(17, 6, 0, 0, 1));
    EXPECT_EQ(juntaLinhas({"ab", "c"}), "ab\r\nc\r\n");
}

TEST(EscritorRecarga, LinesSplitOnEveryLineEnd)
{
    EXPECT_EQ(divideLinhas("a\r\nb\rc\nd"), (std::vector<Texto>{"a", "b", "c", "d"}));
    EXPECT_EQ(divideLinhas("a\r\n\r\nb\r\n"), (std::vector<Texto>{"a", "", "b"}));
    EXPECT_EQ(divideLinhas(juntaLinhas(arquivoExemplo())), arquivoExemplo());
}

struct RecusaCaso {
    const char* nome;
    void (*altera)(ModeloRecarga&);
    CampoRecusado::Registro registro;
    int codigo;
    const char* campo;
};

class Recusas : public ::testing::TestWithParam<RecusaCaso> {};

TEST_P(Recusas, NothingIsWrittenAndTheFieldIsNamed)
{
    const RecusaCaso& c = GetParam();
    ModeloRecarga m;
    const auto linhas = arquivoExemplo();
    LeitorRecarga leitor(m, linhas);
    carrega(m, leitor, linhas);
    c.altera(m);
    const ResultadoEscrita r = escreve(m);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.linhas.empty());
    ASSERT_EQ(r.recusas.size(), 1u) << r.textosRecusas().join(u'\n').toStdString();
    EXPECT_EQ(r.recusas[0].registro, c.registro);
    EXPECT_EQ(r.recusas[0].codigo, c.codigo);
    EXPECT_EQ(r.recusas[0].campo, QString::fromUtf8(c.campo));
    EXPECT_FALSE(r.recusas[0].motivo.isEmpty());
}

using R = CampoRecusado::Registro;

INSTANTIATE_TEST_SUITE_P(
    Tabela, Recusas,
    ::testing::Values(
        RecusaCaso{"HistoricoDinheiroMil", [](ModeloRecarga& m) { m.wRecarga[0].Historico[0][0] = 1000.00; },
                   R::Detalhe, 123, "Última recarga do grupo 1"},
        RecusaCaso{"CreditosGrupo2Mil", [](ModeloRecarga& m) { m.wRecarga[1].Grupo[1].Valor = 1000; },
                   R::Detalhe, 124, "Valor do grupo 2"},
        RecusaCaso{"ValorNegativo", [](ModeloRecarga& m) { m.wRecarga[0].Grupo[0].Valor = -0.001; },
                   R::Detalhe, 123, "Valor do grupo 1"},
        RecusaCaso{"DinheiroNoGrupo3", [](ModeloRecarga& m) { m.wRecarga[0].Grupo[2].Valor = 5; },
                   R::Detalhe, 123, "Valor do grupo 3"},
        RecusaCaso{"DinheiroAlemDo32Bits", [](ModeloRecarga& m) { m.wRecarga[0].Grupo[0].Valor = 21474836.48; },
                   R::Detalhe, 123, "Valor do grupo 1"},
        RecusaCaso{"UsuarioNegativo", [](ModeloRecarga& m) { m.wRecarga[1].Usuario = -124; },
                   R::Detalhe, -124, "Usuário"},
        RecusaCaso{"MatriculaLonga", [](ModeloRecarga& m) { m.wRecarga[0].Matricula = std::string(21, '9'); },
                   R::Detalhe, 123, "Matrícula"},
        RecusaCaso{"CmmGrupo2Mil", [](ModeloRecarga& m) { m.wRecarga[1].Grupo[1].CMM = 1000; },
                   R::Detalhe, 124, "CMM do grupo 2"},
        RecusaCaso{"TipoForaDaTabela", [](ModeloRecarga& m) { m.wRecarga[0].TipoCartao = 40; },
                   R::Detalhe, 123, "Tipo Cartão"},
        RecusaCaso{"MaximoDinheiroMil", [](ModeloRecarga& m) { m.wTipoCartao[1].ValorMaximo = 1000; },
                   R::TipoCartao, 1, "Valor máximo"},
        RecusaCaso{"TarifaSemValor", [](ModeloRecarga& m) { m.wTarifa[3].Valor = -2.30; },
                   R::Tarifa, 3, "Valor"},
        RecusaCaso{"EmpresaSeisDigitos", [](ModeloRecarga& m) { m.cabecalho.Empresa = 100000; },
                   R::Cabecalho, 0, "Empresa"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(EscritorRecarga, ReportsEveryHolderAndFieldItRefuses)
{
    ModeloRecarga m;
    const auto linhas = arquivoExemplo();
    LeitorRecarga leitor(m, linhas);
    carrega(m, leitor, linhas);
    m.wRecarga[0].Grupo[1].Valor = 3;
    m.wRecarga[1].Historico[2][0] = 123456;
    const ResultadoEscrita r = escreve(m);
    EXPECT_TRUE(r.linhas.empty());
    ASSERT_EQ(r.recusas.size(), 2u);
    EXPECT_EQ(r.textosRecusas()[0],
              QStringLiteral("Usuário 123 - JOSE DA SILVA - Valor do grupo 2 : tipo de cartão em dinheiro só envia o grupo 1"));
    EXPECT_EQ(r.textosRecusas()[1],
              QStringLiteral("Usuário 124 - MARIA - Última recarga do grupo 3 : 123456 não cabe em 5 dígitos"));
}

// Numbers the writer refuses are shown with every whole digit: a money
// CMM read as -21474836 whole units is not "-2.14748e+07".
TEST(EscritorRecarga, RefusedNumbersAreShownWithoutExponent)
{
    ModeloRecarga m;
    const auto linhas = arquivoExemplo();
    LeitorRecarga leitor(m, linhas);
    carrega(m, leitor, linhas);
    m.wRecarga[0].Grupo[0].CMM = -21474836;
    m.wTarifa[3].Valor = -21474836.48;
    const ResultadoEscrita r = escreve(m);
    EXPECT_EQ(r.textosRecusas(),
              (QStringList{QStringLiteral("Tarifa 3 - URBANA - Valor : valor negativo (-21474836.48)"),
                           QStringLiteral("Usuário 123 - JOSE DA SILVA - CMM do grupo 1 : valor negativo (-21474836)")}));
}

}  // namespace
}  // namespace pluvexa
