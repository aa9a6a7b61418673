#include "recharge/arquivoseguro_pasta.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace pluvexa {

namespace {

QString visivel(const QString& path)
{
    return QStringLiteral("\"") + QDir::toNativeSeparators(path) + QStringLiteral("\"");
}

QString motivoSistema()
{
#ifdef Q_OS_WIN
    return QStringLiteral("System error %1.").arg(GetLastError());
#else
    return QString::fromLocal8Bit(std::strerror(errno)) + QLatin1Char('.');
#endif
}

const QString kSimulada = QStringLiteral("Simulated failure.");

bool responde(bool ok, const QString& mensagem, QString* erro)
{
    if (!ok && erro)
        *erro = mensagem;
    return ok;
}

bool trocaNome(const QString& de, const QString& para)
{
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(de).utf16()),
                       reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(para).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    return ::rename(QFile::encodeName(de).constData(), QFile::encodeName(para).constData()) == 0;
#endif
}

// Windows' rename above already writes through; elsewhere the folder that
// names the file is flushed. A removable disk's FAT cannot flush a folder:
// its names are then as durable as they can be made.
bool descarregaPasta(const QString& pasta)
{
#ifdef Q_OS_WIN
    Q_UNUSED(pasta);
    return true;
#else
    const int fd = ::open(QFile::encodeName(pasta).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool ok = fd >= 0 && (::fsync(fd) == 0 || errno == EINVAL || errno == EROFS);
    const int salvo = errno;
    if (fd >= 0)
        ::close(fd);
    errno = salvo;
    return ok;
#endif
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

bool renomeiaSobre(const QString& origem, const QString& destino, Durabilidade durabilidade, QString* erro)
{
    const QString mensagem = QStringLiteral("Cannot rename file %1 to %2.").arg(visivel(origem), visivel(destino));
    if (!FalhasArquivo::permite("replace", origem))
        return responde(false, mensagem + QLatin1Char(' ') + kSimulada, erro);
    if (!trocaNome(origem, destino))
        return responde(false, mensagem + QLatin1Char(' ') + motivoSistema(), erro);
    if (durabilidade == Durabilidade::Duravel) {
        const QString pasta = QFileInfo(destino).absolutePath();
        if (!FalhasArquivo::permite("flush folder", pasta))
            return responde(false, QStringLiteral("Cannot flush folder %1. %2").arg(visivel(pasta), kSimulada), erro);
        if (!descarregaPasta(pasta))
            return responde(false, QStringLiteral("Cannot flush folder %1. %2").arg(visivel(pasta), motivoSistema()), erro);
    }
    return true;
}

}  // namespace pluvexa
