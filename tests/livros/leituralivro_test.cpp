// The three workbook readers over files saved by LibreOffice Calc
// (tests/data/planilhas, made by its gera.sh): the same sheet read from
// .xlsx, .ods and .xls gives the same cells.

#include "exchange/livros/leituralivro.h"

#include <gtest/gtest.h>

#include <QString>
#include <vector>

namespace pluvexa {
namespace {

QString dado(const char* nome)
{
    return QStringLiteral(PLUVEXA_TEST_DATA "/planilhas/") + QString::fromUtf8(nome);
}

CelulaPlanilha t(const char* texto)
{
    return {CelulaPlanilha::Tipo::Texto, QString::fromUtf8(texto), 0};
}
CelulaPlanilha n(double numero)
{
    return {CelulaPlanilha::Tipo::Numero, {}, numero};
}
const CelulaPlanilha v{};

struct LinhaEsperada {
    int linha;
    std::vector<CelulaPlanilha> celulas;
};

// A row as readable text, trailing empty cells left out (readers may keep
// them), so that a difference shows at once.
std::string mostra(int linha, std::vector<CelulaPlanilha> celulas)
{
    while (!celulas.empty() && celulas.back().tipo == CelulaPlanilha::Tipo::Vazia)
        celulas.pop_back();
    std::string s = std::to_string(linha) + ":";
    for (const CelulaPlanilha& c : celulas) {
        switch (c.tipo) {
        case CelulaPlanilha::Tipo::Vazia: s += " _"; break;
        case CelulaPlanilha::Tipo::Texto: s += " T[" + c.texto.toStdString() + "]"; break;
        case CelulaPlanilha::Tipo::Numero: s += " N[" + QString::number(c.numero, 'g', 17).toStdString() + "]"; break;
        }
    }
    return s;
}

std::vector<std::string> mostra(const AbaPlanilha& aba)
{
    std::vector<std::string> linhas;
    for (const LinhaTabela& l : aba.linhas)
        linhas.push_back(mostra(l.linha, l.celulas));
    return linhas;
}

std::vector<std::string> mostra(const std::vector<LinhaEsperada>& esperadas)
{
    std::vector<std::string> linhas;
    for (const LinhaEsperada& l : esperadas)
        linhas.push_back(mostra(l.linha, l.celulas));
    return linhas;
}

// folha.fods: a merged title, the company's line, the header, registrations
// as numbers (123, 789) and as text keeping its zeros (000456), a value as
// text ("R$ 40,00"), formulas (301 = 150,5 * 2; the total 451,5), a total
// row; a second sheet with a text of two paragraphs.
const std::vector<LinhaEsperada> kFolha = {
    {1, {t("Folha de Pagamento - Março 2026")}},
    {2, {t("Empresa Exemplo Ltda")}},
    {3, {t("Matrícula"), t("Nome"), t("Tipo"), t("Valor R$")}},
    {4, {n(123), t("ANA PAULA"), n(1), n(150.5)}},
    {5, {t("000456"), t("JOSÉ  DA SILVA"), n(2), t("R$ 40,00")}},
    {6, {n(789), t("MARIA"), v, n(301)}},
    {7, {t("TOTAL"), v, v, n(451.5)}},
};
const std::vector<LinhaEsperada> kResumo = {
    {1, {t("Observação"), t("linha um\nlinha dois")}},
    {2, {v, n(3.25)}},
};

struct Formato {
    const char* arquivo;
    // FreeXL gives no cached result of a formula: those cells of an .xls
    // come empty.
    bool formulas;
};

class MesmaFolha : public testing::TestWithParam<Formato> {};

TEST_P(MesmaFolha, EveryFormatGivesTheSameSheetsRowsAndCells)
{
    std::vector<LinhaEsperada> folha = kFolha;
    if (!GetParam().formulas) {
        folha[5].celulas[3] = v;  // =D4*2
        folha[6].celulas[3] = v;  // =SUM(D4:D6)
    }
    const Livro livro = leLivro(dado(GetParam().arquivo));
    ASSERT_TRUE(livro.ok()) << livro.erro.toStdString();
    ASSERT_EQ(livro.abas.size(), 2u);
    EXPECT_EQ(livro.abas[0].nome, QStringLiteral("Folha Março"));
    EXPECT_EQ(livro.abas[1].nome, QStringLiteral("Resumo"));
    EXPECT_EQ(mostra(livro.abas[0]), mostra(folha));
    EXPECT_EQ(mostra(livro.abas[1]), mostra(kResumo));
}

INSTANTIATE_TEST_SUITE_P(Formatos, MesmaFolha,
                         testing::Values(Formato{"folha.xlsx", true}, Formato{"folha.ods", true},
                                         Formato{"folha.xls", false}));

}  // namespace
}  // namespace pluvexa
