#include "shell/geometriajanela.h"

#include <gtest/gtest.h>
#include <ostream>

// Where GoogleTest looks for it: beside QRect, in the global namespace.
void PrintTo(const QRect& r, std::ostream* os)
{
    *os << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height();
}

namespace pluvexa {
namespace {

struct Abertura {
    const char* nome;
    QSize desejado;
    QRect disponivel;
    QRect esperada;
};

void PrintTo(const Abertura& a, std::ostream* os) { *os << a.nome; }

TEST(TamanhoMinimo, IsTheDesignedSizeLeavingRoomForTheFrameOnSmallAreas)
{
    const struct {
        const char* nome;
        QSize area, esperado;
    } casos[] = {
        {"1366x768", {1366, 768}, {739, 533}},
        {"1366x768 at 150 %", {910, 512}, {739, 464}},
        {"640x480", {640, 480}, {624, 432}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(tamanhoMinimo(QRect(QPoint(0, 0), c.area)), c.esperado);
    }
}

class GeometriaAbertura : public ::testing::TestWithParam<Abertura> {};

TEST_P(GeometriaAbertura, CentredNoLargerThanTheAreaNoSmallerThanDesigned)
{
    const Abertura& a = GetParam();
    EXPECT_EQ(geometriaAbertura(a.desejado, a.disponivel), a.esperada);
}

INSTANTIATE_TEST_SUITE_P(
    Tela, GeometriaAbertura,
    ::testing::Values(
        Abertura{"FitsAndIsCentred", {1000, 660}, {0, 0, 1366, 768}, {183, 54, 1000, 660}},
        Abertura{"SmallWishGrowsToTheDesignedSize", {500, 300}, {0, 0, 1366, 768}, {313, 117, 739, 533}},
        Abertura{"CutToTheArea", {1200, 900}, {0, 0, 1024, 768}, {0, 0, 1024, 768}},
        Abertura{"AreaBelowAPanel", {1000, 700}, {0, 30, 1024, 738}, {12, 49, 1000, 700}},
        Abertura{"ScreenSmallerThanDesigned", {1000, 700}, {0, 0, 640, 480}, {0, 0, 640, 480}},
        Abertura{"SecondScreen", {800, 600}, {1366, 0, 1280, 1024}, {1606, 212, 800, 600}}),
    [](const auto& info) { return std::string(info.param.nome); });

struct Recolocacao {
    const char* nome;
    QRect guardada;
    QList<QRect> disponiveis;
    QRect esperada;
};

void PrintTo(const Recolocacao& r, std::ostream* os) { *os << r.nome; }

class RecolocaNaTela : public ::testing::TestWithParam<Recolocacao> {};

TEST_P(RecolocaNaTela, KeepsAReachablePlaceAndBringsBackALostOne)
{
    const Recolocacao& r = GetParam();
    EXPECT_EQ(recolocaNaTela(r.guardada, r.disponiveis), r.esperada);
}

const QRect kLaptop(0, 0, 1366, 768);
const QRect kDireita(1366, 0, 1920, 1080);

INSTANTIATE_TEST_SUITE_P(
    Tela, RecolocaNaTela,
    ::testing::Values(
        Recolocacao{"KeptWhereItWas", {40, 30, 1000, 700}, {kLaptop}, {40, 30, 1000, 700}},
        Recolocacao{"HangingOffTheEdgeIsPulledIn", {900, 300, 1000, 700}, {kLaptop}, {366, 68, 1000, 700}},
        Recolocacao{"OnTheSecondScreen", {1500, 100, 1000, 700}, {kLaptop, kDireita}, {1500, 100, 1000, 700}},
        Recolocacao{"SecondScreenGoneCentresOnThePrimary", {1500, 100, 1000, 700}, {kLaptop}, {183, 34, 1000, 700}},
        Recolocacao{"FarAboveEveryScreen", {100, -2000, 900, 600}, {kLaptop, kDireita}, {233, 84, 900, 600}},
        Recolocacao{"CaptionAboveTheTopIsLost", {100, -50, 900, 600}, {kLaptop}, {233, 84, 900, 600}},
        Recolocacao{"LargerThanTheScreenNowIsCut", {0, 0, 1920, 1080}, {kLaptop}, {0, 0, 1366, 768}},
        Recolocacao{"SmallerThanDesignedGrows", {10, 10, 400, 300}, {kLaptop}, {10, 10, 739, 533}}),
    [](const auto& info) { return std::string(info.param.nome); });

struct Inicio {
    const char* nome;
    std::optional<QRect> guardada;
    QList<QRect> disponiveis;
    QRect esperada;
};

void PrintTo(const Inicio& i, std::ostream* os) { *os << i.nome; }

class GeometriaInicial : public ::testing::TestWithParam<Inicio> {};

TEST_P(GeometriaInicial, FirstStartTakesThePrimaryAreaThenTheRememberedPlace)
{
    const Inicio& i = GetParam();
    EXPECT_EQ(geometriaInicial(i.guardada, i.disponiveis), i.esperada);
}

INSTANTIATE_TEST_SUITE_P(
    Tela, GeometriaInicial,
    ::testing::Values(
        Inicio{"FirstStartTakesTheWholeArea", std::nullopt, {kLaptop}, kLaptop},
        // 1366x768 at 150 %, a panel at the top: the area below it, whole.
        Inicio{"FirstStartAtOneAndAHalfBelowAPanel", std::nullopt, {{0, 18, 910, 494}}, {0, 18, 910, 494}},
        Inicio{"FirstStartOnThePrimaryOfTwo", std::nullopt, {kDireita, kLaptop}, kDireita},
        Inicio{"RememberedIsKept", QRect(40, 30, 1000, 700), {kLaptop}, {40, 30, 1000, 700}},
        Inicio{"RememberedOffTheScreensIsBroughtBack", QRect(1500, 100, 1000, 700), {kLaptop}, {183, 34, 1000, 700}},
        Inicio{"NoScreenKnown", std::nullopt, {}, QRect()}),
    [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace pluvexa
