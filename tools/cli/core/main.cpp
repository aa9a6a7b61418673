// pluvexa-cli: the command-line companion of Pluvexa, for support staff,
// scripts and demonstrations. This entry point links no Qt: it runs the
// coder and envelope commands itself and hands every other command line to
// the full program beside it.

#include "core/direto.h"

int main(int argc, char** argv)
{
    if (const auto status = pluvexa::cli::executaDireto(argc, argv))
        return *status;
    return pluvexa::cli::executaCompleto(argc, argv);
}
