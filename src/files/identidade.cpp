#include "files/identidade.h"

#include "files/sistema.h"

#ifdef Q_OS_WIN
#include "files/arquivoseguro.h"

#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace pluvexa {

IdentidadeArquivo identidadeArquivo(const QString& caminho, Ligacoes ligacoes)
{
    IdentidadeArquivo id;
    if (caminho.isEmpty())
        return id;
#ifdef Q_OS_WIN
    // Opened for its attributes only, sharing everything, so that no other
    // program is held up; folders need backup semantics to be opened at all.
    DWORD bandeiras = FILE_FLAG_BACKUP_SEMANTICS;
    if (ligacoes == Ligacoes::NaoSegue)
        bandeiras |= FILE_FLAG_OPEN_REPARSE_POINT;
    HANDLE h = CreateFileW(caminhoSistema(caminho).c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, bandeiras,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return id;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool lido = GetFileInformationByHandle(h, &info);
    const DWORD tipoHandle = GetFileType(h);
    CloseHandle(h);
    if (!lido)
        return id;
    if (ligacoes == Ligacoes::NaoSegue && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        id.tipo = IdentidadeArquivo::Tipo::Ligacao;
    else if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        id.tipo = IdentidadeArquivo::Tipo::Pasta;
    else if (tipoHandle == FILE_TYPE_DISK && !(info.dwFileAttributes & FILE_ATTRIBUTE_DEVICE))
        id.tipo = IdentidadeArquivo::Tipo::Comum;
    else
        id.tipo = IdentidadeArquivo::Tipo::Outro;
    id.dispositivo = info.dwVolumeSerialNumber;
    id.numero = (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    id.tamanho = std::int64_t((std::uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    id.modificacao =
        std::int64_t((std::uint64_t(info.ftLastWriteTime.dwHighDateTime) << 32) | info.ftLastWriteTime.dwLowDateTime);
#else
    struct stat st {};
    const std::string nativo = sistema::nativo(caminho);
    if ((ligacoes == Ligacoes::Segue ? ::stat(nativo.c_str(), &st) : ::lstat(nativo.c_str(), &st)) != 0)
        return id;
    id.tipo = S_ISREG(st.st_mode)   ? IdentidadeArquivo::Tipo::Comum
              : S_ISDIR(st.st_mode) ? IdentidadeArquivo::Tipo::Pasta
              : S_ISLNK(st.st_mode) ? IdentidadeArquivo::Tipo::Ligacao
                                    : IdentidadeArquivo::Tipo::Outro;
    id.dispositivo = std::uint64_t(st.st_dev);
    id.numero = std::uint64_t(st.st_ino);
    id.tamanho = std::int64_t(st.st_size);
#ifdef Q_OS_MACOS
    const struct timespec& escrita = st.st_mtimespec;
#else
    const struct timespec& escrita = st.st_mtim;
#endif
    id.modificacao = std::int64_t(escrita.tv_sec) * 1000000000 + std::int64_t(escrita.tv_nsec);
#endif
    return id;
}

}  // namespace pluvexa
