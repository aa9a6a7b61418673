// Every window of the program, walked as a screen reader walks it: the main
// window with its tree and menus, the transfer and history windows (the
// history with a comparison shown), the manual and the about box. No
// control the operator acts on goes unnamed. (The maintenance window's
// pages are walked by its own suite.)

#include "janelaprincipal.h"

#include "central/dadosdemo.h"
#include "files/pastastrabalho.h"
#include "help/tfmanual.h"
#include "history/tfhistorico.h"
#include "shell/tfsobre.h"
#include "support/arquivosteste.h"
#include "support/arvoreacessivel.h"
#include "support/loteguardado.h"

#include <QDir>
#include <QPushButton>

namespace pluvexa::test {
namespace {

class Acessibilidade : public JanelaPrincipal {
protected:
    QWidget* abre(const char* no)
    {
        clica(QString::fromUtf8(no));
        QMdiSubWindow* sub = principal->mdiArea->currentSubWindow();
        return sub ? sub->widget() : nullptr;
    }
};

TEST_F(Acessibilidade, NoWindowHasAnUnnamedControl)
{
    EXPECT_EQ(controlesSemNome(principal.get()), QStringList()) << "main window";

    QWidget* carga = abre("Carga Arquivos");
    ASSERT_NE(carga, nullptr);
    EXPECT_EQ(controlesSemNome(carga), QStringList()) << "Carga Arquivos";

    // Two kept months, compared, so the comparison and its totals show.
    ASSERT_TRUE(criaPastasTrabalho());
    ModeloRecarga mes;
    DemoOptions o;
    o.holders = 10;
    geraModeloDemo(mes, o, QDateTime(QDate(2026, 11, 1), QTime(9, 0)));
    for (const char* nome : {"PX_00123_0007_2611101530_2.HIS", "PX_00123_0008_2612101530_2.HIS"})
        grava(QDir(pastaHistorico()).filePath(QString::fromLatin1(nome)),
              loteGuardado(mes, QString::fromLatin1(nome), QDateTime(QDate(2026, 12, 10), QTime(15, 30))));
    auto* historico = qobject_cast<Tfhistorico*>(abre("Histórico"));
    ASSERT_NE(historico, nullptr);
    historico->selecionaLotes({0, 1});
    historico->btncomparar->click();
    ASSERT_TRUE(interacao.shown().isEmpty()) << interacao.shown().join(u'\n').toStdString();
    EXPECT_EQ(controlesSemNome(historico), QStringList()) << "Histórico";

    Tfmanual* manual = mostraManual(principal.get());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(manual));
    EXPECT_EQ(controlesSemNome(manual), QStringList()) << "manual";
    manual->close();

    principal->mostraSobre();
    auto* sobre = principal->findChild<Tfsobre*>();
    ASSERT_NE(sobre, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sobre));
    EXPECT_EQ(controlesSemNome(sobre), QStringList()) << "Sobre";
    sobre->close();
}

}  // namespace
}  // namespace pluvexa::test
