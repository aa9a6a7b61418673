// An exception thrown from an event handler is shown in the error box and
// the program goes on.

#include "recharge/empacotamento.h"
#include "support/scriptedinteraction.h"
#include "ui/application.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace pluvexa {
namespace {

// A widget whose key handler runs what the test gives it.
class Alvo : public QWidget {
public:
    std::function<void()> aoTeclar;

protected:
    void keyPressEvent(QKeyEvent*) override
    {
        if (aoTeclar)
            aoTeclar();
    }
};

class ExcecaoEmTratador : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = Application::instance();
        ASSERT_NE(app, nullptr);
        anterior = app->interaction();
        app->setInteraction(&dialogos);
    }
    void TearDown() override
    {
        if (app)
            app->setInteraction(anterior);
    }

    Application* app = nullptr;
    Interaction* anterior = nullptr;
    test::ScriptedInteraction dialogos;
};

TEST_F(ExcecaoEmTratador, AClickHandlersFailureIsShownAndTheNextClickRuns)
{
    QPushButton botao(QStringLiteral("Salvar"));
    int cliques = 0;
    QObject::connect(&botao, &QPushButton::clicked, [&cliques] {
        if (++cliques == 1)
            throw ErroArquivo("Não foi possível criar /x/TMP1.REC");
    });
    botao.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&botao));

    dialogos.expectError(QStringLiteral("Não foi possível criar /x/TMP1.REC"));
    QTest::mouseClick(&botao, Qt::LeftButton);
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(cliques, 1);

    QTest::mouseClick(&botao, Qt::LeftButton);
    EXPECT_EQ(cliques, 2);
    EXPECT_TRUE(botao.isVisible());
}

TEST_F(ExcecaoEmTratador, AnythingThrownFromAnEventOverrideIsShownToo)
{
    Alvo alvo;
    alvo.aoTeclar = [] { throw 42; };
    alvo.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&alvo));
    dialogos.expectError(QStringLiteral("Erro inesperado: a operação foi interrompida."));
    QTest::keyClick(&alvo, Qt::Key_A);
    EXPECT_TRUE(dialogos.allConsumed());
}

TEST_F(ExcecaoEmTratador, APostedEventsFailureIsShownByTheEventLoop)
{
    Alvo alvo;
    bool depois = false;
    alvo.aoTeclar = [] { throw std::runtime_error("falha no tratador"); };
    alvo.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&alvo));
    dialogos.expectError(QStringLiteral("falha no tratador"));
    QCoreApplication::postEvent(&alvo, new QKeyEvent(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier));
    QMetaObject::invokeMethod(&alvo, [&depois] { depois = true; }, Qt::QueuedConnection);
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_TRUE(depois);
}

}  // namespace
}  // namespace pluvexa
