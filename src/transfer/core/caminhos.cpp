#include "transfer/core/caminhos.h"

#include "files/pastastrabalho.h"

#include <QDir>
#include <QFileInfo>

namespace pluvexa {

namespace {

bool separador(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

// The absolute path with links resolved as far as the folders exist, so a
// folder reached through a link or "..", or one that vanished, compares as
// the one it is.
QString resolvido(const QString& caminho)
{
    QFileInfo info(QDir::cleanPath(QDir(caminho).absolutePath()));
    QStringList resto;
    while (!info.exists() && !info.isRoot() && info.absolutePath() != info.absoluteFilePath()) {
        resto.prepend(info.fileName());
        info = QFileInfo(info.absolutePath());
    }
    QString base = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    for (const QString& parte : resto)
        base = caminhoNaPasta(base, parte);
    return base;
}

Qt::CaseSensitivity sensibilidade()
{
#ifdef Q_OS_WIN
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

}  // namespace

QString caminhoNaPasta(const QString& pasta, const QString& nome)
{
    QString base = pasta;
    if (!base.isEmpty() && separador(base.back()))
        base.chop(1);
    return base + QLatin1Char('/') + nome;
}

QString nomeTransferido(const QString& caminho)
{
    return caminho.left(caminho.size() - 5) + QStringLiteral("4.REC");
}

QString perguntaDisco(const QString& nome, const QString& unidade)
{
    return QStringLiteral("       Coloque o Disco da Empresa \n") + nome.mid(3, 5)
           + QStringLiteral(" \n      no Drive ") + unidade + QLatin1Char('!');
}

bool pastaDeTrabalho(const QString& pasta)
{
    const QString raiz = resolvido(raizTrabalho());
    const QString alvo = resolvido(pasta);
    return alvo.compare(raiz, sensibilidade()) == 0
           || alvo.startsWith(caminhoNaPasta(raiz, QString()), sensibilidade());
}

bool mesmoArquivo(const QString& a, const QString& b)
{
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (!fa.exists() || !fb.exists())
        return false;
    return fa.canonicalFilePath().compare(fb.canonicalFilePath(), sensibilidade()) == 0;
}

}  // namespace pluvexa
