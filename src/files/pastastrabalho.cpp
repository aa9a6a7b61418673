#include "files/pastastrabalho.h"

#include "files/core/parte.h"

#include <QDir>
#include <QFile>

namespace pluvexa {

QString raizTrabalho()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:/Drovanti/Pluvexa");
#else
    return QDir::homePath() + QStringLiteral("/Drovanti/Pluvexa");
#endif
}

QString pastaPessoalInutilizavel()
{
#ifdef Q_OS_WIN
    return {};
#else
    // Where QDir::homePath() takes it from.
    const QByteArray casa = qgetenv("HOME");
    if (QFile::encodeName(QFile::decodeName(casa)) == casa)
        return {};
    return QString::fromStdString(parte::escapado(casa.toStdString()));
#endif
}

QString pastaRecebidos() { return raizTrabalho() + QStringLiteral("/Recebidos"); }
QString pastaGerados() { return raizTrabalho() + QStringLiteral("/Gerados"); }
QString pastaRascunho() { return raizTrabalho() + QStringLiteral("/Rascunho"); }
QString pastaProcessados() { return raizTrabalho() + QStringLiteral("/Processados"); }
QString pastaLog() { return raizTrabalho() + QStringLiteral("/Log"); }
QString pastaHistorico() { return raizTrabalho() + QStringLiteral("/Historico"); }
QString pastaRejeitados() { return raizTrabalho() + QStringLiteral("/Rejeitados"); }

bool criaPastasTrabalho()
{
    bool ok = true;
    for (const QString& p : {pastaRecebidos(), pastaGerados(), pastaRascunho(), pastaProcessados(), pastaHistorico(),
                           pastaRejeitados()})
        ok = QDir().mkpath(p) && ok;
    return ok;
}

QString caminhoVisivel(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

}  // namespace pluvexa
