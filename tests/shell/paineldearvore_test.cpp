#include "janelaprincipal.h"

#include <QAction>
#include <QMouseEvent>
#include <ostream>

namespace pluvexa::test {
namespace {

// Mouse events go straight to the tree's viewport: the platform drops a
// move to where the pointer already is, which would make tests depend on
// each other.
class PainelLateral : public JanelaPrincipal {
protected:
    void envia(QEvent::Type tipo, int x, Qt::MouseButton botao, Qt::MouseButtons botoes)
    {
        QWidget* vp = principal->TVwGeral->viewport();
        const QPointF p(x, 40);
        QMouseEvent e(tipo, p, vp->mapToGlobal(p), botao, botoes, Qt::NoModifier);
        QApplication::sendEvent(vp, &e);
    }
    void move(int x) { envia(QEvent::MouseMove, x, Qt::NoButton, Qt::NoButton); }
    void solta() { envia(QEvent::MouseButtonRelease, 60, Qt::RightButton, Qt::NoButton); }
    int painel() const { return principal->PnlLateral->width(); }
    int arvore() const { return principal->TVwGeral->width(); }
};

TEST_F(PainelLateral, StartsAtTheDesignedWidthsWithResizingOff)
{
    EXPECT_EQ(painel(), 133);
    EXPECT_EQ(arvore(), 131);
    EXPECT_FALSE(principal->ppmredaut->isChecked());
    EXPECT_FALSE(principal->redimensiona());
    EXPECT_EQ(principal->ppmredaut->text(), QStringLiteral("Redimensionamento Automático"));
}

TEST_F(PainelLateral, PopupItemTogglesTheSwitch)
{
    principal->ppmredaut->trigger();
    EXPECT_TRUE(principal->ppmredaut->isChecked());
    EXPECT_TRUE(principal->redimensiona());
    principal->ppmredaut->trigger();
    EXPECT_FALSE(principal->ppmredaut->isChecked());
    EXPECT_FALSE(principal->redimensiona());
}

// With the switch on or off, moves to these x (tree coordinates) in order,
// then the widths of the panel and of the tree.
struct Movimento {
    bool ligado;
    std::vector<int> xs;
    int painel;
    int arvore;
};

void PrintTo(const Movimento& m, std::ostream* os)
{
    *os << (m.ligado ? "on," : "off,");
    for (int x : m.xs)
        *os << " x=" << x;
}

class Alargamento : public PainelLateral, public ::testing::WithParamInterface<Movimento> {};

TEST_P(Alargamento, MouseOverTheTreeSetsTheWidths)
{
    if (GetParam().ligado)
        principal->ppmredaut->trigger();
    for (int x : GetParam().xs)
        move(x);
    EXPECT_EQ(painel(), GetParam().painel);
    EXPECT_EQ(arvore(), GetParam().arvore);
}

INSTANTIATE_TEST_SUITE_P(PorPosicao, Alargamento,
                         ::testing::Values(Movimento{true, {10}, 281, 280},
                                           Movimento{true, {0}, 281, 280},
                                           Movimento{true, {10, 131}, 281, 280},
                                           Movimento{true, {10, 132}, 133, 131},
                                           Movimento{true, {10, 250}, 133, 131},
                                           Movimento{true, {10, 200, 20}, 281, 280},
                                           Movimento{false, {10}, 133, 131},
                                           Movimento{false, {0, 131}, 133, 131}));

TEST_F(PainelLateral, ReleasingAButtonRestoresTheSavedWidths)
{
    principal->ppmredaut->trigger();
    move(20);
    ASSERT_EQ(painel(), 281);
    solta();
    EXPECT_EQ(painel(), 133);
    EXPECT_EQ(arvore(), 131);
}

TEST_F(PainelLateral, SwitchingOffWhileWideShrinksAtTheNextMove)
{
    principal->ppmredaut->trigger();
    move(20);
    ASSERT_EQ(painel(), 281);
    principal->ppmredaut->trigger();
    move(20);
    EXPECT_EQ(painel(), 133);
    EXPECT_EQ(arvore(), 131);
}

TEST_F(PainelLateral, ReleaseBeforeAnyMoveKeepsThePanel)
{
    solta();
    EXPECT_EQ(painel(), 133);
    EXPECT_EQ(arvore(), 131);
}

TEST_F(PainelLateral, WideningLeavesTheRestToTheClientArea)
{
    principal->ppmredaut->trigger();
    move(20);
    ASSERT_TRUE(QTest::qWaitFor([&] { return principal->mdiArea->x() == 281; }));
    EXPECT_EQ(principal->mdiArea->width(), principal->centralWidget()->width() - 281);
}

}  // namespace
}  // namespace pluvexa::test
