#include "janelaprincipal.h"

#include "codec/builtinkeys.h"
#include "shell/informacoesprograma.h"
#include "shell/tfsobre.h"

#include <QLabel>

namespace pluvexa::test {
namespace {

using Sobre = JanelaPrincipal;

// A build with the repository's keys must never pass for a company's own:
// the warning shows exactly when the compiled-in keys are the demonstration
// ones, and a screen reader hears it too.
TEST_F(Sobre, WarnsWhenBuiltWithTheDemonstrationKeys)
{
    Tfsobre sobre(*principal);
    sobre.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sobre));
    EXPECT_EQ(sobre.Chaves->isVisible(), builtin_keys_are_demonstration());
    EXPECT_EQ(sobre.Chaves->text(), kAvisoChavesDemonstracao);
    EXPECT_EQ(sobre.Chaves->accessibleName(), kAvisoChavesDemonstracao);
    if (builtin_keys_are_demonstration()) {
        const QRect area = sobre.rect();
        EXPECT_TRUE(area.contains(QRect(sobre.Chaves->mapTo(&sobre, QPoint(0, 0)), sobre.Chaves->size())))
            << "the warning must lie inside the fixed-size box";
    }
}

}  // namespace
}  // namespace pluvexa::test
