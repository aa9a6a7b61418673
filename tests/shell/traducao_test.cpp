// Qt's own dialogs speak the program's language: the file chooser's labels
// and buttons and the print preview's actions, whatever the system's.

#include "ui/traducao.h"

#include <QAbstractFileIconProvider>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

class Portugues : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_localeAnterior = QLocale();
        m_traducao = instalaPortugues(*qApp);
        if (!m_traducao)
            GTEST_SKIP() << "Qt's Brazilian Portuguese translation is not installed (qt6-translations-l10n)";
    }
    void TearDown() override
    {
        if (m_traducao) {
            QCoreApplication::removeTranslator(m_traducao);
            delete m_traducao;
        }
        QLocale::setDefault(m_localeAnterior);
    }

    QTranslator* m_traducao = nullptr;
    QLocale m_localeAnterior;
};

QStringList textos(const QWidget& w)
{
    QStringList t;
    for (const QPushButton* b : w.findChildren<QPushButton*>())
        t << b->text();
    for (const QLabel* l : w.findChildren<QLabel*>())
        t << l->text();
    return t;
}

TEST_F(Portugues, TheFileChooserReadsInPortuguese)
{
    EXPECT_EQ(QLocale().name(), QStringLiteral("pt_BR"));
    QFileDialog escolha(nullptr, QStringLiteral("Importar Arquivo"));
    escolha.setOption(QFileDialog::DontUseNativeDialog);
    escolha.setAcceptMode(QFileDialog::AcceptOpen);
    const QStringList t = textos(escolha);
    for (const char* ingles : {"&Open", "Cancel", "Look in:", "File &name:", "Files of type:"})
        EXPECT_FALSE(t.contains(QString::fromLatin1(ingles))) << ingles << "\n" << t.join(u'|').toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("&Abrir")) || t.contains(QStringLiteral("Abrir"))) << t.join(u'|').toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("Cancelar"))) << t.join(u'|').toStdString();
}

TEST_F(Portugues, ThePrintPreviewsActionsReadInPortuguese)
{
    QPrinter impressora;
    QPrintPreviewDialog previa(&impressora);
    QStringList dicas;
    for (const QAction* a : previa.findChildren<QAction*>())
        dicas << a->toolTip() << a->text();
    EXPECT_FALSE(dicas.contains(QStringLiteral("Print"))) << dicas.join(u'|').toStdString();
    EXPECT_FALSE(dicas.contains(QStringLiteral("Zoom in"))) << dicas.join(u'|').toStdString();
    EXPECT_TRUE(dicas.contains(QStringLiteral("Imprimir"))) << dicas.join(u'|').toStdString();
}

// The chooser's list says what each entry is: a folder reads "Pasta" (Qt's
// own file lacks the word, the program supplies it).
TEST_F(Portugues, TheChoosersKindOfAFolderReadsInPortuguese)
{
    const QAbstractFileIconProvider icones;
    EXPECT_EQ(icones.type(QFileInfo(QDir::tempPath())), QStringLiteral("Pasta"));
    EXPECT_EQ(icones.type(QFileInfo(QDir::rootPath())), QStringLiteral("Unidade"));
}

}  // namespace
}  // namespace pluvexa
