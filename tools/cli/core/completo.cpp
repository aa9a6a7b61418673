#include "core/direto.h"
#include "core/saida.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <unistd.h>

namespace pluvexa::cli {

namespace {

// The folder of this program's own file ("." when the system cannot say).
std::string pastaPropria()
{
    char caminho[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", caminho, sizeof caminho - 1);
    if (n <= 0)
        return ".";
    const std::string s(caminho, std::size_t(n));
    const auto barra = s.rfind('/');
    return barra == std::string::npos ? "." : s.substr(0, barra);
}

}  // namespace

int executaCompleto(int argc, char** argv)
{
    (void)argc;
    const std::string completo = pastaPropria() + "/pluvexa-cli-full";
    // The full command line takes this process's place: its output, exit
    // status and signals are the caller's directly.
    ::execv(completo.c_str(), argv);
    return falha("cannot run " + completo + ": " + std::strerror(errno));
}

}  // namespace pluvexa::cli
