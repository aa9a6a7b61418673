#include "files/sistema.h"

#include "files/arquivoseguro.h"
#include "files/core/parte.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
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

}  // namespace pluvexa::sistema

namespace pluvexa {

std::filesystem::path caminhoSistema(const QString& caminho)
{
    return parte::caminho(sistema::nativo(caminho));
}

}  // namespace pluvexa

namespace pluvexa::sistema {

FalhaArquivo falhaDe(Operacao operacao, const QString& arquivo, const Motivo& motivo, const QString& mensagem)
{
    std::string texto = mensagem.toStdString();
    if (!motivo.ingles.empty())
        texto += ' ' + motivo.ingles;
    return {operacao, arquivo.toStdString(), false, motivo, texto};
}

// The platform's steps. Each answers false with `motivo` set.

// Renames over an existing file in one step.
bool trocaNome(const QString& de, const QString& para, Motivo& motivo)
{
    return parte::trocaNome(caminhoSistema(de), caminhoSistema(para), motivo);
}

bool mudaNome(const QString& de, const QString& para, Motivo& motivo)
{
#ifdef Q_OS_WIN
    // Without MOVEFILE_REPLACE_EXISTING an existing file is never replaced;
    // another volume is reached by a copy, as Qt's rename would.
    if (MoveFileExW(caminhoSistema(de).c_str(), caminhoSistema(para).c_str(),
                    MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH))
        return true;
    motivo = Motivo::ultimo();
    return false;
#else
    const std::string a = nativo(de), b = nativo(para);
    int erro = 0;
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    erro = errno;
#else
    erro = EINVAL;
#endif
    // A file system that cannot rename without replacing: a second name,
    // which is never made over an existing one, then the first one goes.
    if (erro == EINVAL || erro == ENOSYS) {
        if (::link(a.c_str(), b.c_str()) == 0) {
            if (::unlink(a.c_str()) == 0)
                return true;
            erro = errno;
            ::unlink(b.c_str());
        } else {
            erro = errno;
        }
    }
    // Another file system: the content is copied, as Qt's rename does.
    if (erro == EXDEV && !QFileInfo::exists(para) && QFile(de).rename(para))
        return true;
    motivo = Motivo::sistema(erro);
    return false;
#endif
}

bool apaga(const QString& path, Motivo& motivo)
{
#ifdef Q_OS_WIN
    if (DeleteFileW(caminhoSistema(path).c_str()))
        return true;
    motivo = Motivo::ultimo();
    return motivo.codigo == ERROR_FILE_NOT_FOUND || motivo.codigo == ERROR_PATH_NOT_FOUND;
#else
    if (::unlink(nativo(path).c_str()) == 0)
        return true;
    motivo = Motivo::ultimo();
    return motivo.codigo == ENOENT;
#endif
}

#ifndef Q_OS_WIN
namespace {

// Opens `path` with `flags` and flushes it to the device; `semSuporte`
// accepts a file system that cannot flush it.
bool sincroniza(const QString& path, int flags, bool semSuporte, Motivo& motivo)
{
    const int fd = ::open(nativo(path).c_str(), flags | O_CLOEXEC);
    const bool ok = fd >= 0 && (::fsync(fd) == 0 || (semSuporte && (errno == EINVAL || errno == EROFS)));
    if (!ok)
        motivo = Motivo::ultimo();
    if (fd >= 0)
        ::close(fd);
    return ok;
}

}  // namespace
#endif

bool descarregaArquivo(const QString& path, Motivo& motivo)
{
#ifdef Q_OS_WIN
    HANDLE h = CreateFileW(caminhoSistema(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool ok = h != INVALID_HANDLE_VALUE && FlushFileBuffers(h);
    if (!ok)
        motivo = Motivo::ultimo();
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
    return ok;
#else
    return sincroniza(path, O_RDONLY, false, motivo);
#endif
}

// Makes the names in a folder durable. Windows offers no such call; its
// rename above already writes through.
bool descarregaPasta(const QString& pasta, Motivo& motivo)
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
