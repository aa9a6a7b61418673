#include "history/core/comparacaocsv.h"

#include <gtest/gtest.h>

namespace pluvexa {
namespace {

LinhaComparacao linha(int usuario, int tipo, const char* nome, bool creditos, std::optional<double> a,
                      std::optional<double> b, Situacao s)
{
    LinhaComparacao l;
    l.usuario = usuario;
    l.tipo = tipo;
    l.nome = std::string(nome) + std::string(10, ' ');
    l.creditos = creditos;
    l.valorA = a;
    l.valorB = b;
    l.situacao = s;
    return l;
}

TEST(ComparacaoCsv, FieldsOfEachSituationMoneyAndCredits)
{
    EXPECT_EQ(camposComparacao(linha(10, 1, "ANA", false, 1234.5, 1234.5, Situacao::Igual)).join(u';'),
              "10;1;ANA;1234,50;1234,50;0,00;Igual");
    EXPECT_EQ(camposComparacao(linha(20, 1, "JO\xC3O", false, 20.25, 0, Situacao::Alterado)).join(u';'),
              QStringLiteral("20;1;JOÃO;20,25;0,00;-20,25;Alterado"));
    EXPECT_EQ(camposComparacao(linha(30, 2, "EVA", true, std::nullopt, 12, Situacao::Novo)).join(u';'),
              "30;2;EVA;;12;12;Novo");
    EXPECT_EQ(camposComparacao(linha(40, 1, "LUIZ", false, 9.9, std::nullopt, Situacao::Saiu)).join(u';'),
              "40;1;LUIZ;9,90;;-9,90;Saiu");
    // A name holding the separator or a quote stays one field.
    EXPECT_EQ(camposComparacao(linha(50, 1, "A;B \"C\"", false, 1, 1, Situacao::Igual)).at(2),
              "\"A;B \"\"C\"\"\"");
}

TEST(ComparacaoCsv, TheSpreadsheetHasAByteOrderMarkAndCrLfLineEnds)
{
    const std::string s = planilhaComparacao({linha(10, 1, "ANA", false, 1, 2, Situacao::Alterado)});
    EXPECT_EQ(s, "\xEF\xBB\xBF" "Usu\xC3\xA1rio;Tipo;Nome;Valor A;Valor B;Diferen\xC3\xA7" "a;Situa\xC3\xA7\xC3\xA3o\r\n"
                 "10;1;ANA;1,00;2,00;1,00;Alterado\r\n");
    EXPECT_EQ(planilhaComparacao({}).size(), std::string("\xEF\xBB\xBF").size() + cabecalhoComparacaoCsv().toUtf8().size() + 2);
}

}  // namespace
}  // namespace pluvexa
