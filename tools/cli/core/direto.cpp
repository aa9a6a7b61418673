#include "core/direto.h"

#include "core/codificacao.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iostream>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace pluvexa::cli {

namespace {

// A command's arguments once split: its options' values and positionals.
struct Argumentos {
    std::map<std::string, std::string> opcoes;
    std::vector<std::string> posicionais;
};

// Splits `argv` from index 2 taking only the options `conhecidas`, each
// with a value ("--name value" or "--name=value", one dash or two, as the
// full command line accepts them). Anything else that looks like an option,
// a repeated option or a missing value answers nothing: the full command
// line explains it.
std::optional<Argumentos> separa(int argc, char** argv, const std::vector<std::string_view>& conhecidas)
{
    Argumentos a;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.size() < 2 || arg[0] != '-') {
            a.posicionais.emplace_back(arg);
            continue;
        }
        std::string_view nome = arg.substr(arg[1] == '-' ? 2 : 1);
        std::optional<std::string> valor;
        if (const auto igual = nome.find('='); igual != std::string_view::npos) {
            valor = std::string(nome.substr(igual + 1));
            nome = nome.substr(0, igual);
        }
        bool conhecida = false;
        for (const std::string_view c : conhecidas)
            conhecida = conhecida || c == nome;
        if (!conhecida || a.opcoes.count(std::string(nome)))
            return std::nullopt;
        if (!valor) {
            if (i + 1 >= argc)
                return std::nullopt;
            valor = argv[++i];
        }
        a.opcoes[std::string(nome)] = *valor;
    }
    if (a.posicionais.size() != 2)
        return std::nullopt;
    return a;
}

// A whole decimal number from `texto` (the default when the option is
// absent), or nothing.
// Read as 64 bits wherever it runs: `long` has only 32 on Windows, where a
// bound written with it would wrap round.
std::optional<std::int64_t> numero(const Argumentos& a, const std::string& nome, std::int64_t padrao)
{
    const auto it = a.opcoes.find(nome);
    if (it == a.opcoes.end())
        return padrao;
    std::int64_t n = 0;
    const std::string& t = it->second;
    const auto [fim, erro] = std::from_chars(t.data(), t.data() + t.size(), n);
    if (erro != std::errc() || fim != t.data() + t.size() || t.empty())
        return std::nullopt;
    return n;
}

std::optional<int> sela(const Argumentos& a)
{
    const auto c = numero(a, "cipher", 1);
    const auto d = numero(a, "digest", 5);
    if (!a.opcoes.count("signer") || !a.opcoes.count("recipient") || !c || *c < 0 || *c > 4 || !d
        || (*d != 0 && *d != 3 && *d != 5))
        return std::nullopt;
    return cli::sela(a.posicionais[0], a.posicionais[1],
                     {a.opcoes.at("signer"), a.opcoes.at("recipient"), int(*c), int(*d)});
}

std::optional<int> abre(const Argumentos& a)
{
    const auto i = numero(a, "index", 0);
    // Beyond an unsigned position the full program refuses it too; it must
    // never wrap round to another recipient.
    if (!a.opcoes.count("key") || !a.opcoes.count("sender") || !i || *i < 0
        || *i > std::int64_t(std::numeric_limits<unsigned>::max()))
        return std::nullopt;
    return cli::abre(a.posicionais[0], a.posicionais[1],
                     {a.opcoes.at("key"), a.opcoes.at("sender"), unsigned(*i)});
}

}  // namespace

const std::vector<ComandoDireto>& comandosDiretos()
{
    static const std::vector<ComandoDireto> comandos = {
        {"compress", {}},
        {"expand", {}},
        {"seal", {"signer", "recipient", "cipher", "digest"}},
        {"open", {"key", "sender", "index"}},
    };
    return comandos;
}

std::optional<int> executaDireto(int argc, char** argv)
{
    if (argc < 2)
        return std::nullopt;
    const std::string_view comando = argv[1];
    const auto& comandos = comandosDiretos();
    const auto direto = std::find_if(comandos.begin(), comandos.end(),
                                     [&](const ComandoDireto& c) { return c.nome == comando; });
    if (direto == comandos.end())
        return std::nullopt;
    const auto a = separa(argc, argv, direto->opcoes);
    if (!a)
        return std::nullopt;
    if (comando == "compress" || comando == "expand")
        return comando == "compress" ? comprime(a->posicionais[0], a->posicionais[1])
                                     : expande(a->posicionais[0], a->posicionais[1]);
    // Only the coder's own commands show its progress.
    std::ostringstream silencio;
    std::streambuf* saida = std::cout.rdbuf(silencio.rdbuf());
    const std::optional<int> r = comando == "seal" ? sela(*a) : abre(*a);
    std::cout.rdbuf(saida);
    return r;
}

}  // namespace pluvexa::cli
