// The program's own spreadsheet of the 10,000-holder demonstration file,
// every value filled, imported back: registrations repeat in it (as in real
// files), so a row is matched by every key it carries. With some key
// columns left out (renamed, so that the import ignores them) the rows the
// remaining keys cannot settle are refused and counted, never given to
// another holder.

#include "central/dadosdemo.h"
#include "exchange/exportacsv.h"
#include "planilhadevolta.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

namespace pluvexa {
namespace {

using namespace test;

// Each holder's own value, not zero, whole for credits and within the
// card type's maximum; neighbours differ, so a value given to the wrong
// holder shows.
double valorProprio(const ModeloRecarga& m, int i)
{
    const Recarga& r = m.wRecarga[std::size_t(i)];
    if (m.wTipoCartao[std::size_t(r.TipoCartao)].Modalidade == Dinheiro)
        return double(1 + (i * 7919) % 59999) / 100.0;
    return double(1 + (i * 7919) % 250);
}

struct CasoIdaEVolta {
    const char* nome;
    // Header names renamed out of the import's sight.
    std::vector<std::pair<std::string, std::string>> semColunas;
    bool todosVoltam;  // every holder comes back (the user code is there)
};

class IdaEVolta : public ::testing::TestWithParam<CasoIdaEVolta> {
protected:
    static void SetUpTestSuite()
    {
        s_modelo = new ModeloRecarga;
        geraModeloDemo(*s_modelo, DemoOptions{10000, 123, 7, 2026}, QDateTime(QDate(2026, 3, 9), QTime(9, 30)));
        for (int i = 0; i < s_modelo->QtdRecarga; ++i)
            s_modelo->wRecarga[std::size_t(i)].Grupo[0].Valor = valorProprio(*s_modelo, i);
    }
    static void TearDownTestSuite()
    {
        delete s_modelo;
        s_modelo = nullptr;
    }
    static ModeloRecarga* s_modelo;
};
ModeloRecarga* IdaEVolta::s_modelo = nullptr;

TEST_P(IdaEVolta, NoHolderGetsAnothersValueAndEveryHolderLeftAtZeroIsCounted)
{
    const ModeloRecarga& m = *s_modelo;
    ASSERT_EQ(m.QtdRecarga, 10000);
    // The demonstration file has what real files have: registrations that
    // two holders of one card type share.
    std::map<std::pair<int, std::string>, int> porMatricula;
    for (int i = 0; i < m.QtdRecarga; ++i)
        if (!m.wRecarga[std::size_t(i)].Matricula.empty())
            ++porMatricula[{m.wRecarga[std::size_t(i)].TipoCartao, m.wRecarga[std::size_t(i)].Matricula}];
    int repetidas = 0;
    for (const auto& [chave, quantos] : porMatricula)
        repetidas += quantos > 1 ? quantos : 0;
    ASSERT_GT(repetidas, 100);

    std::string planilha = geraPlanilha(m);
    const std::size_t fimCabecalho = planilha.find("\r\n");
    for (const auto& [de, para] : GetParam().semColunas) {
        const std::size_t pos = planilha.find(de);
        ASSERT_LT(pos, fimCabecalho) << de;
        planilha.replace(pos, de.size(), para);
    }
    const PlanilhaDeVolta volta(m, planilha);
    const ModeloRecarga& importado = volta.importado;
    const RecargaExterna& run = *volta.run;
    const bool ok = volta.ok;

    int proprios = 0, zerados = 0;
    for (int i = 0; i < m.QtdRecarga; ++i) {
        const double v = importado.wRecarga[std::size_t(i)].Grupo[0].Valor;
        if (v == 0) {
            ++zerados;
            continue;
        }
        EXPECT_EQ(v, valorProprio(m, i)) << "holder " << i << " holds another's value";
        ++proprios;
    }
    EXPECT_EQ(run.TotalOk, proprios);
    EXPECT_EQ(run.TotalErros, zerados);
    EXPECT_EQ(proprios + zerados, m.QtdRecarga);
    EXPECT_EQ(ok, zerados == 0);
    if (GetParam().todosVoltam) {
        EXPECT_EQ(zerados, 0) << run.linhasResultado().mid(0, 5).join(u'\n').toStdString();
        return;
    }
    // By the registration alone, exactly the holders who share theirs (and
    // those without one) stay at 0, each with its reason.
    const int semMatricula = test::semMatricula(m);
    EXPECT_EQ(zerados, repetidas + semMatricula);
    EXPECT_EQ(run.linhasResultado().filter(QStringLiteral("Matrícula repetida no arquivo - informe Usuário ou Cartão"))
                  .size(),
              repetidas);
    EXPECT_EQ(run.linhasResultado().filter(QStringLiteral("Linha sem Matrícula, Usuário ou Cartão")).size(), semMatricula);
}

INSTANTIATE_TEST_SUITE_P(
    Colunas, IdaEVolta,
    ::testing::Values(
        CasoIdaEVolta{"EveryKey", {}, true},
        CasoIdaEVolta{"UserCodeAlone", {{"Cart\xC3\xA3o", "C"}, {"Matr\xC3\xAD" "cula", "M"}}, true},
        CasoIdaEVolta{"RegistrationAndUserCode", {{"Cart\xC3\xA3o", "C"}}, true},
        CasoIdaEVolta{"RegistrationAndCardNumber", {{"Usu\xC3\xA1rio", "U"}}, true},
        CasoIdaEVolta{"RegistrationAlone", {{"Usu\xC3\xA1rio", "U"}, {"Cart\xC3\xA3o", "C"}}, false}),
    [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace pluvexa
