#include "grid/preenchegrid.h"

#include "grid/celulasgrid.h"
#include "grid/filtroportadores.h"
#include "grid/tabelagrid.h"
#include "recharge/cp1252.h"

#include <algorithm>
#include <array>

namespace pluvexa {

namespace {

constexpr std::array<int, kColunasDinheiro> kLarguras = {65, 65, 65, 240, 50, 65, 100, 100, 100};
constexpr int kLarguraHistorico = 100;

const std::array<QString, 5> kCabecalhoFixo = {
    QStringLiteral("Usuário"), QStringLiteral("Cartão"), QStringLiteral("Matrícula"),
    QStringLiteral("Nome"), QStringLiteral("CMM")};

const std::array<QString, 3> kCabecalhoHistorico = {
    QStringLiteral("Vlr.Última Rec"), QStringLiteral("Vlr.Penúltima Rec"),
    QStringLiteral("Vlr.Antipenúltima Rec")};

// Credit types head one set of history columns per group. The first header
// ends in a blank, as the operators have always seen it.
QString cabecalhoHistoricoCreditos(int grupo, int i)
{
    QString h = kCabecalhoHistorico[size_t(i)] + QStringLiteral(" Grupo") + QString::number(grupo + 1);
    if (grupo == 0 && i == 0)
        h += u' ';
    return h;
}

}  // namespace

int codigoDaEntrada(const QString& entrada)
{
    return leInteiro(entrada.left(2)).value_or(-1);
}

int grupoMostrado(const Recarga& h, int tarifaSel, int modalidadeSel)
{
    if (h.Grupo[0].Tarifa == tarifaSel && (tarifaSel != 0 || modalidadeSel == Dinheiro))
        return 0;
    if (tarifaSel == 0)
        return -1;
    for (int g = 1; g < kGrupos; ++g)
        if (h.Grupo[size_t(g)].Tarifa == tarifaSel)
            return g;
    return -1;
}

int larguraProjetada(int coluna)
{
    return coluna >= 0 && coluna < int(kLarguras.size()) ? kLarguras[size_t(coluna)] : kLarguraHistorico;
}

void escreveCabecalhoFixo(TabelaGrid& grid, int ultimaLargura)
{
    for (int c = 0; c < int(kCabecalhoFixo.size()); ++c)
        grid.setCell(c, 0, kCabecalhoFixo[size_t(c)]);
    for (int c = 0; c <= ultimaLargura && c < int(kLarguras.size()); ++c)
        grid.setColumnWidth(c, kLarguras[size_t(c)]);
}

void aplicaModalidade(TabelaGrid& grid, const ModeloRecarga& m, SelecaoGrid& sel,
                      const AvisosJanela& avisos)
{
    const int k = modalidade(m, sel.TipoCartaoSel);
    if (k == Dinheiro) {
        grid.setCell(kColValor, 0, QStringLiteral("Valor"));
        avisos.valorPadrao(2);
    } else {
        grid.setCell(kColValor, 0, QStringLiteral("Créditos"));
        avisos.valorPadrao(0);
    }
    sel.FormatoValor = formatoValor(k);
}

ResultadoPreenchimento PreencheGrid(TabelaGrid& grid, const ModeloRecarga& m, SelecaoGrid& sel,
                                    const QString& entradaTipo, const QString& entradaTarifa,
                                    const AvisosJanela& avisos,
                                    IndiceLinhas* indice, const FiltroPortadores* filtro)
{
    ResultadoPreenchimento res;

    // A fill starts from no cell at all, header row included.
    grid.setRowCount(0);
    res.lbltipo = entradaTipo;
    res.lbltarifa = entradaTarifa;
    grid.setRowCount(1);
    sel.TipoCartaoSel = codigoDaEntrada(entradaTipo);
    sel.TarifaSel = codigoDaEntrada(entradaTarifa);
    grid.setRowCount(2);
    grid.setFixedRows(1);

    escreveCabecalhoFixo(grid, kColunasDinheiro - 1);
    aplicaModalidade(grid, m, sel, avisos);
    const int k = modalidade(m, sel.TipoCartaoSel);
    if (k != Dinheiro) {
        grid.setColumnCount(std::max(grid.columnCount(), kColunasCreditos));
        for (int c = kColunasDinheiro; c < kColunasCreditos; ++c)
            grid.setColumnWidth(c, kLarguraHistorico);
        for (int g = 0; g < kGrupos; ++g)
            for (int i = 0; i < 3; ++i)
                grid.setCell(kColHistorico + 3 * g + i, 0, cabecalhoHistoricoCreditos(g, i));
    } else {
        for (int i = 0; i < 3; ++i)
            grid.setCell(kColHistorico + i, 0, kCabecalhoHistorico[size_t(i)]);
    }

    avisos.avisaStatus(QStringLiteral("Preenchendo Grid. Aguarde..."));
    avisos.habilita(true);
    avisos.progressoVisivel(false);
    avisos.mensagens();

    // One pass over the holders; the rows go to the grid in one call.
    // Rows are built 9 columns wide at least; a narrower table drops the rest.
    const int largura = std::max(grid.columnCount(), kColunasDinheiro);
    const int n = qtdTitulares(m);
    std::vector<QString> celulas;
    std::vector<int> titularDaLinha{-1};
    TextosValor texto(sel.FormatoValor);
    for (int i = 0; i < n; ++i) {
        const Recarga& h = m.wRecarga[size_t(i)];
        if (h.TipoCartao != sel.TipoCartaoSel)
            continue;
        const int g = grupoMostrado(h, sel.TarifaSel, k);
        if (g < 0 || (filtro && !filtro->aceita(h)))
            continue;
        const size_t base = celulas.size();
        celulas.resize(base + size_t(largura));
        QString* linha = celulas.data() + base;
        const GrupoRecarga& grupo = h.Grupo[size_t(g)];
        linha[kColUsuario] = QString::number(h.Usuario);
        linha[kColCartao] = QString::number(h.Cartao);
        linha[kColMatricula] = deCp1252(h.Matricula);
        linha[kColNome] = deCp1252(h.Nome);
        linha[kColCMM] = QString::number(grupo.CMM);
        linha[kColValor] = texto(grupo.Valor);
        for (int j = 0; j < 3; ++j)
            linha[kColHistorico + j] = texto(h.Historico[size_t(g)][size_t(j)]);
        titularDaLinha.push_back(i);
    }
    const int listados = int(titularDaLinha.size()) - 1;
    if (listados > 0)
        grid.setRows(1, largura, std::move(celulas));

    avisos.avisaStatus(QStringLiteral("Grid Preenchido."));
    avisos.habilita(true);
    avisos.mensagens();

    if (listados == 0) {
        grid.setRowCount(2);
        grid.setFixedRows(1);
        grid.clearRow(1);
        titularDaLinha.push_back(-1);
        res.lblqtdrec = QStringLiteral("0");
    } else {
        res.lblqtdrec = QString::number(grid.rowCount() - 1);
    }
    if (indice)
        indice->define(std::move(titularDaLinha), n);

    res.totaisGrid = CalculaGrid(grid, m, sel);
    res.totaisGerais = CalculaRecargasGeral(m);
    return res;
}

void SelecionaCelula(TabelaGrid& grid, int coluna, int linha)
{
    grid.setEditing(coluna == kColValor && linha > 0);
}

}  // namespace pluvexa
