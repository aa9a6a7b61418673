#include "exchange/escrita/tabelasaida.h"

#include <algorithm>

namespace pluvexa {

namespace {

constexpr int kMargem = 2;
constexpr int kLarguraMaxima = 60;

qsizetype mostrados(const CelulaSaida& c)
{
    if (c.tipo != CelulaSaida::Tipo::Numero || c.formato == CelulaSaida::Formato::Geral)
        return c.texto.size();
    // The integer part gains a separator every three digits.
    const qsizetype virgula = c.texto.indexOf(QLatin1Char(','));
    const qsizetype inteiros = (virgula < 0 ? c.texto.size() : virgula) - (c.texto.startsWith(QLatin1Char('-')) ? 1 : 0);
    return c.texto.size() + std::max<qsizetype>(0, (inteiros - 1) / 3);
}

}  // namespace

std::vector<int> largurasColunas(const TabelaSaida& tabela)
{
    std::vector<qsizetype> maior(std::size_t(tabela.cabecalho.size()), 0);
    for (qsizetype i = 0; i < tabela.cabecalho.size(); ++i)
        maior[std::size_t(i)] = tabela.cabecalho[i].size();
    for (const std::vector<CelulaSaida>& linha : tabela.linhas)
        for (std::size_t i = 0; i < linha.size() && i < maior.size(); ++i)
            maior[i] = std::max(maior[i], mostrados(linha[i]));
    std::vector<int> larguras;
    larguras.reserve(maior.size());
    for (const qsizetype m : maior)
        larguras.push_back(int(std::min<qsizetype>(m + kMargem, kLarguraMaxima)));
    return larguras;
}

}  // namespace pluvexa
