// Test entry point of the cores' tests: a Qt Gui application object
// (offscreen), enough for texts, dates, files, fonts and PDF writing, and no
// widgets. No test reads or writes the user's own settings file.
#include "support/testenv.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir configuracao;
    pluvexa::test::defineConfiguracaoDoProcesso(configuracao.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
