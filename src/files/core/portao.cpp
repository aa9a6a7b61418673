#include "files/core/portao.h"

namespace pluvexa::portao {

namespace {
Contagem* g_contagem = nullptr;
}

void instala(Contagem* contagem)
{
    g_contagem = contagem;
}

Contagem* instalada()
{
    return g_contagem;
}

bool permite(const char* passo, const std::string& caminho)
{
    if (!g_contagem)
        return true;
    Contagem& c = *g_contagem;
    ++c.operacoes;
    c.registro.push_back(std::string(passo) + ' ' + caminho);
    if (c.operacoes != c.falhaNa)
        return true;
    c.falhou = true;
    return false;
}

}  // namespace pluvexa::portao
