#include "core/saida.h"

#include <cstdio>

namespace pluvexa::cli {

int falha(const std::string& message)
{
    std::fprintf(stderr, "pluvexa-cli: %s\n", message.c_str());
    return Falha;
}

}  // namespace pluvexa::cli
