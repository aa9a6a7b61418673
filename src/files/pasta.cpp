#include "files/pasta.h"

#include "files/conferencia.h"
#include "files/sistema.h"

#include "files/core/parte.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <dirent.h>
#endif

namespace pluvexa {

using namespace sistema;

namespace {

bool responde(bool ok, const QString& mensagem, QString* erro)
{
    if (!ok && erro)
        *erro = mensagem;
    return ok;
}

}  // namespace

bool listaArquivosPasta(const QString& pasta, const QStringList& mascaras, QStringList& nomes, QString* erro)
{
    nomes.clear();
    const QString mensagem = QStringLiteral("Cannot read folder %1.").arg(visivel(pasta));
    if (!FalhasArquivo::permite("list", pasta))
        return responde(false, mensagem + QLatin1Char(' ') + kSimulada, erro);
    const QDir dir(pasta);
    if (!dir.exists())
        return responde(false, mensagem + QStringLiteral(" It does not exist."), erro);
    if (!QFileInfo(pasta).isReadable())
        return responde(false, mensagem + QStringLiteral(" Permission denied."), erro);
    // Name filters of QDir ignore letter case unless told otherwise.
    nomes = dir.entryList(mascaras, QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    return true;
}

QStringList nomesForaDaCodificacao(const QString& pasta, const QString& sufixo)
{
    QStringList nomes;
#ifndef Q_OS_WIN
    DIR* d = ::opendir(QFile::encodeName(pasta).constData());
    if (!d)
        return nomes;
    const QByteArray fim = sufixo.toLatin1().toLower();
    while (const dirent* e = ::readdir(d)) {
        const QByteArray nome(e->d_name);
        if (QFile::encodeName(QFile::decodeName(nome)) != nome && nome.toLower().endsWith(fim))
            nomes << QString::fromStdString(parte::escapado(nome.toStdString()));
    }
    ::closedir(d);
    nomes.sort();
#else
    Q_UNUSED(pasta);
    Q_UNUSED(sufixo);
#endif
    return nomes;
}

bool renomeiaSobre(const QString& origem, const QString& destino, Durabilidade durabilidade, QString* erro)
{
    const QString mensagem = QStringLiteral("Cannot rename file %1 to %2.").arg(visivel(origem), visivel(destino));
    if (!FalhasArquivo::permite("replace", origem))
        return responde(false, mensagem + QLatin1Char(' ') + kSimulada, erro);
    QString motivo;
    if (confereSaida(destino, &motivo) != especie::Estado::Aceito)
        return responde(false, mensagem + QLatin1Char(' ') + motivo + QLatin1Char('.'), erro);
    if (!trocaNome(origem, destino, motivo))
        return responde(false, mensagem + QLatin1Char(' ') + motivo, erro);
    if (durabilidade == Durabilidade::Duravel) {
        const QString pasta = QFileInfo(destino).absolutePath();
        if (!FalhasArquivo::permite("flush folder", pasta))
            return responde(false, QStringLiteral("Cannot flush folder %1. %2").arg(visivel(pasta), kSimulada), erro);
        if (!descarregaPasta(pasta, motivo))
            return responde(false, QStringLiteral("Cannot flush folder %1. %2").arg(visivel(pasta), motivo), erro);
    }
    return true;
}

}  // namespace pluvexa
