#include "files/core/natureza.h"

#include "files/core/parte.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace pluvexa::natureza {

namespace {

#ifndef _WIN32
bool ausente(int erro)
{
    return erro == ENOENT || erro == ENOTDIR;
}
#else
// The attributes of `p`; when it cannot be looked at, `semNada` for a
// missing name, otherwise Inacessivel with the system's reason.
bool atributos(const std::filesystem::path& p, DWORD& a, Estado semNada, Estado& estado, Motivo& motivo)
{
    a = GetFileAttributesW(p.c_str());
    if (a != INVALID_FILE_ATTRIBUTES)
        return true;
    const DWORD e = GetLastError();
    estado = e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND ? semNada : Estado::Inacessivel;
    if (estado == Estado::Inacessivel)
        motivo = Motivo::sistema(int(e));
    return false;
}
#endif

}  // namespace

Estado entrada(const std::string& caminho, Motivo& motivo)
{
#ifdef _WIN32
    const std::filesystem::path p = parte::caminho(caminho);
    DWORD a = 0;
    Estado estado = Estado::Aceito;
    if (!atributos(p, a, Estado::Ausente, estado, motivo))
        return estado;
    if (a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))
        return Estado::NaoComum;
    HANDLE h = CreateFileW(p.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        motivo = Motivo::ultimo();
        return Estado::Inacessivel;
    }
    const bool disco = GetFileType(h) == FILE_TYPE_DISK;
    CloseHandle(h);
    return disco ? Estado::Aceito : Estado::NaoComum;
#else
    struct stat st {};
    if (::stat(caminho.c_str(), &st) != 0) {
        motivo = Motivo::ultimo();
        return ausente(motivo.codigo) ? Estado::Ausente : Estado::Inacessivel;
    }
    if (!S_ISREG(st.st_mode))
        return Estado::NaoComum;
    // Opened without waiting: a FIFO put under the name since would
    // otherwise hold the program until someone writes to it.
    const int fd = ::open(caminho.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        motivo = Motivo::ultimo();
        return ausente(motivo.codigo) ? Estado::Ausente : Estado::Inacessivel;
    }
    const bool comum = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return comum ? Estado::Aceito : Estado::NaoComum;
#endif
}

Estado saida(const std::string& caminho, Motivo& motivo)
{
#ifdef _WIN32
    DWORD a = 0;
    Estado estado = Estado::Aceito;
    // A new name; a missing folder fails when the file is created.
    if (!atributos(parte::caminho(caminho), a, Estado::Aceito, estado, motivo))
        return estado;
    if (a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE | FILE_ATTRIBUTE_REPARSE_POINT))
        return Estado::NaoComum;
    // Windows refuses to rename over a read-only file; refused here first,
    // in the same words, so that no part is written for nothing (and Wine,
    // which replaces it, behaves the same).
    if (a & FILE_ATTRIBUTE_READONLY) {
        motivo = Motivo::sistema(ERROR_ACCESS_DENIED);
        return Estado::Inacessivel;
    }
    return Estado::Aceito;
#else
    struct stat st {};
    if (::lstat(caminho.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return Estado::Aceito;  // a new name; a missing folder fails when the file is created
        motivo = Motivo::ultimo();
        return Estado::Inacessivel;
    }
    return S_ISREG(st.st_mode) ? Estado::Aceito : Estado::NaoComum;
#endif
}

std::string mensagem(Estado estado, const std::string& caminho, const Motivo& motivo, bool deSaida)
{
    const std::string visivel = parte::visivel(caminho);
    switch (estado) {
    case Estado::Aceito:
        return {};
    case Estado::NaoComum:
        return visivel + " is not a regular file";
    case Estado::Ausente:
        return visivel + " does not exist";
    case Estado::Inacessivel:
        return (deSaida ? "Cannot write file " : "Cannot read file ") + visivel + ". " + motivo.ingles;
    }
    return {};
}

FalhaArquivo falha(Estado estado, const std::string& caminho, const Motivo& motivo, bool deSaida)
{
    FalhaArquivo f;
    f.operacao = deSaida ? Operacao::Gravar : Operacao::Ler;
    f.arquivo = caminho;
    f.mensagem = mensagem(estado, caminho, motivo, deSaida);
    switch (estado) {
    case Estado::Aceito:
    case Estado::Inacessivel:
        f.motivo = motivo;
        break;
    case Estado::NaoComum:
        f.motivo = Motivo::proprio("It is not a regular file.", "não é um arquivo comum");
        break;
    case Estado::Ausente:
        f.motivo = Motivo::sistema(codigoAusente());
        break;
    }
    return f;
}

std::string confereEntrada(const std::string& caminho)
{
    Motivo motivo;
    return mensagem(entrada(caminho, motivo), caminho, motivo, false);
}

std::string confereSaida(const std::string& caminho)
{
    Motivo motivo;
    return mensagem(saida(caminho, motivo), caminho, motivo, true);
}

}  // namespace pluvexa::natureza
