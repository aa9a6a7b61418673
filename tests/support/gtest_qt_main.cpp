// Test entry point: a QApplication (offscreen in CI) for the widget tests.
// No test reads or writes the user's own settings file.
#include "support/testenv.h"

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir configuracao;
    pluvexa::test::defineConfiguracaoDoProcesso(configuracao.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
