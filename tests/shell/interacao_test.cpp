// The real dialogs give the keyboard back: after a message box the widget
// that had the focus has it again, so the operator's next keys land there.

#include "ui/qtinteraction.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewDialog>
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

// "Salvar PDF" in the real preview: once the file is written the preview's
// title names it and a line under the pages gives its path; a save given
// up leaves both as they were.
TEST(InteracaoReal, ThePreviewNamesThePdfItSaved)
{
    struct Caso {
        QString gravado;
        QString titulo;
        QString aviso;  // the line beside the button; empty: not shown
    };
    for (const Caso& c : {Caso{QStringLiteral("/tmp/pasta/Listagem 0007.pdf"),
                               QStringLiteral("Visualização da Impressão - Listagem 0007.pdf"),
                               QStringLiteral("PDF gravado: /tmp/pasta/Listagem 0007.pdf")},
                          Caso{QString(), QStringLiteral("Visualização da Impressão"), QString()}}) {
        QString titulo;
        QString aviso;
        bool avisoVisivel = true;
        QTimer::singleShot(0, [&] {
            auto* previa = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(previa, nullptr);
            auto* salvar = previa->findChild<QAction*>(QStringLiteral("salvarPdf"));
            ASSERT_NE(salvar, nullptr);
            auto* linha = previa->findChild<QLabel*>(QStringLiteral("lblpdfgravado"));
            ASSERT_NE(linha, nullptr);
            EXPECT_FALSE(linha->isVisible());
            salvar->trigger();
            titulo = previa->windowTitle();
            aviso = linha->text();
            avisoVisivel = linha->isVisible();
            previa->reject();
        });
        int salvos = 0;
        QtInteraction().printPreview([](QPagedPaintDevice*) {}, [&salvos, &c] {
            ++salvos;
            return c.gravado;
        });
        EXPECT_EQ(salvos, 1);
        EXPECT_EQ(titulo, c.titulo);
        EXPECT_EQ(aviso, c.aviso);
        EXPECT_EQ(avisoVisivel, !c.aviso.isEmpty());
    }
}

}  // namespace
}  // namespace pluvexa
