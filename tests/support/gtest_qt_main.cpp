// Test entry point: the program's application object (offscreen in CI) for
// the widget tests. An exception escaping an event handler would show the
// program's error box; here that box is a test failure naming it, unless a
// test puts its own dialogs in place. No test reads or writes the user's own
// settings file.
#include "support/scriptedinteraction.h"
#include "support/testenv.h"
#include "ui/application.h"

#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    pluvexa::Application app(argc, argv);
    QTemporaryDir configuracao;
    pluvexa::test::defineConfiguracaoDoProcesso(configuracao.path());
    pluvexa::test::ScriptedInteraction nenhumErroEsperado;
    app.setInteraction(&nenhumErroEsperado);
    ::testing::InitGoogleTest(&argc, argv);
    const int r = RUN_ALL_TESTS();
    app.setInteraction(nullptr);
    return r;
}
