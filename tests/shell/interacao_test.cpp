// The real dialogs give the keyboard back: after a message box the widget
// that had the focus has it again, so the operator's next keys land there.

#include "ui/qtinteraction.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

// Closes the modal box as soon as it shows, as the operator's Enter would.
void fechaAoAbrir()
{
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->done(0);
        else
            fechaAoAbrir();
    });
}

TEST(InteracaoReal, TheFocusGoesBackWhereItWasAfterEachBox)
{
    QWidget janela;
    auto* layout = new QVBoxLayout(&janela);
    auto* localizar = new QLineEdit(&janela);
    auto* outro = new QLineEdit(&janela);
    layout->addWidget(localizar);
    layout->addWidget(outro);
    janela.show();
    janela.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
    localizar->setFocus();
    ASSERT_TRUE(localizar->hasFocus());

    QtInteraction ui(&janela);
    fechaAoAbrir();
    ui.notice(QStringLiteral("Valor Inválido - Verifique!"), Interaction::Icon::None, QStringLiteral("Pluvexa"));
    EXPECT_EQ(QApplication::focusWidget(), localizar);
    fechaAoAbrir();
    ui.errorBox(QStringLiteral("falha"));
    EXPECT_EQ(QApplication::focusWidget(), localizar);
    fechaAoAbrir();
    ui.confirm(QStringLiteral("?"), {QStringLiteral("Sim"), QStringLiteral("Não")}, Interaction::Icon::None,
               QStringLiteral("Pluvexa"), 1);
    EXPECT_EQ(QApplication::focusWidget(), localizar);
    // The next keys reach it.
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ana"));
    EXPECT_EQ(localizar->text(), QStringLiteral("ana"));
    EXPECT_TRUE(outro->text().isEmpty());
}

}  // namespace
}  // namespace pluvexa
