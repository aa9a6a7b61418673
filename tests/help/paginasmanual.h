#pragma once

// The manual as the program carries it: its pages in the resource, read as
// Qt's rich text reads them, for the tests of the help window.

#include <QImage>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <memory>

class QTextBlock;
class QTextDocument;

namespace pluvexa::test {

// The address of every page under :/manual, by name ("index.html", ...).
QStringList paginasManual();
QUrl enderecoPagina(const QString& nome);
// The raw text of a page.
QString textoPagina(const QString& nome);
// A page as rich text, its images and style sheet left unloaded.
std::unique_ptr<QTextDocument> documentoPagina(const QString& nome);

// What a page holds: its links, the places named in it, its pictures (as
// written, relative to the page).
struct ConteudoPagina {
    QStringList links;
    QSet<QString> ancoras;
    QStringList imagens;
};
ConteudoPagina conteudo(const QTextDocument& pagina);

// The block a place of the page is named on; invalid when none.
QTextBlock blocoDaAncora(const QTextDocument& pagina, const QString& ancora);

}  // namespace pluvexa::test
