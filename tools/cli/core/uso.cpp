#include "core/uso.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace pluvexa::cli {

namespace {

bool eAjuda(std::string_view nome)
{
    return nome == "h" || nome == "help";
}

}  // namespace

std::optional<Analise> analisa(const std::vector<std::string>& args, const std::vector<std::string_view>& opcoes,
                               std::string& erro)
{
    Analise a;
    std::vector<std::string> desconhecidas;
    erro.clear();
    bool soPosicionais = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (soPosicionais || arg.size() < 2 || arg[0] != '-') {
            a.posicionais.push_back(arg);
            continue;
        }
        if (arg == "--") {
            soPosicionais = true;
            continue;
        }
        // One dash or two: a word is an option's name either way.
        const std::string corpo = arg.substr(arg[1] == '-' ? 2 : 1);
        const auto igual = corpo.find('=');
        const std::string nome = corpo.substr(0, igual);
        if (eAjuda(nome)) {
            if (igual != std::string::npos)
                erro = "Unexpected value after '" + arg.substr(0, arg.size() - corpo.size() + igual) + "'.";
            else
                a.ajuda = true;
            continue;
        }
        if (nome == "quiet") {
            if (igual != std::string::npos)
                erro = "Unexpected value after '" + arg.substr(0, arg.size() - corpo.size() + igual) + "'.";
            else
                a.silencioso = true;
            continue;
        }
        if (std::find(opcoes.begin(), opcoes.end(), nome) == opcoes.end()) {
            desconhecidas.push_back(nome);
            continue;
        }
        if (igual != std::string::npos) {
            a.opcoes[nome] = corpo.substr(igual + 1);
        } else if (i + 1 < args.size()) {
            a.opcoes[nome] = args[++i];
        } else {
            erro = "Missing value after '" + arg + "'.";
        }
    }
    if (erro.empty() && desconhecidas.size() == 1)
        erro = "Unknown option '" + desconhecidas.front() + "'.";
    if (erro.empty() && desconhecidas.size() > 1) {
        erro = "Unknown options: ";
        for (std::size_t i = 0; i < desconhecidas.size(); ++i)
            erro += (i ? ", " : "") + desconhecidas[i];
        erro += '.';
    }
    if (!erro.empty())
        return std::nullopt;
    return a;
}

std::optional<long long> inteiro(const std::string& texto, long long minimo, long long maximo)
{
    std::size_t inicio = 0;
    std::size_t fim = texto.size();
    while (inicio < fim && std::isspace(static_cast<unsigned char>(texto[inicio])))
        ++inicio;
    while (fim > inicio && std::isspace(static_cast<unsigned char>(texto[fim - 1])))
        --fim;
    bool negativo = false;
    if (inicio < fim && (texto[inicio] == '+' || texto[inicio] == '-')) {
        negativo = texto[inicio] == '-';
        ++inicio;
    }
    if (inicio == fim)
        return std::nullopt;
    // Read as 64 bits wherever it runs (`long` has 32 on Windows), with a
    // limit well beyond any bound asked for, so nothing wraps round.
    std::int64_t n = 0;
    for (std::size_t i = inicio; i < fim; ++i) {
        if (texto[i] < '0' || texto[i] > '9' || n > (std::int64_t(1) << 40))
            return std::nullopt;
        n = n * 10 + (texto[i] - '0');
    }
    if (negativo)
        n = -n;
    if (n < minimo || n > maximo)
        return std::nullopt;
    return n;
}

}  // namespace pluvexa::cli
