// pluvexa-cli: the command-line companion of Pluvexa, for support staff,
// scripts and demonstrations. This entry point links no Qt: it runs the
// coder and envelope commands itself and hands every other command line to
// the full program beside it.

#include "core/direto.h"
#include "core/saida.h"

int main(int argc, char** argv)
{
    pluvexa::cli::sigpipePadrao();
    if (const auto status = pluvexa::cli::executaDireto(argc, argv))
        return pluvexa::cli::confereSaidaPadrao(*status);
    return pluvexa::cli::executaCompleto(argc, argv);
}
