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

// The edits that turn `a` into `b` (letters put in, left out or changed).
std::size_t distancia(const std::string& a, const std::string& b)
{
    std::vector<std::size_t> anterior(b.size() + 1), atual(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        anterior[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        atual[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j)
            atual[j] = std::min({anterior[j] + 1, atual[j - 1] + 1, anterior[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
        std::swap(anterior, atual);
    }
    return anterior[b.size()];
}

// The option the command knows nearest to `nome`, as the other commands
// suggest one: a third of the name may be wrong, at least two letters.
std::string maisProxima(const std::string& nome, std::vector<std::string_view> conhecidas)
{
    conhecidas.insert(conhecidas.end(), {"help", "quiet"});
    std::string melhor;
    std::size_t menor = 0;
    for (const std::string_view c : conhecidas) {
        const std::size_t d = distancia(nome, std::string(c));
        if (melhor.empty() || d < menor) {
            melhor = c;
            menor = d;
        }
    }
    const std::size_t tolerada = std::max<std::size_t>(2, nome.size() / 3);
    return !melhor.empty() && menor <= tolerada && menor < nome.size() ? melhor : std::string();
}

}  // namespace

std::optional<Analise> analisa(const std::vector<std::string>& args, const std::vector<std::string_view>& opcoes,
                               std::string& erro)
{
    Analise a;
    std::vector<std::string> desconhecidas;
    std::string primeiraDigitada;  // the first unknown option as typed, dashes kept
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
            if (desconhecidas.empty())
                primeiraDigitada = arg.substr(0, arg.size() - corpo.size()) + nome;
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
    if (erro.empty() && !desconhecidas.empty()) {
        const std::string proxima = maisProxima(desconhecidas.front(), opcoes);
        erro = "unknown option '" + primeiraDigitada + "'" + (proxima.empty() ? "" : "; did you mean '--" + proxima + "'?");
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
