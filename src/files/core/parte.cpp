#include "files/core/parte.h"
#include "files/core/portao.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace pluvexa::parte {

const char* const kSimulada = "Simulated failure.";

std::string nome(const std::string& destino)
{
    return destino + ".part";
}

std::filesystem::path caminho(const std::string& utf8)
{
#ifdef _WIN32
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
#else
    return std::filesystem::path(utf8);  // the file system takes the bytes as they are
#endif
}

std::string visivel(const std::string& utf8)
{
    std::string texto = utf8;
#ifdef _WIN32
    for (char& c : texto)
        if (c == '/')
            c = '\\';
#endif
    return '"' + texto + '"';
}

std::string motivoSistema()
{
#ifdef _WIN32
    return "System error " + std::to_string(GetLastError()) + '.';
#else
    return std::string(std::strerror(errno)) + '.';
#endif
}

bool trocaNome(const std::filesystem::path& de, const std::filesystem::path& para, std::string& motivo)
{
#ifdef _WIN32
    const bool ok = MoveFileExW(de.c_str(), para.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    const bool ok = std::rename(de.c_str(), para.c_str()) == 0;
#endif
    if (!ok)
        motivo = motivoSistema();
    return ok;
}

Resultado produz(const std::string& destino, const std::function<bool(const std::filesystem::path&)>& escritor,
                 std::string& erro)
{
    const std::string parte = nome(destino);
    const std::filesystem::path arquivoParte = caminho(parte);
    if (!portao::permite("write", parte)) {
        erro = "Cannot create file " + visivel(parte) + ". " + kSimulada;
        return Resultado::PassoFalhou;
    }
    std::error_code ignorado;  // a part is never a final name
    bool escrito = false;
    try {
        escrito = escritor(arquivoParte);
    } catch (...) {
        std::filesystem::remove(arquivoParte, ignorado);
        throw;
    }
    if (!escrito) {
        std::filesystem::remove(arquivoParte, ignorado);
        erro = "Cannot write file " + visivel(parte) + '.';
        return Resultado::EscritorFalhou;
    }
    std::string motivo = kSimulada;
    if (!portao::permite("rename", destino) || !trocaNome(arquivoParte, caminho(destino), motivo)) {
        std::filesystem::remove(arquivoParte, ignorado);
        erro = "Cannot rename file " + visivel(parte) + " to " + visivel(destino) + ". " + motivo;
        return Resultado::PassoFalhou;
    }
    return Resultado::Colocado;
}

}  // namespace pluvexa::parte
