#include "files/core/parte.h"

#include "files/core/especie.h"
#include "files/core/portao.h"
#include "files/core/temporario.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace pluvexa::parte {

const char* const kSimulada = "Simulated failure.";

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

std::string escapado(const std::string& bytes)
{
    std::string s;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F) {
            s += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            s += hex;
        }
    }
    return s;
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
    if (const std::string recusa = especie::confereSaida(destino); !recusa.empty()) {
        erro = recusa;
        return Resultado::PassoFalhou;
    }
    if (!portao::permite("write", destino)) {
        erro = "Cannot create a temporary file for " + visivel(destino) + ". " + kSimulada;
        return Resultado::PassoFalhou;
    }
    std::string motivo;
    const std::string temporario = temporario::cria(destino, motivo);
    if (temporario.empty()) {
        erro = "Cannot create a temporary file for " + visivel(destino) + ". " + motivo;
        return Resultado::PassoFalhou;
    }
    const std::filesystem::path arquivo = caminho(temporario);
    bool escrito = false;
    try {
        escrito = escritor(arquivo);
    } catch (...) {
        temporario::remove(temporario);
        throw;
    }
    if (!escrito) {
        temporario::remove(temporario);
        erro = "Cannot write file " + visivel(temporario) + '.';
        return Resultado::EscritorFalhou;
    }
    motivo = kSimulada;
    if (!temporario::intacto(temporario))
        motivo = "It was replaced while being written.";
    else if (const std::string recusa = especie::confereSaida(destino); !recusa.empty())
        motivo = recusa + '.';
    else if (portao::permite("rename", destino) && trocaNome(arquivo, caminho(destino), motivo)) {
        temporario::esquece(temporario);
        return Resultado::Colocado;
    }
    temporario::remove(temporario);
    erro = "Cannot rename file " + visivel(temporario) + " to " + visivel(destino) + ". " + motivo;
    return Resultado::PassoFalhou;
}

}  // namespace pluvexa::parte
