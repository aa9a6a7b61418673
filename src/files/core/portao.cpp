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

Motivo motivo()
{
    if (g_contagem && g_contagem->codigo != 0)
        return Motivo::sistema(g_contagem->codigo);
    return Motivo::proprio("Simulated failure.", "falha simulada");
}

}  // namespace pluvexa::portao
