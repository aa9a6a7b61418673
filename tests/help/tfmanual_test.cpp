#include "paginasmanual.h"

#include "help/tfmanual.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <gtest/gtest.h>

namespace pluvexa::test {
namespace {

QString texto(const QUrl& u)
{
    return u.toString();
}

class JanelaManual : public ::testing::Test {
protected:
    void TearDown() override { delete janela.data(); }

    Tfmanual* abre()
    {
        janela = mostraManual(&principal);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(janela.data()));
        return janela.data();
    }

    QWidget principal;
    QPointer<Tfmanual> janela;
};

// What F1 and the menu open: the manual's first page under its own title,
// with the contents beside it.
TEST_F(JanelaManual, OpensAtTheFirstPageWithItsContents)
{
    Tfmanual* m = abre();
    EXPECT_EQ(m->windowTitle(), QStringLiteral("Manual do Operador - Pluvexa"));
    EXPECT_TRUE(m->isWindow());
    EXPECT_EQ(texto(m->txtManual->source()), texto(enderecoPagina(QStringLiteral("index.html"))));
    EXPECT_TRUE(m->txtManual->document()->toPlainText().contains(QStringLiteral("Sumário")));
    ASSERT_GT(m->TVwSumario->topLevelItemCount(), 5);
    EXPECT_EQ(m->TVwSumario->topLevelItem(0)->text(0), QStringLiteral("Primeiro uso"));
    EXPECT_GT(m->TVwSumario->topLevelItem(0)->childCount(), 0) << "the chapters' sections nest under them";
}

// One window at a time: asked again, the open one comes back; once closed,
// a new one opens.
TEST_F(JanelaManual, OneWindowRaisedWhenAskedAgain)
{
    Tfmanual* primeira = abre();
    primeira->mostra(enderecoPagina(QStringLiteral("carga.html")));
    EXPECT_EQ(mostraManual(&principal), primeira);
    EXPECT_TRUE(primeira->isVisible());
    EXPECT_EQ(texto(primeira->txtManual->source()), texto(enderecoPagina(QStringLiteral("carga.html"))))
        << "raising keeps the page the operator was reading";
    primeira->close();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(janela.isNull());
    Tfmanual* segunda = abre();
    EXPECT_NE(segunda, nullptr);
    EXPECT_EQ(texto(segunda->txtManual->source()), texto(enderecoPagina(QStringLiteral("index.html"))));
}

// Every entry of the contents leads to its page and to the heading that
// bears its own name; the contents follow the page shown.
TEST_F(JanelaManual, EachContentsEntryShowsItsHeading)
{
    Tfmanual* m = abre();
    int entradas = 0;
    for (QTreeWidgetItemIterator it(m->TVwSumario); *it; ++it, ++entradas) {
        QTreeWidgetItem* item = *it;
        SCOPED_TRACE(item->text(0).toStdString());
        m->TVwSumario->setCurrentItem(item);
        const QUrl alvo = m->enderecosSumario().at(entradas);
        EXPECT_EQ(texto(m->txtManual->source()), texto(alvo));
        const QTextDocument* doc = m->txtManual->document();
        QTextBlock titulo;
        if (alvo.hasFragment()) {
            titulo = blocoDaAncora(*doc, alvo.fragment());
        } else {
            for (QTextBlock b = doc->begin(); b.isValid() && !titulo.isValid(); b = b.next())
                if (b.blockFormat().headingLevel() == 1)
                    titulo = b;
        }
        ASSERT_TRUE(titulo.isValid()) << "no place " << texto(alvo).toStdString();
        EXPECT_GT(titulo.blockFormat().headingLevel(), 0);
        EXPECT_EQ(titulo.text().simplified(), item->text(0));
    }
    EXPECT_GT(entradas, 20);

    // A link followed inside the page moves the contents along.
    m->mostra(enderecoPagina(QStringLiteral("digitar.html#localizar")));
    ASSERT_NE(m->TVwSumario->currentItem(), nullptr);
    EXPECT_EQ(m->TVwSumario->currentItem()->text(0), QStringLiteral("Localizar um titular"));
}

TEST_F(JanelaManual, BackForwardAndContentsButtons)
{
    Tfmanual* m = abre();
    EXPECT_FALSE(m->btnvoltar->isEnabled());
    m->mostra(enderecoPagina(QStringLiteral("gerar.html")));
    ASSERT_TRUE(m->btnvoltar->isEnabled());
    QTest::mouseClick(m->btnvoltar, Qt::LeftButton);
    EXPECT_EQ(texto(m->txtManual->source()), texto(enderecoPagina(QStringLiteral("index.html"))));
    ASSERT_TRUE(m->btnavancar->isEnabled());
    QTest::mouseClick(m->btnavancar, Qt::LeftButton);
    EXPECT_EQ(texto(m->txtManual->source()), texto(enderecoPagina(QStringLiteral("gerar.html"))));
    QTest::mouseClick(m->btnsumario, Qt::LeftButton);
    EXPECT_EQ(texto(m->txtManual->source()), texto(enderecoPagina(QStringLiteral("index.html"))));
}

// The pictures show in the window: the browser finds each in the resource
// and it decodes.
TEST_F(JanelaManual, BrowserLoadsEveryPicture)
{
    Tfmanual* m = abre();
    int imagens = 0;
    for (const QString& nome : paginasManual()) {
        m->mostra(enderecoPagina(nome));
        for (const QString& img : conteudo(*m->txtManual->document()).imagens) {
            SCOPED_TRACE((nome + QStringLiteral(": ") + img).toStdString());
            const QVariant dados =
                m->txtManual->loadResource(QTextDocument::ImageResource, m->txtManual->source().resolved(QUrl(img)));
            const QImage imagem = dados.canConvert<QImage>() && dados.typeId() == QMetaType::QImage
                                      ? dados.value<QImage>()
                                      : QImage::fromData(dados.toByteArray());
            EXPECT_FALSE(imagem.isNull());
            ++imagens;
        }
    }
    EXPECT_GT(imagens, 10);
}

}  // namespace
}  // namespace pluvexa::test
