#include "core/direto.h"
#include "core/saida.h"

#include <cstdio>
#include <string>

#ifndef PLUVEXA_CLI_SEM_COMPLETO
#include <cerrno>
#include <climits>
#include <cstring>
#include <unistd.h>
#endif

namespace pluvexa::cli {

#ifdef PLUVEXA_CLI_SEM_COMPLETO

// A build of the core alone has no full command line to hand over to (and
// Windows no execv to do it with: its _execv starts a second process and
// answers the caller at once).
int executaCompleto(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs("pluvexa-cli: this build runs only compress, expand, seal and open\n", stderr);
        return UsoErrado;
    }
    return falha(std::string(argv[1]) + " needs pluvexa-cli-full, which this build does not include");
}

#else

namespace {

// The folder of this program's own file as the system reports it; empty
// when it cannot say. Never the current folder: a "pluvexa-cli-full" that
// happens to lie there is not ours to run.
std::string pastaPropria()
{
    char caminho[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", caminho, sizeof caminho - 1);
    if (n <= 0)
        return {};
    const std::string s(caminho, std::size_t(n));
    const auto barra = s.rfind('/');
    if (barra == std::string::npos || s.front() != '/')
        return {};
    return s.substr(0, barra);
}

}  // namespace

int executaCompleto(int argc, char** argv)
{
    (void)argc;
    const std::string pasta = pastaPropria();
    if (pasta.empty())
        return falha("cannot find pluvexa-cli-full beside this program");
    const std::string completo = pasta + "/pluvexa-cli-full";
    // The full command line takes this process's place: its output, exit
    // status and signals are the caller's directly.
    ::execv(completo.c_str(), argv);
    return falha("cannot run " + completo + ": " + std::strerror(errno));
}

#endif

}  // namespace pluvexa::cli
