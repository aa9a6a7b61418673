#include "files/core/falha.h"

#include <cerrno>
#include <cstring>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#endif

namespace pluvexa {

int codigoUltimo()
{
#ifdef _WIN32
    return int(GetLastError());
#else
    return errno;
#endif
}

void limpaCodigo()
{
#ifdef _WIN32
    SetLastError(0);
#endif
    errno = 0;
}

int codigoAusente()
{
#ifdef _WIN32
    return ERROR_FILE_NOT_FOUND;
#else
    return ENOENT;
#endif
}

bool falhaDeGravacao(int codigo)
{
    switch (codigo) {
#ifdef _WIN32
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_WRITE_PROTECT:
    case ERROR_WRITE_FAULT:
    case ERROR_IO_DEVICE:
    case ERROR_CRC:
#else
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
    case EROFS:
    case EIO:
#endif
        return true;
    default:
        return false;
    }
}

std::string textoDoSistema(int codigo)
{
    std::string texto;
#ifdef _WIN32
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                       | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, DWORD(codigo), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (n > 0 && buffer) {
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, buffer, int(n), nullptr, 0, nullptr, nullptr);
        texto.resize(std::size_t(bytes > 0 ? bytes : 0));
        if (bytes > 0)
            WideCharToMultiByte(CP_UTF8, 0, buffer, int(n), texto.data(), bytes, nullptr, nullptr);
    }
    if (buffer)
        LocalFree(buffer);
#else
    texto = std::strerror(codigo);
#endif
    while (!texto.empty() && (texto.back() == '\n' || texto.back() == '\r' || texto.back() == ' '
                              || texto.back() == '.'))
        texto.pop_back();
    return texto;
}

Motivo Motivo::sistema(int codigo)
{
#ifdef _WIN32
    // The command line's words stay what they were: the number.
    return {codigo, "System error " + std::to_string(codigo) + '.', {}};
#else
    return {codigo, textoDoSistema(codigo) + '.', {}};
#endif
}

Motivo Motivo::ultimo()
{
    return sistema(codigoUltimo());
}

Motivo Motivo::proprio(std::string ingles, std::string portugues)
{
    return {0, std::move(ingles), std::move(portugues)};
}

std::string motivoEmPortugues(int codigo)
{
    switch (codigo) {
#ifdef _WIN32
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "disco cheio";
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
        return "sem permissão";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return "arquivo ou pasta não encontrado";
    case ERROR_WRITE_PROTECT:
        return "disco somente para leitura";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_BUSY:
        return "arquivo em uso";
    case ERROR_FILENAME_EXCED_RANGE:
        return "nome longo demais";
    case ERROR_CRC:
    case ERROR_IO_DEVICE:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_SECTOR_NOT_FOUND:
        return "erro de leitura ou gravação no dispositivo";
#else
    case ENOSPC:
        return "disco cheio";
    case EACCES:
    case EPERM:
        return "sem permissão";
    case ENOENT:
        return "arquivo ou pasta não encontrado";
    case EROFS:
        return "disco somente para leitura";
    case EBUSY:
    case ETXTBSY:
        return "arquivo em uso";
    case ENAMETOOLONG:
        return "nome longo demais";
    case EIO:
        return "erro de leitura ou gravação no dispositivo";
#endif
    default:
        return "erro do sistema " + std::to_string(codigo) + ": " + textoDoSistema(codigo);
    }
}

std::string emPortugues(const Motivo& motivo)
{
    if (motivo.codigo != 0)
        return motivoEmPortugues(motivo.codigo);
    return motivo.portugues;
}

std::string frase(Operacao operacao, const std::string& caminho, const Motivo& motivo, bool pasta)
{
    const char* verbo = "gravar";
    switch (operacao) {
    case Operacao::Criar:
        verbo = "criar";
        break;
    case Operacao::Gravar:
        break;
    case Operacao::Renomear:
        verbo = "renomear";
        break;
    case Operacao::Apagar:
        verbo = "apagar";
        break;
    case Operacao::Copiar:
        verbo = "copiar";
        break;
    case Operacao::Ler:
        verbo = "ler";
        break;
    }
    std::string texto = std::string("Não foi possível ") + verbo + (pasta ? " a pasta " : " o arquivo ") + caminho;
    if (const std::string razao = emPortugues(motivo); !razao.empty())
        texto += ": " + razao;
    return texto + '.';
}

std::string frase(const FalhaArquivo& falha)
{
    std::string caminho = falha.arquivo;
#ifdef _WIN32
    for (char& c : caminho)
        if (c == '/')
            c = '\\';
#endif
    return frase(falha.operacao, caminho, falha.motivo, falha.pasta);
}

}  // namespace pluvexa
