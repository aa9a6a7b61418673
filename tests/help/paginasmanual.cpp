#include "paginasmanual.h"

#include "help/tfmanual.h"

#include <QDir>
#include <QFile>
#include <QTextBlock>
#include <QTextDocument>

namespace pluvexa::test {

QStringList paginasManual()
{
    Tfmanual::paginaInicial();  // registers the resource
    return QDir(QStringLiteral(":/manual")).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

QUrl enderecoPagina(const QString& nome)
{
    return Tfmanual::paginaInicial().resolved(QUrl(nome));
}

QString textoPagina(const QString& nome)
{
    QFile f(QStringLiteral(":/manual/") + nome);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

std::unique_ptr<QTextDocument> documentoPagina(const QString& nome)
{
    auto doc = std::make_unique<QTextDocument>();
    doc->setHtml(textoPagina(nome));
    return doc;
}

ConteudoPagina conteudo(const QTextDocument& pagina)
{
    ConteudoPagina c;
    for (QTextBlock b = pagina.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            for (const QString& a : f.anchorNames())
                c.ancoras.insert(a);
            if (f.isAnchor() && !f.anchorHref().isEmpty() && !c.links.contains(f.anchorHref()))
                c.links << f.anchorHref();
            if (f.isImageFormat())
                c.imagens << f.toImageFormat().name();
        }
    }
    return c;
}

QTextBlock blocoDaAncora(const QTextDocument& pagina, const QString& ancora)
{
    for (QTextBlock b = pagina.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorNames().contains(ancora))
                return b;
    return {};
}

}  // namespace pluvexa::test
