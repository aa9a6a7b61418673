// The manual's pages hold together: every link leads to a page of the
// manual and to a place named in it, every picture is in the program, and
// every picture in the program is shown somewhere.

#include "paginasmanual.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace pluvexa::test {
namespace {

TEST(ManualLigacoes, EveryLinkReachesAPageAndAPlaceInIt)
{
    const QStringList paginas = paginasManual();
    ASSERT_TRUE(paginas.contains(QStringLiteral("index.html")));
    int links = 0;
    for (const QString& nome : paginas) {
        const auto doc = documentoPagina(nome);
        for (const QString& href : conteudo(*doc).links) {
            SCOPED_TRACE((nome + QStringLiteral(" -> ") + href).toStdString());
            ++links;
            const QUrl alvo = enderecoPagina(nome).resolved(QUrl(href));
            ASSERT_EQ(alvo.scheme(), QStringLiteral("qrc")) << "the manual links only its own pages";
            const QString pagina = alvo.fileName();
            ASSERT_TRUE(paginas.contains(pagina)) << "no page " << pagina.toStdString();
            if (alvo.hasFragment()) {
                EXPECT_TRUE(conteudo(*documentoPagina(pagina)).ancoras.contains(alvo.fragment()))
                    << "no place " << alvo.fragment().toStdString() << " in " << pagina.toStdString();
            }
        }
    }
    EXPECT_GT(links, 50);
}

// The raw text too: a link Qt's reader would drop (a typo in the markup)
// must not pass unseen.
TEST(ManualLigacoes, QtReadsEveryLinkWritten)
{
    for (const QString& nome : paginasManual()) {
        SCOPED_TRACE(nome.toStdString());
        const int escritos = int(textoPagina(nome).count(QStringLiteral("<a href=")));
        const auto doc = documentoPagina(nome);
        int lidos = 0;
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            QString anterior;
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QString href = it.fragment().charFormat().anchorHref();
                if (!href.isEmpty() && href != anterior)
                    ++lidos;
                anterior = href;
            }
        }
        EXPECT_EQ(lidos, escritos);
    }
}

TEST(ManualLigacoes, EveryPictureIsInTheProgramAndShown)
{
    QSet<QString> usadas;
    for (const QString& nome : paginasManual()) {
        for (const QString& img : conteudo(*documentoPagina(nome)).imagens) {
            SCOPED_TRACE((nome + QStringLiteral(": ") + img).toStdString());
            const QString caminho = QStringLiteral(":") + enderecoPagina(nome).resolved(QUrl(img)).path();
            ASSERT_TRUE(QFile::exists(caminho));
            EXPECT_FALSE(QImage(caminho).isNull());
            usadas.insert(caminho);
        }
    }
    const QStringList todas = QDir(QStringLiteral(":/manual/img")).entryList(QDir::Files);
    ASSERT_FALSE(todas.isEmpty());
    for (const QString& f : todas)
        EXPECT_TRUE(usadas.contains(QStringLiteral(":/manual/img/") + f)) << f.toStdString() << " is shown nowhere";
}

}  // namespace
}  // namespace pluvexa::test
