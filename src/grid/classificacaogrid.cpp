#include "grid/classificacaogrid.h"

#include "grid/celulasgrid.h"
#include "grid/preenchegrid.h"
#include "grid/tabelagrid.h"
#include "recharge/cp1252.h"
#include "recharge/listagem.h"
#include "recharge/moeda.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace pluvexa {

namespace {

// One grid row while it is being sorted: the entry that gives the key and
// the texts that are shown again as they were.
struct LinhaClassificada {
    ORecarga e;
    QString usuario, cartao, cmm;
    QString matricula;
    QString nome;
    std::array<QString, 3> historico;
    int titular;
    std::string chave;
};

// True when `texto` is exactly how QString::number writes a whole number
// (no blanks, no plus sign, no leading zeros), so the cell's own text can be
// shown again instead of writing the number anew.
bool escritaCanonica(const QString& texto)
{
    qsizetype i = 0;
    if (i < texto.size() && texto[i] == u'-')
        ++i;
    if (i == texto.size() || (texto[i] == u'0' && (texto.size() > i + 1 || i > 0)))
        return false;
    for (; i < texto.size(); ++i)
        if (texto[i] < u'0' || texto[i] > u'9')
            return false;
    return true;
}

QString textoInteiro(QString&& lido, int valor)
{
    return escritaCanonica(lido) ? std::move(lido) : QString::number(valor);
}

std::string prefixoChave(int tipoCartao, int tarifa)
{
    std::string k;
    acrescentaNumero(k, tipoCartao, 2);
    acrescentaNumero(k, tarifa, 2);
    return k;
}

bool menor(const std::string& a, const std::string& b)
{
    // Byte order of the code page: unsigned, a prefix before its longer keys.
    const size_t n = std::min(a.size(), b.size());
    const int c = std::memcmp(a.data(), b.data(), n);
    return c < 0 || (c == 0 && a.size() < b.size());
}

}  // namespace

std::string chaveClassificacao(const ORecarga& e, Classificacao ordem)
{
    std::string k = prefixoChave(e.TipoCartao, e.Tarifa);
    k.reserve(k.size() + 22 + std::max(e.Nome.size(), e.Matricula.size()));
    switch (ordem) {
    case Classificacao::Codigo:
        acrescentaNumero(k, e.Usuario, 11);
        break;
    case Classificacao::Alfabetica:
        k += e.Nome;
        break;
    case Classificacao::Matricula:
        k += e.Matricula;
        break;
    }
    acrescentaNumero(k, e.Cartao, 11);
    return k;
}

ResultadoClassificacao ClassificaGrid(TabelaGrid& grid, ModeloRecarga& m, SelecaoGrid& sel,
                                      Classificacao ordem, const AvisosJanela& avisos, IndiceLinhas* indice)
{
    ResultadoClassificacao res;
    avisos.avisaStatus(QStringLiteral("Classificando Grid. Aguarde!!!"));
    avisos.mensagens();

    res.atualizacao = AtualizaArrayRecargas(grid, m, sel, avisos);
    if (res.atualizacao.erro) {
        res.erro = res.atualizacao.erro;
        return res;
    }

    // Every row is read before anything moves, so a cell that is no number
    // leaves the grid untouched.
    const int linhas = grid.rowCount();
    std::vector<LinhaClassificada> entradas;
    entradas.reserve(size_t(std::max(linhas - 1, 0)));
    for (int r = 1; r < linhas; ++r) {
        LinhaClassificada l;
        l.usuario = grid.cell(kColUsuario, r);
        l.cartao = grid.cell(kColCartao, r);
        l.cmm = grid.cell(kColCMM, r);
        const QString valor = grid.cell(kColValor, r);
        const std::optional<int> u = leInteiro(l.usuario);
        if (!u) { res.erro = erroInteiro(l.usuario); return res; }
        const std::optional<int> c = leInteiro(l.cartao);
        if (!c) { res.erro = erroInteiro(l.cartao); return res; }
        const std::optional<int> q = leInteiro(l.cmm);
        if (!q) { res.erro = erroInteiro(l.cmm); return res; }
        const std::optional<Moeda> v = leMoeda(valor);
        if (!v) { res.erro = erroMoeda(valor); return res; }
        l.matricula = grid.cell(kColMatricula, r);
        l.nome = grid.cell(kColNome, r);
        l.e.Usuario = *u;
        l.e.Cartao = *c;
        // Only the text the key uses is taken back to the file's bytes.
        if (ordem == Classificacao::Matricula)
            l.e.Matricula = paraCp1252(l.matricula);
        if (ordem == Classificacao::Alfabetica)
            l.e.Nome = paraCp1252(l.nome);
        l.e.CMM = *q;
        l.e.Valor = v->paraDouble();
        l.e.TipoCartao = sel.TipoCartaoSel;
        l.e.Tarifa = sel.TarifaSel;
        for (int j = 0; j < 3; ++j)
            l.historico[size_t(j)] = grid.cell(kColHistorico + j, r);
        l.titular = indice ? indice->titular(r) : -1;
        l.chave = chaveClassificacao(l.e, ordem);
        entradas.push_back(std::move(l));
    }

    // Keys are built once and sorted beside their entry numbers. Every key
    // starts with the same card type and tariff, so the 8 bytes after that
    // part, read as a big-endian number, settle most comparisons without
    // touching the key's text (a shorter key pads with zero bytes, which
    // keeps the order; equal numbers fall back to the whole key). The sort
    // is stable, so rows of equal keys keep their order.
    const size_t comum = prefixoChave(sel.TipoCartaoSel, sel.TarifaSel).size();
    struct Chave {
        std::uint64_t inicio;
        int entrada;
        std::string texto;
    };
    std::vector<Chave> chaves;
    chaves.reserve(entradas.size());
    for (size_t i = 0; i < entradas.size(); ++i) {
        std::string& k = entradas[i].chave;
        std::uint64_t inicio = 0;
        for (size_t b = comum; b < comum + 8; ++b)
            inicio = (inicio << 8) | (b < k.size() ? std::uint64_t(static_cast<unsigned char>(k[b])) : 0u);
        chaves.push_back({inicio, int(i), std::move(k)});
    }
    std::stable_sort(chaves.begin(), chaves.end(), [](const Chave& a, const Chave& b) {
        if (a.inicio != b.inicio)
            return a.inicio < b.inicio;
        return menor(a.texto, b.texto);
    });

    grid.setRowCount(2);
    grid.setFixedRows(1);
    escreveCabecalhoFixo(grid, kColValor);
    aplicaModalidade(grid, m, sel, avisos);

    const int largura = std::max(grid.columnCount(), kColunasDinheiro);
    std::vector<QString> celulas(entradas.size() * size_t(largura));
    std::vector<int> titularDaLinha{-1};
    titularDaLinha.reserve(entradas.size() + 1);
    TextosValor texto(sel.FormatoValor);
    for (size_t p = 0; p < chaves.size(); ++p) {
        LinhaClassificada& l = entradas[size_t(chaves[p].entrada)];
        QString* linha = celulas.data() + p * size_t(largura);
        linha[kColUsuario] = textoInteiro(std::move(l.usuario), l.e.Usuario);
        linha[kColCartao] = textoInteiro(std::move(l.cartao), l.e.Cartao);
        linha[kColMatricula] = std::move(l.matricula);
        linha[kColNome] = std::move(l.nome);
        linha[kColCMM] = textoInteiro(std::move(l.cmm), l.e.CMM);
        linha[kColValor] = texto(l.e.Valor);
        for (int j = 0; j < 3; ++j)
            linha[kColHistorico + j] = std::move(l.historico[size_t(j)]);
        titularDaLinha.push_back(l.titular);
    }
    grid.setRows(1, largura, std::move(celulas));
    if (indice)
        indice->define(std::move(titularDaLinha), indice->qtdTitulares());

    avisos.avisaStatus(QStringLiteral("Grid Classificado"));
    avisos.mensagens();
    return res;
}

}  // namespace pluvexa
