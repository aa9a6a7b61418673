#include "exchange/livros/montaaba.h"

#include "exchange/livros/erroslivro.h"
#include "exchange/livros/limiteslivro.h"

#include <algorithm>

namespace pluvexa::livros {

MontaAba::MontaAba(QString nome, std::int64_t& celulas) : m_celulas(celulas)
{
    m_aba.nome = std::move(nome);
}

void MontaAba::confereLinha(std::int64_t linha) const
{
    if (linha > kMaisLinhas)
        throw ErroLivro(textoGrandeLinhas(m_aba.nome));
}

void MontaAba::conta(std::int64_t novas)
{
    m_celulas += novas;
    if (m_celulas > kMaisCelulas)
        throw ErroLivro(textoGrandeCelulas());
}

void MontaAba::poe(std::int64_t linha, std::int64_t coluna, CelulaPlanilha celula)
{
    if (linha < 1 || coluna < 1)
        return;
    confereLinha(linha);
    if (coluna > kMaisColunas)
        throw ErroLivro(textoGrandeColunas(m_aba.nome));
    std::vector<LinhaTabela>& linhas = m_aba.linhas;
    if (linhas.empty() || linhas.back().linha != linha) {
        if (!linhas.empty() && linhas.back().linha > linha)
            m_foraDeOrdem = true;
        linhas.push_back(LinhaTabela{int(linha), {}});
    }
    std::vector<CelulaPlanilha>& celulas = linhas.back().celulas;
    const auto indice = std::size_t(coluna - 1);
    if (indice >= celulas.size()) {
        conta(std::int64_t(indice + 1 - celulas.size()));
        celulas.resize(indice + 1);
    }
    celulas[indice] = std::move(celula);
}

void MontaAba::repeteUltima(std::int64_t vezes)
{
    if (vezes <= 0 || m_aba.linhas.empty())
        return;
    const LinhaTabela modelo = m_aba.linhas.back();
    confereLinha(std::int64_t(modelo.linha) + vezes);
    conta(vezes * std::int64_t(modelo.celulas.size()));
    for (std::int64_t i = 1; i <= vezes; ++i) {
        LinhaTabela copia = modelo;
        copia.linha = int(modelo.linha + i);
        m_aba.linhas.push_back(std::move(copia));
    }
}

AbaPlanilha MontaAba::termina()
{
    if (m_foraDeOrdem) {
        // Rows given twice are one row: the later cells win.
        std::stable_sort(m_aba.linhas.begin(), m_aba.linhas.end(),
                         [](const LinhaTabela& a, const LinhaTabela& b) { return a.linha < b.linha; });
        std::vector<LinhaTabela> unidas;
        for (LinhaTabela& l : m_aba.linhas) {
            if (unidas.empty() || unidas.back().linha != l.linha) {
                unidas.push_back(std::move(l));
                continue;
            }
            std::vector<CelulaPlanilha>& destino = unidas.back().celulas;
            if (destino.size() < l.celulas.size())
                destino.resize(l.celulas.size());
            for (std::size_t c = 0; c < l.celulas.size(); ++c)
                if (l.celulas[c].tipo != CelulaPlanilha::Tipo::Vazia)
                    destino[c] = std::move(l.celulas[c]);
        }
        m_aba.linhas = std::move(unidas);
    }
    return std::move(m_aba);
}

}  // namespace pluvexa::livros
