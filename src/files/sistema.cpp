#include "files/sistema.h"

#include "files/core/parte.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace pluvexa::sistema {

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

// The layer's core takes UTF-8 on Windows (its wide calls convert it) and
// the system's own bytes elsewhere.
std::string nativo(const QString& path)
{
#ifdef Q_OS_WIN
    return path.toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

QString deNativo(const std::string& path)
{
#ifdef Q_OS_WIN
    return QString::fromStdString(path);
#else
    return QFile::decodeName(QByteArray::fromStdString(path));
#endif
}

bool copiaConteudo(const QString& origem, const QString& destino, int descritor, QString& motivo)
{
    QFile saida;
    const bool aberta = descritor >= 0 ? saida.open(descritor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)
                                       : (saida.setFileName(destino),
                                          saida.open(QIODevice::WriteOnly | QIODevice::ExistingOnly));
    if (!aberta) {
        motivo = saida.errorString();
        return false;
    }
    QFile entrada;
    qint64 tamanho = -1;
#ifdef Q_OS_WIN
    entrada.setFileName(origem);
    if (!entrada.open(QIODevice::ReadOnly)) {
        motivo = entrada.errorString();
        return false;
    }
    tamanho = entrada.size();
#else
    const int fd = ::open(QFile::encodeName(origem).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        motivo = fd < 0 ? motivoSistema() : QStringLiteral("It is not a regular file.");
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    tamanho = qint64(st.st_size);
    entrada.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
#endif
    qint64 copiados = 0;
    QByteArray bloco(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 lidos = entrada.read(bloco.data(), bloco.size());
        if (lidos < 0) {
            motivo = entrada.errorString();
            return false;
        }
        if (lidos == 0)
            break;
        if (saida.write(bloco.constData(), lidos) != lidos) {
            motivo = saida.errorString();
            return false;
        }
        copiados += lidos;
    }
    if (!saida.flush()) {
        motivo = saida.errorString();
        return false;
    }
    if (copiados != tamanho) {
        motivo = QStringLiteral("The copy has %1 bytes, the source %2.").arg(copiados).arg(tamanho);
        return false;
    }
    return true;
}

// The platform's steps. Each answers false with `motivo` set.

// Renames over an existing file in one step.
bool trocaNome(const QString& de, const QString& para, QString& motivo)
{
    std::string razao;
    const bool ok = parte::trocaNome(parte::caminho(nativo(de)), parte::caminho(nativo(para)), razao);
    if (!ok)
        motivo = QString::fromStdString(razao);
    return ok;
}

#ifndef Q_OS_WIN
namespace {

// Opens `path` with `flags` and flushes it to the device; `semSuporte`
// accepts a file system that cannot flush it.
bool sincroniza(const QString& path, int flags, bool semSuporte, QString& motivo)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    const bool ok = fd >= 0 && (::fsync(fd) == 0 || (semSuporte && (errno == EINVAL || errno == EROFS)));
    if (!ok)
        motivo = motivoSistema();
    if (fd >= 0)
        ::close(fd);
    return ok;
}

}  // namespace
#endif

bool descarregaArquivo(const QString& path, QString& motivo)
{
#ifdef Q_OS_WIN
    HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(path).utf16()),
                           GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool ok = h != INVALID_HANDLE_VALUE && FlushFileBuffers(h);
    if (!ok)
        motivo = motivoSistema();
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
    return ok;
#else
    return sincroniza(path, O_RDONLY, false, motivo);
#endif
}

// Makes the names in a folder durable. Windows offers no such call; its
// rename above already writes through.
bool descarregaPasta(const QString& pasta, QString& motivo)
{
#ifdef Q_OS_WIN
    Q_UNUSED(pasta);
    Q_UNUSED(motivo);
    return true;
#else
    // Some file systems (network, FAT on a removable disk) cannot flush a
    // folder; their names are as durable as they can be made.
    return sincroniza(pasta, O_RDONLY | O_DIRECTORY, true, motivo);
#endif
}

}  // namespace pluvexa::sistema
