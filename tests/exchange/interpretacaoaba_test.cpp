// The one interpretation of a sheet, as workbooks and CSV files give it:
// the header found below title rows, the names clerks give the columns,
// number cells, "R$" values, total rows and rows without a key; then, in
// the run, rows without a card type and registrations without their zeros.

#include "exchange/abasplanilha.h"
#include "exchange/leituraplanilha.h"
#include "importfixture.h"

#include <QDir>

namespace pluvexa {
namespace {

using namespace test;

CelulaPlanilha T(const char* texto)
{
    return CelulaPlanilha{CelulaPlanilha::Tipo::Texto, QString::fromUtf8(texto), 0};
}
CelulaPlanilha N(double numero)
{
    return CelulaPlanilha{CelulaPlanilha::Tipo::Numero, {}, numero};
}
const CelulaPlanilha V{};

// What a row interprets to: the registration (or the first key), the
// value, and the refusal or the information.
struct Esperado {
    int linha;
    std::string chave;
    double valor;
    const char* erro = "";
    const char* informacao = "";
    int tipo = 0;
};

struct CasoAba {
    const char* nome;
    std::vector<LinhaTabela> linhas;
    int cabecalho;                     // the header's row; 0: refused
    std::vector<Esperado> esperado;
    const char* erroCabecalho = "";
    MapaColunas mapa = {};
};

MapaColunas mapa(const QString& texto)
{
    return *MapaColunas::doTexto(texto, nullptr);
}

class InterpretaAba : public ::testing::TestWithParam<CasoAba> {};

TEST_P(InterpretaAba, GivesEveryRowItsRecord)
{
    const CasoAba& c = GetParam();
    const Planilha p = interpreta(AbaPlanilha{QStringLiteral("Folha"), c.linhas}, c.mapa);
    EXPECT_EQ(p.erroCabecalho, QString::fromUtf8(c.erroCabecalho));
    if (c.cabecalho > 0)
        EXPECT_EQ(p.linhaCabecalho, c.cabecalho);
    ASSERT_EQ(p.linhas.size(), c.esperado.size());
    for (std::size_t i = 0; i < c.esperado.size(); ++i) {
        const LinhaPlanilha& l = p.linhas[i];
        const Esperado& e = c.esperado[i];
        const std::string chave = !l.chaves.matricula.empty() ? l.chaves.matricula
                                  : !l.chaves.usuario.empty() ? l.chaves.usuario
                                                              : l.chaves.cartao;
        EXPECT_EQ(l.linha, e.linha) << i;
        EXPECT_EQ(chave, e.chave) << i;
        EXPECT_DOUBLE_EQ(l.valor, e.valor) << i;
        EXPECT_EQ(l.erro, QString::fromUtf8(e.erro)) << i;
        EXPECT_EQ(l.informacao, QString::fromUtf8(e.informacao)) << i;
        EXPECT_EQ(l.tipo, e.tipo) << i;
    }
}

std::vector<LinhaTabela> titulos(int quantos)
{
    std::vector<LinhaTabela> r;
    for (int i = 1; i <= quantos; ++i)
        r.push_back({i, {T("Folha de pagamento - março")}});
    return r;
}

std::vector<LinhaTabela> comTitulos(int quantos, std::vector<LinhaTabela> resto)
{
    std::vector<LinhaTabela> r = titulos(quantos);
    r.insert(r.end(), resto.begin(), resto.end());
    return r;
}

const char* const kDecimais = "Valor com mais de duas casas decimais: 12,345";
const char* const kLongo = "Número longo demais - formate a coluna como texto";
const char* const kSemChave = "Linha sem Matrícula, Usuário ou Cartão";
const char* const kTotal = "Linha de total ignorada";

INSTANTIATE_TEST_SUITE_P(
    Casos, InterpretaAba,
    ::testing::Values(
        CasoAba{"HeaderAtRowFiveBelowTitlesAndAMergedTitle",
                {{1, {T("EMPRESA MODELO LTDA")}},
                 {2, {T("Folha de março"), V, T("Competência 03/2026")}},
                 {5, {T("Chapa"), T("Nome"), T("Valor VT")}},
                 {6, {N(123), T("ANA"), N(280.99)}},
                 {7, {T("000124"), T("BIA"), T("R$ 1.500,00")}}},
                5,
                {{6, "123", 280.99}, {7, "000124", 1500}}},
        CasoAba{"SynonymsWithPunctuationAndAccents",
                {{1, {T("Cód. Funcionário"), T("Código do Usuário"), T("Número do Cartão"), T("Valor (R$)"),
                      T("Tipo Cartão")}},
                 {2, {T("M1"), N(1003), T("77"), N(10), N(2)}}},
                1,
                {{2, "M1", 10, "", "", 2}}},
        CasoAba{"NumberCells",
                {{1, {T("Matrícula"), T("Valor")}},
                 {2, {N(1), N(0.1 + 0.2)}},            // a formula's sum: its dust is no decimal
                 {3, {N(2), N(12.345)}},
                 {4, {N(1234567890123456.0), N(5)}},  // sixteen digits: the last were lost
                 {5, {N(123456789012345.0), N(5)}},   // fifteen are kept
                 {6, {N(3), N(-5)}}},
                1,
                {{2, "1", 0.3},
                 {3, "2", 0, kDecimais},
                 {4, "", 0, kLongo},
                 {5, "123456789012345", 5},
                 {6, "3", 0, "Valor inválido: -5"}}},
        CasoAba{"TotalAndKeylessRows",
                {{1, {T("Matrícula"), T("Nome"), T("Valor")}},
                 {2, {T("M1"), T("ANA"), N(10)}},
                 {3, {V, T("SEM CHAPA"), N(10)}},
                 {4, {V, T("Sem valor"), V}},
                 {5, {V, T("Nome zerado"), N(0)}},
                 {6, {V, T("TOTAL GERAL"), N(20)}},
                 {7, {V, V, T(" tótal do mês"), N(20)}},  // its first text, whatever the column
                 {8, {V, T("Subtotal"), N(20)}},
                 {9, {V, T("Totais"), N(20)}},
                 {10, {T("TOTAL"), V, N(20)}}},  // the label in the key column itself
                1,
                {{2, "M1", 10}, {3, "", 0, kSemChave}, {6, "", 0, "", kTotal}, {7, "", 0, "", kTotal},
                 {8, "", 0, kSemChave}, {9, "", 0, kSemChave}, {10, "", 0, "", kTotal}}},
        CasoAba{"WideNotesBesideTheTableAreNoFault",
                {{1, {T("Matrícula"), T("Valor")}}, {2, {T("M1"), N(10), V, T("conferido")}}},
                1,
                {{2, "M1", 10}}},
        CasoAba{"HeaderBelowTheTwentiethRowIsNotSought",
                comTitulos(20, {{21, {T("Matrícula"), T("Valor")}}, {22, {T("M1"), N(1)}}}),
                0,
                {},
                "Planilha sem a coluna Matrícula, Usuário ou Cartão - colunas encontradas: Folha de pagamento - março"},
        CasoAba{"HeaderOnTheTwentiethRow",
                comTitulos(19, {{20, {T("Registro"), T("VT")}}, {21, {T("M1"), N(1)}}}),
                20,
                {{21, "M1", 1}}},
        CasoAba{"TwoColumnsFitOneKey",
                {{1, {T("Matrícula"), T("Registro"), T("Valor")}}, {2, {T("1"), T("2"), N(1)}}},
                0,
                {},
                "Planilha com mais de uma coluna de Matrícula: Matrícula, Registro"},
        CasoAba{"AnUnknownHeaderMapped",
                {{1, {T("Código"), T("Funcionário"), T("Quantia")}}, {2, {T("M1"), T("ANA"), T("12,50")}}},
                1,
                {{2, "M1", 12.5}},
                "",
                mapa(QStringLiteral("matricula=CODIGO,valor=quantia"))},
        CasoAba{"AMappingSettlesTwoKeys",
                {{1, {T("Matrícula"), T("Registro"), T("Valor")}}, {2, {T("1"), T("2"), N(1)}}},
                1,
                {{2, "2", 1}},
                "",
                mapa(QStringLiteral("matricula=Registro"))},
        CasoAba{"AMappedColumnNotOnTheSheet",
                {{1, {T("Matrícula"), T("Valor")}}, {2, {T("1"), N(1)}}},
                0,
                {},
                "Planilha sem a coluna Chapa - colunas encontradas: Matrícula, Valor",
                mapa(QStringLiteral("matricula=Chapa"))}),
    [](const auto& info) { return std::string(info.param.nome); });

// CSV text goes through the same interpretation: title rows of either
// separator, the header found under them, the values as clerks type them.
struct CasoCsv {
    const char* nome;
    std::string bytes;
    int cabecalho;
    std::vector<Esperado> esperado;
};

class InterpretaCsv : public ::testing::TestWithParam<CasoCsv> {};

TEST_P(InterpretaCsv, FindsTheHeaderAndReadsTheRows)
{
    const CasoCsv& c = GetParam();
    const Planilha p = lePlanilha(c.bytes);
    EXPECT_EQ(p.erroCabecalho, QString());
    EXPECT_EQ(p.linhaCabecalho, c.cabecalho);
    ASSERT_EQ(p.linhas.size(), c.esperado.size());
    for (std::size_t i = 0; i < c.esperado.size(); ++i) {
        EXPECT_EQ(p.linhas[i].linha, c.esperado[i].linha) << i;
        EXPECT_EQ(p.linhas[i].chaves.matricula, c.esperado[i].chave) << i;
        EXPECT_DOUBLE_EQ(p.linhas[i].valor, c.esperado[i].valor) << i;
        EXPECT_EQ(p.linhas[i].erro, QString::fromUtf8(c.esperado[i].erro)) << i;
        EXPECT_EQ(p.linhas[i].informacao, QString::fromUtf8(c.esperado[i].informacao)) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, InterpretaCsv,
    ::testing::Values(
        CasoCsv{"TitleWithACommaAboveASemicolonHeader",
                "Empresa Modelo, filial 2\r\n\r\nFolha de março\r\n\r\nChapa;Funcionário;Valor R$\r\n"
                "000123;ANA;R$ 280,99\r\n;TOTAL;280,99\r\n",
                5,
                {{6, "000123", 280.99}, {7, "", 0, "", kTotal}}},
        CasoCsv{"CommaSeparatedBelowATitle",
                "Folha;;\nMatricula,Nome,Valor\nM1,ANA,\"1.500,00\"\n,,\"3,00\"\n",
                2,
                {{3, "M1", 1500}, {4, "", 0, kSemChave}}}),
    [](const auto& info) { return std::string(info.param.nome); });

// The run: rows without a card type, registrations without their zeros, the
// total row that counts neither way. In the fixture "M001" is a holder of
// card types 1 and 2, "M002" of type 2 alone.
struct CasoRun {
    const char* nome;
    std::string bytes;
    int titular;       // -1: refused
    double valor;
    const char* erro;
};

class LinhasDoRun : public ImportFixture, public ::testing::WithParamInterface<CasoRun> {
protected:
    LinhasDoRun() { m.wRecarga[Vinte].Matricula = "000123"; }
};

TEST_P(LinhasDoRun, MatchOrRefuse)
{
    const CasoRun& c = GetParam();
    const QString caminho = dir.filePath(QStringLiteral("folha.csv"));
    gravaTexto(caminho, c.bytes);
    EXPECT_EQ(run().Importa(caminho, 1), c.titular >= 0);
    for (int t = 0; t <= AlemDoArquivo; ++t)
        EXPECT_EQ(valor(t), t == c.titular ? c.valor : 0.0) << "holder " << t;
    if (c.titular < 0) {
        ASSERT_EQ(run().linhasResultado().size(), 1);
        EXPECT_TRUE(run().linhasResultado()[0].endsWith(QString::fromUtf8(c.erro)))
            << run().linhasResultado()[0].toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, LinhasDoRun,
    ::testing::Values(
        // The window has card type 1 selected; the row names none.
        CasoRun{"TheOneHolderOfAnotherType", "Matrícula;Valor\nM002;30\n", M002Creditos, 30, ""},
        CasoRun{"ARegistrationInTwoTypes", "Matrícula;Valor\nM001;5\n", -1, 0,
                "Matrícula em mais de um tipo de cartão - informe a coluna Tipo"},
        CasoRun{"TheTypeColumnSettlesIt", "Matrícula;Tipo;Valor\nM001;2;5\n", M001Creditos, 5, ""},
        CasoRun{"AUserCodeSettlesIt", "Matrícula;Usuário;Valor\nM001;1002;5\n", M001Creditos, 5, ""},
        CasoRun{"LeadingZerosDropped", "Matrícula;Valor\n123;5\n", Vinte, 5, ""},
        CasoRun{"LeadingZerosAdded", "Matrícula;Valor\n00000123;5\n", Vinte, 5, ""},
        CasoRun{"ZerosOfATextRegistrationCount", "Matrícula;Valor\nM0001;5\n", -1, 0, "Matrícula não encontrada"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(ImportFixture, ATotalRowIsLoggedAndCountsNeitherWay)
{
    const QString caminho = dir.filePath(QStringLiteral("folha.csv"));
    gravaTexto(caminho, "Matrícula;Nome;Valor\nM002;ANA;30\n;TOTAL;30\n");
    EXPECT_TRUE(run().Importa(caminho, 1));
    EXPECT_EQ(run().TotalOk, 1);
    EXPECT_EQ(run().TotalErros, 0);
    EXPECT_TRUE(run().linhasResultado().isEmpty());
    EXPECT_NE(log().find("      Info: Linha de total ignorada\r\n"), std::string::npos) << log();
}

// A workbook's sheets given to the run: the first with a header is read
// (or the one chosen), its own row numbers in the result lines.
TEST_F(ImportFixture, TheSheetChosenIsReadAndNamed)
{
    const QString caminho = dir.filePath(QStringLiteral("folha.csv"));
    gravaTexto(caminho, "");
    std::vector<AbaPlanilha> abas = {
        {QStringLiteral("Capa"), {{1, {T("Folha de março")}}}},
        {QStringLiteral("Março"), {{3, {T("Matrícula"), T("Valor")}}, {4, {T("M002"), N(30)}}, {9, {T("X9"), N(1)}}}},
        {QStringLiteral("Abril"), {{1, {T("Matrícula"), T("Valor")}}, {2, {T("M002"), N(40)}}}}};
    EscolhasPlanilha escolhas;
    escolhas.lido = std::make_shared<const ArquivoPlanilha>(arquivoDasAbas(abas));
    EXPECT_EQ(abasComCabecalho(*escolhas.lido), (std::vector<int>{1, 2}));
    EXPECT_FALSE(run().Importa(caminho, 1, escolhas));
    EXPECT_EQ(run().abaLida(), QStringLiteral("Março"));
    EXPECT_EQ(valor(M002Creditos), 30);
    EXPECT_EQ(run().linhasResultado(),
              QStringList{QStringLiteral("            9   X9                   Matrícula não encontrada")});

    escolhas.aba = QStringLiteral("3");
    EXPECT_TRUE(run().Importa(caminho, 1, escolhas));
    EXPECT_EQ(run().abaLida(), QStringLiteral("Abril"));
    EXPECT_EQ(valor(M002Creditos), 40);
}

TEST(MapaColunas, IsReadFromTheCommandLinesForm)
{
    QString erro;
    const auto m = MapaColunas::doTexto(QStringLiteral("matricula=Cód. Func,VALOR= Vale ,tipo="), &erro);
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->nomes[0], QStringLiteral("Cód. Func"));
    EXPECT_EQ(m->nomes[3], QStringLiteral("Vale"));
    EXPECT_EQ(m->nomes[4], QString());
    EXPECT_FALSE(m->nomes[1].has_value());
    for (const char* ruim : {"matricula", "nome=X", "valor=A,valor=B"}) {
        erro.clear();
        EXPECT_FALSE(MapaColunas::doTexto(QString::fromUtf8(ruim), &erro).has_value()) << ruim;
        EXPECT_FALSE(erro.isEmpty()) << ruim;
    }
}

}  // namespace
}  // namespace pluvexa
