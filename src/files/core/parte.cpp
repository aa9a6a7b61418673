#include "files/core/parte.h"

#include "files/core/natureza.h"
#include "files/core/portao.h"
#include "files/core/temporario.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#endif

namespace pluvexa::parte {

std::filesystem::path caminho(const std::string& utf8)
{
#ifdef _WIN32
    const std::filesystem::path dado(std::u8string(utf8.begin(), utf8.end()));
    const std::wstring largo = dado.wstring();
    // Already in the system's own form: taken exactly as given.
    if (largo.empty() || largo.rfind(LR"(\\?\)", 0) == 0 || largo.rfind(LR"(\\.\)", 0) == 0)
        return dado;
    // Made whole by the system (the current drive and folder, "/" as "\",
    // "." and ".." resolved, a share kept as one), which the prefix needs:
    // with it the system takes the path as it stands, beyond 260 characters.
    std::wstring absoluto(MAX_PATH, L'\0');
    DWORD n = GetFullPathNameW(largo.c_str(), DWORD(absoluto.size()), absoluto.data(), nullptr);
    if (n >= absoluto.size()) {
        absoluto.resize(n);
        n = GetFullPathNameW(largo.c_str(), DWORD(absoluto.size()), absoluto.data(), nullptr);
    }
    if (n == 0 || n >= absoluto.size())
        return dado;
    absoluto.resize(n);
    if (absoluto.rfind(LR"(\\)", 0) == 0)
        return LR"(\\?\UNC\)" + absoluto.substr(2);
    return LR"(\\?\)" + absoluto;
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

Motivo motivoDoEscritor()
{
    const int codigo = codigoUltimo();
    if (falhaDeGravacao(codigo))
        return Motivo::sistema(codigo);
    return Motivo::proprio({}, "o conteúdo não pôde ser gerado");
}

bool trocaNome(const std::filesystem::path& de, const std::filesystem::path& para, Motivo& motivo)
{
#ifdef _WIN32
    const bool ok = MoveFileExW(de.c_str(), para.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    const bool ok = std::rename(de.c_str(), para.c_str()) == 0;
#endif
    if (!ok)
        motivo = Motivo::ultimo();
    return ok;
}

Resultado produz(const std::string& destino, const std::function<bool(const std::filesystem::path&)>& escritor,
                 FalhaArquivo& falha)
{
    auto falhou = [&](Operacao operacao, const Motivo& motivo, std::string mensagem) {
        falha = {operacao, destino, false, motivo, std::move(mensagem)};
        return Resultado::PassoFalhou;
    };
    Motivo motivo;
    if (const natureza::Estado estado = natureza::saida(destino, motivo); estado != natureza::Estado::Aceito) {
        falha = natureza::falha(estado, destino, motivo, true);
        return Resultado::PassoFalhou;
    }
    const std::string criacao = "Cannot create a temporary file for " + visivel(destino) + ". ";
    if (!portao::permite("write", destino))
        return falhou(Operacao::Criar, portao::motivo(), criacao + portao::motivo().ingles);
    const std::string temporario = temporario::cria(destino, motivo);
    if (temporario.empty())
        return falhou(Operacao::Criar, motivo, criacao + motivo.ingles);
    const std::filesystem::path arquivo = caminho(temporario);
    bool escrito = false;
    try {
        limpaCodigo();
        escrito = escritor(arquivo);
    } catch (...) {
        temporario::remove(temporario);
        throw;
    }
    if (!escrito) {
        motivo = motivoDoEscritor();
        temporario::remove(temporario);
        falhou(Operacao::Gravar, motivo,
               "Cannot write file " + visivel(temporario) + '.' + (motivo.codigo ? ' ' + motivo.ingles : ""));
        return Resultado::EscritorFalhou;
    }
    motivo = portao::motivo();
    if (!temporario::intacto(temporario)) {
        motivo = Motivo::proprio("It was replaced while being written.", "foi substituído enquanto era gravado");
    } else if (const natureza::Estado estado = natureza::saida(destino, motivo); estado != natureza::Estado::Aceito) {
        const FalhaArquivo recusa = natureza::falha(estado, destino, motivo, true);
        motivo = recusa.motivo;
        motivo.ingles = recusa.mensagem + '.';
    } else if (portao::permite("rename", destino)) {
        if (trocaNome(arquivo, caminho(destino), motivo)) {
            temporario::esquece(temporario);
            return Resultado::Colocado;
        }
    } else {
        motivo = portao::motivo();
    }
    temporario::remove(temporario);
    return falhou(Operacao::Renomear, motivo,
                  "Cannot rename file " + visivel(temporario) + " to " + visivel(destino) + ". " + motivo.ingles);
}

}  // namespace pluvexa::parte
