#include "janelaprincipal.h"

#include <QAction>
#include <QMouseEvent>
#include <QTreeWidgetItemIterator>
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
    void SetUp() override
    {
        JanelaPrincipal::SetUp();
        normal = principal->PnlLateral->width();
    }
    int painel() const { return principal->PnlLateral->width(); }
    int arvore() const { return principal->TVwGeral->width(); }
    // The panel's usual width: the designed 133, or more where the font
    // needs it.
    int normal = 0;
};

TEST_F(PainelLateral, StartsAtTheDesignedWidthsWithResizingOff)
{
    EXPECT_GE(painel(), 133);
    EXPECT_EQ(arvore(), painel() - 2);
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
    bool largo;  // 281 and 280, else the usual widths
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
    EXPECT_EQ(painel(), GetParam().largo ? 281 : normal);
    EXPECT_EQ(arvore(), GetParam().largo ? 280 : normal - 2);
}

INSTANTIATE_TEST_SUITE_P(PorPosicao, Alargamento,
                         ::testing::Values(Movimento{true, {10}, true},
                                           Movimento{true, {0}, true},
                                           Movimento{true, {10, 131}, true},
                                           Movimento{true, {10, 132}, false},
                                           Movimento{true, {10, 250}, false},
                                           Movimento{true, {10, 200, 20}, true},
                                           Movimento{false, {10}, false},
                                           Movimento{false, {0, 131}, false}));

TEST_F(PainelLateral, ReleasingAButtonRestoresTheSavedWidths)
{
    principal->ppmredaut->trigger();
    move(20);
    ASSERT_EQ(painel(), 281);
    solta();
    EXPECT_EQ(painel(), normal);
    EXPECT_EQ(arvore(), normal - 2);
}

TEST_F(PainelLateral, SwitchingOffWhileWideShrinksAtTheNextMove)
{
    principal->ppmredaut->trigger();
    move(20);
    ASSERT_EQ(painel(), 281);
    principal->ppmredaut->trigger();
    move(20);
    EXPECT_EQ(painel(), normal);
    EXPECT_EQ(arvore(), normal - 2);
}

TEST_F(PainelLateral, ReleaseBeforeAnyMoveKeepsThePanel)
{
    solta();
    EXPECT_EQ(painel(), normal);
    EXPECT_EQ(arvore(), normal - 2);
}

// Widened, the panel covers the left of the client area: the work window
// keeps its size, so its page never loses its right edge to the tree.
TEST_F(PainelLateral, WideningCoversTheClientAreaWithoutNarrowingIt)
{
    const QRect area = principal->mdiArea->geometry();
    principal->ppmredaut->trigger();
    move(20);
    ASSERT_EQ(painel(), 281);
    QCoreApplication::processEvents();
    EXPECT_EQ(principal->mdiArea->geometry(), area);
    EXPECT_EQ(principal->PnlLateral->geometry().left(), area.left() - normal);
    EXPECT_EQ(principal->PnlLateral->height(), area.height());
    // Above the client area, so it is seen.
    const QPoint dentro = principal->mdiArea->mapTo(principal->centralWidget(), QPoint(100, 100));
    EXPECT_EQ(principal->centralWidget()->childAt(dentro)->window(), principal.get());
    EXPECT_TRUE(principal->PnlLateral->isAncestorOf(principal->centralWidget()->childAt(dentro))
                || principal->centralWidget()->childAt(dentro) == principal->PnlLateral);
    solta();
    EXPECT_EQ(painel(), normal);
}

// Every node's text shows whole at the usual width, "Carga Arquivos" the
// longest.
TEST_F(PainelLateral, EveryNodeTextShowsWhole)
{
    const QTreeWidget* arvore = principal->TVwGeral;
    const QFontMetrics fm(arvore->font());
    for (QTreeWidgetItemIterator it(principal->TVwGeral); *it; ++it) {
        const QRect r = arvore->visualItemRect(*it);
        const int precisa = arvore->iconSize().width() + fm.horizontalAdvance((*it)->text(0));
        EXPECT_LE(r.left() + precisa, arvore->viewport()->width()) << (*it)->text(0).toStdString();
    }
}

}  // namespace
}  // namespace pluvexa::test
