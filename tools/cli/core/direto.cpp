#include "core/direto.h"

#include "core/codificacao.h"
#include "core/saida.h"
#include "core/uso.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <limits>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace pluvexa::cli {

namespace {

// The help of each command, as Qt's parser lays out the other commands'.
constexpr const char* kAjudaCompress =
    "Usage: pluvexa-cli compress [options] IN OUT\n"
    "Compresses IN into OUT with the recharge files' LZW coder. Refuses an IN\n"
    "whose stream the central could not expand (a string of more than 4000\n"
    "bytes: a run of some 8 MB of one repeated byte).\n"
    "Exit status: 0 OUT written, 1 IN cannot be read or compressed for the central,\n"
    "or OUT cannot be written, 2 wrong usage.\n"
    "\n"
    "Options:\n"
    "  -h, --help  Show this help.\n"
    "  --quiet     leave out the coder's progress (\"Compressing...\", its stars)\n"
    "\n"
    "Arguments:\n"
    "  IN          input file\n"
    "  OUT         output file\n";

constexpr const char* kAjudaExpand =
    "Usage: pluvexa-cli expand [options] IN OUT\n"
    "Expands the LZW stream IN into OUT.\n"
    "Exit status: 0 OUT written, 1 IN is no LZW stream (or would expand beyond 64\n"
    "MiB), IN cannot be read or OUT cannot be written, 2 wrong usage.\n"
    "\n"
    "Options:\n"
    "  -h, --help  Show this help.\n"
    "  --quiet     leave out the coder's progress (\"Compressing...\", its stars)\n"
    "\n"
    "Arguments:\n"
    "  IN          input file\n"
    "  OUT         output file\n";

constexpr const char* kAjudaSeal =
    "Usage: pluvexa-cli seal [options] IN OUT\n"
    "Seals IN into the envelope OUT, signed with the signer's private key and\n"
    "readable by the recipient. A failure prints the envelope's code and its name\n"
    "(listed under open), e.g. \"error 245 (too large)\".\n"
    "Exit status: 0 OUT written, 1 a key record or IN cannot be read, the sealing\n"
    "failed (\"error NNNN\", the envelope's code) or OUT cannot be written, 2 wrong\n"
    "usage.\n"
    "\n"
    "Options:\n"
    "  --signer <PRIVATE>    signer's private key record\n"
    "  --recipient <PUBLIC>  recipient's public key record\n"
    "  --cipher <0-4>        0 none, 1 DES-CBC, 2 two-key 3DES, 3 three-key 3DES, 4\n"
    "                        DESX (default 1)\n"
    "  --digest <0|3|5>      0 none, 3 MD2, 5 MD5 (default 5)\n"
    "  -h, --help            Show this help.\n"
    "  --quiet               leave out the coder's progress (\"Compressing...\",\n"
    "                        its stars)\n"
    "\n"
    "Arguments:\n"
    "  IN                    file to seal\n"
    "  OUT                   envelope to write\n";

constexpr const char* kAjudaOpen =
    "Usage: pluvexa-cli open [options] IN OUT\n"
    "Opens the envelope IN into OUT with the recipient's private key and checks\n"
    "its signature with the sender's public key. A failure prints the envelope's\n"
    "code and its name, and when IN itself stopped the opening a second line says\n"
    "what it is: empty, cut short (\"ends early\"), plain recharge text, a draft,\n"
    "not sealed for this key, or altered (or sealed for another key). Codes: 241\n"
    "input unreadable or not an envelope, 242 output not created, 243 no key block\n"
    "for the recipient, 244 write failed, 245 too large, 246 no random source, 1026\n"
    "bad digest selector, 1028 bad padding, 1030 block too long, 1031 key too long,\n"
    "1033 private-key operation failed, 1034 public-key operation failed, 1035 bad\n"
    "signature, 1037 bad cipher selector.\n"
    "Exit status: 0 OUT written and the signature checked, 1 a key record or IN\n"
    "cannot be read, the envelope does not open or its signature does not match\n"
    "(\"error NNNN\", the envelope's code) or OUT cannot be written, 2 wrong usage.\n"
    "\n"
    "Options:\n"
    "  --key <PRIVATE>    recipient's private key record\n"
    "  --sender <PUBLIC>  sender's public key record\n"
    "  --index <N>        recipient position, from 0 (default 0)\n"
    "  -h, --help         Show this help.\n"
    "  --quiet            leave out the coder's progress (\"Compressing...\", its\n"
    "                     stars)\n"
    "\n"
    "Arguments:\n"
    "  IN                 envelope to open\n"
    "  OUT                plain file to write\n";

// A usage error in the command's own words: Falha's sibling, exit 2.
int usoErrado(const std::string& mensagem)
{
    std::fprintf(stderr, "%s\n", mensagem.c_str());
    return UsoErrado;
}

std::string valor(const Analise& a, const char* nome, const char* padrao)
{
    const auto it = a.opcoes.find(nome);
    return it == a.opcoes.end() ? padrao : it->second;
}

int sela(const Analise& a)
{
    const auto c = inteiro(valor(a, "cipher", "1"), 0, 4);
    const auto d = inteiro(valor(a, "digest", "5"), 0, 5);
    if (!a.opcoes.count("signer") || !a.opcoes.count("recipient") || !c || !d || (*d != 0 && *d != 3 && *d != 5))
        return usoErrado("pluvexa-cli seal: --signer and --recipient are required; --cipher 0-4, --digest 0, 3 or 5");
    return cli::sela(a.posicionais[0], a.posicionais[1],
                     {a.opcoes.at("signer"), a.opcoes.at("recipient"), int(*c), int(*d)});
}

int abre(const Analise& a)
{
    // Any recipient position an unsigned number holds, and nothing beyond:
    // it must never wrap round to another recipient.
    const auto i = inteiro(valor(a, "index", "0"), 0, std::numeric_limits<unsigned>::max());
    if (!a.opcoes.count("key") || !a.opcoes.count("sender") || !i)
        return usoErrado("pluvexa-cli open: --key and --sender are required; --index is a number from 0");
    return cli::abre(a.posicionais[0], a.posicionais[1],
                     {a.opcoes.at("key"), a.opcoes.at("sender"), unsigned(*i)});
}

struct Comando {
    ComandoDireto direto;
    const char* ajuda;
};

const std::vector<Comando>& comandos()
{
    static const std::vector<Comando> c = {
        {{"compress", {}}, kAjudaCompress},
        {{"expand", {}}, kAjudaExpand},
        {{"seal", {"signer", "recipient", "cipher", "digest"}}, kAjudaSeal},
        {{"open", {"key", "sender", "index"}}, kAjudaOpen},
    };
    return c;
}

}  // namespace

const std::vector<ComandoDireto>& comandosDiretos()
{
    static const std::vector<ComandoDireto> c = [] {
        std::vector<ComandoDireto> lista;
        for (const Comando& comando : comandos())
            lista.push_back(comando.direto);
        return lista;
    }();
    return c;
}

std::optional<int> executaComando(const std::vector<std::string>& args)
{
    if (args.empty())
        return std::nullopt;
    const auto& todos = comandos();
    const auto comando = std::find_if(todos.begin(), todos.end(),
                                      [&](const Comando& c) { return c.direto.nome == args[0]; });
    if (comando == todos.end())
        return std::nullopt;
    std::string erro;
    const auto a = analisa(args, comando->direto.opcoes, erro);
    if (!a)
        return usoErrado("pluvexa-cli: " + erro);
    if (a->ajuda) {
        std::fputs(comando->ajuda, stdout);
        return Sucesso;
    }
    if (a->posicionais.size() != 2)
        return usoErrado("pluvexa-cli " + args[0] + ": expected 2 argument(s), see --help");
    if (args[0] == "compress" || args[0] == "expand") {
        std::optional<SemProgresso> calado;
        if (a->silencioso)
            calado.emplace();
        return args[0] == "compress" ? comprime(a->posicionais[0], a->posicionais[1])
                                     : expande(a->posicionais[0], a->posicionais[1]);
    }
    // Only the coder's own commands show its progress.
    std::ostringstream silencio;
    std::streambuf* saida = std::cout.rdbuf(silencio.rdbuf());
    const int r = args[0] == "seal" ? sela(*a) : abre(*a);
    std::cout.rdbuf(saida);
    return r;
}

std::optional<int> executaDireto(int argc, char** argv)
{
    if (argc < 2)
        return std::nullopt;
    return executaComando(std::vector<std::string>(argv + 1, argv + argc));
}

}  // namespace pluvexa::cli
