#pragma once

// A main window as start-up builds it (title set, background child added),
// shown offscreen, with scripted dialogs, its own model and a temporary home.

#include "maintenance/tfcadrecarga.h"
#include "recharge/modelo.h"
#include "shell/tfprincipal.h"
#include "shell/tftelafundo.h"
#include "support/scriptedinteraction.h"
#include "support/testenv.h"
#include "support/widgets.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

namespace pluvexa::test {

class JanelaPrincipal : public ::testing::Test {
protected:
    void SetUp() override
    {
        QApplication::setApplicationName(kTituloAplicacao);
        principal = std::make_unique<Tfprincipal>(&interacao, &modelo);
        fundo = new Tftelafundo(*principal);
        principal->adicionaJanela(fundo);
        principal->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(principal.get()));
    }

    QTreeWidgetItem* no(const QString& texto) const
    {
        const auto itens = principal->TVwGeral->findItems(
            texto, Qt::MatchExactly | Qt::MatchRecursive);
        return itens.isEmpty() ? nullptr : itens.first();
    }

    // The object name of the page the maintenance window shows.
    static QString paginaDe(const Tfcadrecarga& janela)
    {
        return filho<QStackedWidget>(janela, "PageControl1")->currentWidget()->objectName();
    }

    // A real left click on the node, as the user does it.
    void clica(const QString& texto)
    {
        QTreeWidgetItem* item = no(texto);
        ASSERT_NE(item, nullptr) << texto.toStdString();
        const QRect r = principal->TVwGeral->visualItemRect(item);
        QTest::mouseClick(principal->TVwGeral->viewport(), Qt::LeftButton, {}, r.center());
    }

    // Names of the child windows in the client area, oldest first.
    QStringList janelas() const
    {
        QStringList nomes;
        for (QMdiSubWindow* s : principal->mdiArea->subWindowList())
            nomes << (s->widget() ? s->widget()->objectName() : QString());
        return nomes;
    }

    QString ativa() const
    {
        QMdiSubWindow* s = principal->mdiArea->currentSubWindow();
        return s && s->widget() ? s->widget()->objectName() : QString();
    }

    TemporaryHome home;
    ScriptedInteraction interacao;
    ModeloRecarga modelo;
    std::unique_ptr<Tfprincipal> principal;
    Tftelafundo* fundo = nullptr;
};

}  // namespace pluvexa::test
