// pluvexa-cli: the command-line companion of Pluvexa, for support staff,
// scripts and demonstrations. This entry point links no Qt: it runs the
// coder and envelope commands itself and hands every other command line to
// the full program beside it.

#include "core/direto.h"
#include "core/saida.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

// The arguments as typed, in UTF-8: the char* ones are in the ANSI code
// page, which turns a letter outside it into '?' and an accent into a byte
// no UTF-8 path holds.
std::vector<std::string> argumentosUtf8()
{
    std::vector<std::string> args;
    int n = 0;
    wchar_t** largos = CommandLineToArgvW(GetCommandLineW(), &n);
    for (int i = 0; largos && i < n; ++i) {
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, largos[i], -1, nullptr, 0, nullptr, nullptr);
        std::string s(std::size_t(bytes > 0 ? bytes : 1), '\0');
        if (bytes > 0)
            WideCharToMultiByte(CP_UTF8, 0, largos[i], -1, s.data(), bytes, nullptr, nullptr);
        s.resize(s.size() - 1);  // the final NUL
        args.push_back(std::move(s));
    }
    LocalFree(largos);
    return args;
}

}  // namespace

#endif

int main(int argc, char** argv)
{
    pluvexa::cli::sigpipePadrao();
#ifdef _WIN32
    std::vector<std::string> args = argumentosUtf8();
    std::vector<char*> ponteiros;
    for (std::string& a : args)
        ponteiros.push_back(a.data());
    ponteiros.push_back(nullptr);
    argc = int(args.size());
    argv = ponteiros.data();
#endif
    if (const auto status = pluvexa::cli::executaDireto(argc, argv))
        return pluvexa::cli::confereSaidaPadrao(*status);
    return pluvexa::cli::executaCompleto(argc, argv);
}
