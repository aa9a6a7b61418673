#include "files/core/conteudo.h"

#include "files/core/parte.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace pluvexa::conteudo {

namespace {

constexpr std::size_t kBloco = std::size_t(1) << 20;

}  // namespace

// --- Saida ---------------------------------------------------------------

Saida::~Saida()
{
    Motivo ignorado;
    fecha(ignorado);
}

#ifdef _WIN32

bool Saida::abre(const std::string& caminho, int, Motivo& motivo)
{
    HANDLE h = CreateFileW(parte::caminho(caminho).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        motivo = Motivo::ultimo();
        return false;
    }
    m_arquivo = h;
    return true;
}

bool Saida::grava(const void* dados, std::size_t n, Motivo& motivo)
{
    const char* p = static_cast<const char*>(dados);
    while (n > 0) {
        DWORD escritos = 0;
        const DWORD pedaco = DWORD(std::min<std::size_t>(n, kBloco));
        if (!WriteFile(static_cast<HANDLE>(m_arquivo), p, pedaco, &escritos, nullptr) || escritos == 0) {
            motivo = escritos == 0 && GetLastError() == ERROR_SUCCESS ? Motivo::sistema(ERROR_DISK_FULL)
                                                                      : Motivo::ultimo();
            return false;
        }
        p += escritos;
        n -= escritos;
    }
    return true;
}

bool Saida::fecha(Motivo& motivo)
{
    if (!m_arquivo)
        return true;
    const bool ok = CloseHandle(static_cast<HANDLE>(m_arquivo));
    if (!ok)
        motivo = Motivo::ultimo();
    m_arquivo = nullptr;
    return ok;
}

#else

bool Saida::abre(const std::string& caminho, int descritor, Motivo& motivo)
{
    m_descritor = descritor >= 0 ? descritor : ::open(caminho.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (m_descritor < 0) {
        motivo = Motivo::ultimo();
        return false;
    }
    return true;
}

bool Saida::grava(const void* dados, std::size_t n, Motivo& motivo)
{
    const char* p = static_cast<const char*>(dados);
    while (n > 0) {
        const ssize_t escritos = ::write(m_descritor, p, std::min(n, kBloco));
        if (escritos < 0 && errno == EINTR)
            continue;
        if (escritos <= 0) {
            // A write that takes nothing is a device with no room left.
            motivo = escritos == 0 ? Motivo::sistema(ENOSPC) : Motivo::ultimo();
            return false;
        }
        p += escritos;
        n -= std::size_t(escritos);
    }
    return true;
}

bool Saida::fecha(Motivo& motivo)
{
    if (m_descritor < 0)
        return true;
    // Closed whatever close() answers: the descriptor is gone either way.
    const bool ok = ::close(m_descritor) == 0 || errno == EINTR;
    if (!ok)
        motivo = Motivo::ultimo();
    m_descritor = -1;
    return ok;
}

#endif

// --- Entrada -------------------------------------------------------------

#ifdef _WIN32

Entrada::~Entrada()
{
    if (m_arquivo)
        CloseHandle(static_cast<HANDLE>(m_arquivo));
}

natureza::Estado Entrada::abre(const std::string& caminho, Motivo& motivo, bool segueLigacao)
{
    const std::filesystem::path p = parte::caminho(caminho);
    const DWORD a = GetFileAttributesW(p.c_str());
    if (a == INVALID_FILE_ATTRIBUTES) {
        motivo = Motivo::ultimo();
        return motivo.codigo == ERROR_FILE_NOT_FOUND || motivo.codigo == ERROR_PATH_NOT_FOUND
                   ? natureza::Estado::Ausente
                   : natureza::Estado::Inacessivel;
    }
    if (a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))
        return natureza::Estado::NaoComum;
    // A link or a junction is a reparse point: the program's own files never are one.
    if (!segueLigacao && (a & FILE_ATTRIBUTE_REPARSE_POINT))
        return natureza::Estado::NaoComum;
    const DWORD modo = FILE_ATTRIBUTE_NORMAL | (segueLigacao ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    HANDLE h = CreateFileW(p.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, modo, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        motivo = Motivo::ultimo();
        return natureza::Estado::Inacessivel;
    }
    m_arquivo = h;
    LARGE_INTEGER tamanho{};
    if (GetFileType(h) != FILE_TYPE_DISK)
        return natureza::Estado::NaoComum;
    if (!segueLigacao) {
        // Looked at again through what was opened: a link put there since
        // the attributes were read is opened as itself, and refused.
        BY_HANDLE_FILE_INFORMATION info{};
        if (!GetFileInformationByHandle(h, &info)) {
            motivo = Motivo::ultimo();
            return natureza::Estado::Inacessivel;
        }
        if (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
            return natureza::Estado::NaoComum;
    }
    if (!GetFileSizeEx(h, &tamanho)) {
        motivo = Motivo::ultimo();
        return natureza::Estado::Inacessivel;
    }
    m_tamanho = std::int64_t(tamanho.QuadPart);
    return natureza::Estado::Aceito;
}

std::int64_t Entrada::le(void* destino, std::size_t n, Motivo& motivo)
{
    DWORD lidos = 0;
    if (!ReadFile(static_cast<HANDLE>(m_arquivo), destino, DWORD(std::min(n, kBloco)), &lidos, nullptr)) {
        motivo = Motivo::ultimo();
        return -1;
    }
    return std::int64_t(lidos);
}

#else

Entrada::~Entrada()
{
    if (m_descritor >= 0)
        ::close(m_descritor);
}

natureza::Estado Entrada::abre(const std::string& caminho, Motivo& motivo, bool segueLigacao)
{
    const auto semNada = [&motivo] {
        return motivo.codigo == ENOENT || motivo.codigo == ENOTDIR ? natureza::Estado::Ausente
                                                                   : natureza::Estado::Inacessivel;
    };
    struct stat st {};
    int modo = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    if (!segueLigacao) {
        // Looked at before it is opened: a link or a device is never
        // opened (opening some devices does something).
        if (::lstat(caminho.c_str(), &st) != 0) {
            motivo = Motivo::ultimo();
            return semNada();
        }
        if (!S_ISREG(st.st_mode))
            return natureza::Estado::NaoComum;
        modo |= O_NOFOLLOW;
    }
    m_descritor = ::open(caminho.c_str(), modo);
    if (m_descritor < 0) {
        motivo = Motivo::ultimo();
        // A link put under the name since it was looked at.
        if (!segueLigacao && motivo.codigo == ELOOP)
            return natureza::Estado::NaoComum;
        return semNada();
    }
    if (::fstat(m_descritor, &st) != 0) {
        motivo = Motivo::ultimo();
        return natureza::Estado::Inacessivel;
    }
    if (!S_ISREG(st.st_mode))
        return natureza::Estado::NaoComum;
    m_tamanho = std::int64_t(st.st_size);
    return natureza::Estado::Aceito;
}

std::int64_t Entrada::le(void* destino, std::size_t n, Motivo& motivo)
{
    for (;;) {
        const ssize_t lidos = ::read(m_descritor, destino, std::min(n, kBloco));
        if (lidos >= 0)
            return std::int64_t(lidos);
        if (errno != EINTR) {
            motivo = Motivo::ultimo();
            return -1;
        }
    }
}

#endif

// --- copia ----------------------------------------------------------------

bool copia(const std::string& origem, Saida& saida, Motivo& motivo, bool& naOrigem)
{
    naOrigem = true;
    Entrada entrada;
    switch (entrada.abre(origem, motivo)) {
    case natureza::Estado::Aceito:
        break;
    case natureza::Estado::NaoComum:
        motivo = Motivo::proprio("It is not a regular file.", "não é um arquivo comum");
        return false;
    case natureza::Estado::Ausente:
    case natureza::Estado::Inacessivel:
        return false;
    }
    const std::int64_t tamanho = entrada.tamanho();
    std::vector<char> bloco(kBloco);
    std::int64_t copiados = 0;
    for (;;) {
        const std::int64_t lidos = entrada.le(bloco.data(), bloco.size(), motivo);
        if (lidos < 0)
            return false;
        if (lidos == 0)
            break;
        if (!saida.grava(bloco.data(), std::size_t(lidos), motivo)) {
            naOrigem = false;
            return false;
        }
        copiados += lidos;
    }
    naOrigem = false;
    if (copiados != tamanho) {
        motivo = Motivo::proprio(
            "The copy has " + std::to_string(copiados) + " bytes, the source " + std::to_string(tamanho) + '.',
            "a cópia tem " + std::to_string(copiados) + " bytes e a origem " + std::to_string(tamanho));
        return false;
    }
    return true;
}

}  // namespace pluvexa::conteudo
