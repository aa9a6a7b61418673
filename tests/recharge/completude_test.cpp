// What makes a recharge text whole, and the words for what it lacks.

#include "recharge/completude.h"
#include "recharge/linhastexto.h"

#include <gtest/gtest.h>

#include "recordfixture.h"

namespace pluvexa {
namespace {

using namespace pluvexa::test;

// The example text (9 records, its trailer counting 9), whole or cut.
struct CasoTexto {
    const char* nome;
    std::vector<Texto> (*texto)();
    Completude::Falta falta;
    const char* linhaLog;
    const char* motivo;
};

std::vector<Texto> inteiro() { return arquivoExemplo(); }
std::vector<Texto> semUltimaLinha()
{
    auto l = arquivoExemplo();
    l.pop_back();
    return l;
}
std::vector<Texto> cortadoNoMeio()
{
    auto l = arquivoExemplo();
    l.resize(5);
    return l;
}
std::vector<Texto> semDetalhe()
{
    auto l = arquivoExemplo();
    l.erase(l.begin() + 6);
    return l;
}
std::vector<Texto> semPrimeiraLinha()
{
    auto l = arquivoExemplo();
    l.erase(l.begin());
    return l;
}
std::vector<Texto> soHeader() { return {headerLinha()}; }
std::vector<Texto> vazio() { return {}; }
std::vector<Texto> emBranco() { return {"", "   ", Texto(5, '\0'), "\t"}; }
std::vector<Texto> comEventoDesconhecido()
{
    auto l = arquivoExemplo();
    l.insert(l.begin() + 6, "07 UNKNOWN");
    l.back() = trailerLinha(10, 2, 1, 0, 0);
    return l;
}
std::vector<Texto> comLinhasEmBranco()
{
    auto l = arquivoExemplo();
    l.insert(l.begin() + 3, "   ");
    l.insert(l.begin(), "");
    l.push_back("\t");
    return l;
}
std::vector<Texto> doisTextosJuntos()
{
    auto l = arquivoExemplo();
    const auto b = arquivoExemplo();
    l.insert(l.end(), b.begin(), b.end());
    l.back() = trailerLinha(18, 2, 1, 0, 0);
    return l;
}
std::vector<Texto> trailerNoMeio()
{
    auto l = arquivoExemplo();
    l.insert(l.begin() + 3, trailerLinha(9, 0, 0, 0, 0));
    l.back() = trailerLinha(10, 2, 1, 0, 0);
    return l;
}
std::vector<Texto> trailerSemContagem()
{
    auto l = arquivoExemplo();
    l.back() = "99000000";
    return l;
}
std::vector<Texto> contagemQueNaoENumero()
{
    auto l = arquivoExemplo();
    l.back().replace(2, 10, "00000000X9");
    return l;
}
std::vector<Texto> contagemNegativa()
{
    auto l = arquivoExemplo();
    l.back().replace(2, 10, "-000000009");
    return l;
}

using F = Completude::Falta;

class TextoInteiro : public ::testing::TestWithParam<CasoTexto> {};

TEST_P(TextoInteiro, IsWholeOrSaysWhatItLacks)
{
    const CasoTexto& c = GetParam();
    const Completude r = confereCompleto(c.texto());
    EXPECT_EQ(r.falta, c.falta);
    EXPECT_EQ(r.completa(), c.falta == F::Nada);
    EXPECT_EQ(r.linhaLog(), QString::fromUtf8(c.linhaLog));
    EXPECT_EQ(r.motivo(), QString::fromUtf8(c.motivo));
    if (!r.completa()) {
        EXPECT_EQ(r.textoIngles(QStringLiteral("/x/t.txt")),
                  QStringLiteral("\"/x/t.txt\" is incomplete: ") + QString::fromUtf8(c.motivo));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Completude, TextoInteiro,
    ::testing::Values(
        CasoTexto{"Whole", inteiro, F::Nada, "", ""},
        CasoTexto{"WholeWithAnUnknownRecordCounted", comEventoDesconhecido, F::Nada, "", ""},
        CasoTexto{"WholeWithBlankLinesNotCounted", comLinhasEmBranco, F::Nada, "", ""},
        CasoTexto{"CutBeforeTheTrailer", semUltimaLinha, F::Trailer, " ==> Arquivo incompleto: sem Trailer ",
                  "no trailer"},
        CasoTexto{"CutAtALineEndInTheMiddle", cortadoNoMeio, F::Trailer, " ==> Arquivo incompleto: sem Trailer ",
                  "no trailer"},
        CasoTexto{"ADetailMissing", semDetalhe, F::Registros,
                  " ==> Arquivo incompleto: o Trailer informa 9 registros e foram lidos 8 ",
                  "the trailer counts 9 records, 8 were read"},
        CasoTexto{"NoHeader", semPrimeiraLinha, F::Header, " ==> Arquivo incompleto: sem Header ", "no header"},
        CasoTexto{"HeaderOnly", soHeader, F::Trailer, " ==> Arquivo incompleto: sem Trailer ", "no trailer"},
        CasoTexto{"Empty", vazio, F::Header, " ==> Arquivo incompleto: sem Header ", "no header"},
        CasoTexto{"BlanksAndNulOnly", emBranco, F::Header, " ==> Arquivo incompleto: sem Header ", "no header"},
        CasoTexto{"TwoTextsJoinedHaveTwoHeaders", doisTextosJuntos, F::Header,
                  " ==> Arquivo incompleto: sem Header ", "no header"},
        CasoTexto{"ATrailerInside", trailerNoMeio, F::Trailer, " ==> Arquivo incompleto: sem Trailer ",
                  "no trailer"},
        CasoTexto{"TrailerCutInItsCount", trailerSemContagem, F::Trailer, " ==> Arquivo incompleto: sem Trailer ",
                  "no trailer"},
        CasoTexto{"TrailerCountNoNumber", contagemQueNaoENumero, F::Trailer,
                  " ==> Arquivo incompleto: sem Trailer ", "no trailer"},
        CasoTexto{"TrailerCountNegative", contagemNegativa, F::Registros,
                  " ==> Arquivo incompleto: o Trailer informa -9 registros e foram lidos 9 ",
                  "the trailer counts -9 records, 9 were read"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Completude, AllNulTextSplitsIntoNoLineAndHasNoHeader)
{
    std::vector<Texto> linhas;
    ASSERT_TRUE(divideTexto(std::string_view("\0\0\0\0\r\n\0", 7), linhas));
    EXPECT_EQ(confereCompleto(linhas).falta, Completude::Falta::Header);
}

}  // namespace
}  // namespace pluvexa
