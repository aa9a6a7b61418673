// The settings file is the user's to read or delete, and the program's own:
// QSettings opens it (and its ".lock", to write) itself, following links
// and waiting on a FIFO, so anything but a small regular file there is
// neither read nor written, and the defaults apply.

#include "review/conferencia.h"
#include "support/arquivosteste.h"
#include "support/incomuns.h"
#include "support/testenv.h"
#include "ui/configuracao.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using test::Incomum;

TEST(Configuracao, IsTheFileQtKeepsForTheUserAndIsReadAndKept)
{
    test::TemporaryHome home;
    const QSettings qt(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Drovanti"),
                       QStringLiteral("Pluvexa"));
    EXPECT_EQ(Configuracao::arquivo(), qt.fileName());
    Configuracao::guardaLimiteConferencia(200);
    EXPECT_EQ(Configuracao::limiteConferencia(), 200);
    EXPECT_TRUE(test::le(Configuracao::arquivo()).contains("Limite=200"));
}

struct CasoIncomum {
    Incomum incomum;
    bool daTrava;  // under the ".lock" beside it instead
};

void PrintTo(const CasoIncomum& c, std::ostream* os)
{
    test::PrintTo(c.incomum, os);
    *os << (c.daTrava ? "_as_its_lock" : "");
}

class ConfiguracaoIncomum : public ::testing::TestWithParam<CasoIncomum> {};

TEST_P(ConfiguracaoIncomum, GivesTheDefaultsAndIsLeftAsItWas)
{
    const CasoIncomum& c = GetParam();
    test::TemporaryHome home;
    const QString arquivo = Configuracao::arquivo();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(arquivo).absolutePath()));
    const QString onde = c.daTrava ? arquivo + QStringLiteral(".lock") : arquivo;
    QString porque;
    if (!test::criaIncomum(c.incomum, onde, &porque))
        GTEST_SKIP() << "cannot make it here: " << porque.toStdString();
    EXPECT_EQ(Configuracao::limiteConferencia(), kLimitePadrao);
    Configuracao::guardaLimiteConferencia(300);
    Configuracao::guardaLargurasGrade({10, 20});
    EXPECT_EQ(Configuracao::limiteConferencia(), kLimitePadrao);
    EXPECT_TRUE(Configuracao::largurasGrade().isEmpty());
    EXPECT_TRUE(test::aindaIncomum(c.incomum, onde));
}

INSTANTIATE_TEST_SUITE_P(
    Configuracao, ConfiguracaoIncomum,
    ::testing::Values(CasoIncomum{Incomum::Pasta, false}, CasoIncomum{Incomum::Dispositivo, false},
                      CasoIncomum{Incomum::Fifo, false}, CasoIncomum{Incomum::LigacaoZero, false},
                      CasoIncomum{Incomum::Ligacao, false}, CasoIncomum{Incomum::Fifo, true},
                      CasoIncomum{Incomum::LigacaoZero, true}));

TEST(Configuracao, AFileLargerThanAnyOfOursIsNeitherReadNorReplaced)
{
    test::TemporaryHome home;
    const QString arquivo = Configuracao::arquivo();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(arquivo).absolutePath()));
    const QByteArray grande = "[Conferencia]\nLimite=200\n" + QByteArray(64 * 1024, ';');
    test::grava(arquivo, grande);
    EXPECT_EQ(Configuracao::limiteConferencia(), kLimitePadrao);
    Configuracao::guardaLimiteConferencia(300);
    EXPECT_EQ(test::le(arquivo), grande);
}

}  // namespace
}  // namespace pluvexa
