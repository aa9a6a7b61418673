#include "shell/arte.h"

#include <QFile>
#include <QImageReader>

// The resources live in a static library: nothing else references them, so
// the linker would drop them unless they are registered by hand.
static void registraRecursosShell()
{
    static const bool feito = [] {
        Q_INIT_RESOURCE(shell);
        return true;
    }();
    (void)feito;
}

namespace pluvexa {

namespace {

QString caminho(const QString& nome)
{
    registraRecursosShell();
    return QStringLiteral(":/pluvexa/%1.svg").arg(nome);
}

}  // namespace

QPixmap figura(const QString& nome, const QSize& tamanho)
{
    QImageReader leitor(caminho(nome));
    if (tamanho.isValid())
        leitor.setScaledSize(tamanho);
    return QPixmap::fromImage(leitor.read());
}

QIcon iconeArvore(int indice)
{
    const QString arquivo = caminho(QStringLiteral("arvore%1").arg(indice));
    return QFile::exists(arquivo) ? QIcon(arquivo) : QIcon();
}

QIcon iconePrograma()
{
    return QIcon(caminho(QStringLiteral("programa")));
}

}  // namespace pluvexa
