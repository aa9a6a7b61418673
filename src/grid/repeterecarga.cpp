#include "grid/repeterecarga.h"

#include "grid/celulasgrid.h"
#include "grid/preenchegrid.h"
#include "grid/somentegrupo1.h"
#include "grid/tabelagrid.h"
#include "recharge/formatonumero.h"

namespace pluvexa {

namespace {

// The amount a card type takes as its value: a credit amount rounded to a
// whole number, as the grid shows it; nothing when it is above the maximum.
std::optional<Moeda> aceito(const ModeloRecarga& m, int tipo, Moeda v)
{
    const QString formato = formatoValor(modalidade(m, tipo));
    const std::optional<Moeda> mostrado = Moeda::deTexto(formata(formato, v));
    const Moeda valor = mostrado ? *mostrado : v;
    if (const TipoCartao* t = tipoCartao(m, tipo);
        t && (t->Modalidade == Dinheiro || t->Modalidade == Creditos) && valor > Moeda::deDouble(t->ValorMaximo))
        return std::nullopt;
    return valor;
}

// What repeating does to one value: nothing (kept), or the new amount.
struct Passo {
    bool mantido = false;
    Moeda novo;
};

Passo passo(const ModeloRecarga& m, int tipo, Moeda ultima, bool semValor)
{
    if (semValor && ultima != Moeda())
        return {true, {}};
    const std::optional<Moeda> v = aceito(m, tipo, ultima);
    return v ? Passo{false, *v} : Passo{true, {}};
}

template <typename F>
void cadaGrupoListado(const ModeloRecarga& m, F&& f)
{
    const int n = qtdTitulares(m);
    for (int i = 0; i < n; ++i) {
        const Recarga& h = m.wRecarga[size_t(i)];
        const int k = modalidade(m, h.TipoCartao);
        for (int g = 0; g < kGrupos; ++g)
            if (grupoMostrado(h, h.Grupo[size_t(g)].Tarifa, k) == g)
                f(i, g, k == Dinheiro && g > 0);
    }
}

QString avisoMantidos(int n)
{
    return n == 0 ? QString()
                  : QString::number(n)
                        + QStringLiteral(" titular(es) mantidos sem alteração: última recarga acima do máximo "
                                         "ou linha que não recebe valor.");
}

}  // namespace

QString perguntaRepeticao(bool substitui)
{
    QString t = QStringLiteral("Preencher os valores com a última recarga de cada titular?");
    if (substitui)
        t += QStringLiteral("\nOs valores já digitados serão substituídos.");
    return t;
}

bool substituiNoArquivo(const ModeloRecarga& m)
{
    bool substitui = false;
    cadaGrupoListado(m, [&](int i, int g, bool semValor) {
        const Recarga& h = m.wRecarga[size_t(i)];
        const Moeda atual = Moeda::deDouble(h.Grupo[size_t(g)].Valor);
        const Passo p = passo(m, h.TipoCartao, Moeda::deDouble(h.Historico[size_t(g)][0]), semValor);
        substitui = substitui || (atual != Moeda() && !p.mantido && p.novo != atual);
    });
    return substitui;
}

ResultadoRepeticao repeteNaTela(TabelaGrid& grid, const ModeloRecarga& m, const SelecaoGrid& sel)
{
    ResultadoRepeticao res;
    const std::vector<int> semValor = linhasSemValor(grid, m, sel);
    for (int r = 1; r < grid.rowCount(); ++r) {
        const std::optional<Moeda> ultima = leMoeda(grid.cell(kColHistorico, r));
        if (!ultima)
            continue;   // the blank row of an empty grid
        const Passo p = passo(m, sel.TipoCartaoSel, *ultima, semValor[size_t(r)] >= 0);
        if (p.mantido) {
            ++res.mantidos;
            continue;
        }
        const QString texto = formata(sel.FormatoValor, p.novo);
        if (grid.cell(kColValor, r) != texto) {
            grid.setCell(kColValor, r, texto);
            ++res.alterados;
        }
    }
    res.aviso = avisoMantidos(res.mantidos);
    return res;
}

ResultadoRepeticao repeteNoArquivo(ModeloRecarga& m)
{
    ResultadoRepeticao res;
    int ultimoMantido = -1;
    cadaGrupoListado(m, [&](int i, int g, bool semValor) {
        Recarga& h = m.wRecarga[size_t(i)];
        const Passo p = passo(m, h.TipoCartao, Moeda::deDouble(h.Historico[size_t(g)][0]), semValor);
        if (p.mantido) {
            // A holder counts once, however many of its groups were kept.
            if (ultimoMantido != i)
                ++res.mantidos;
            ultimoMantido = i;
            return;
        }
        double& valor = h.Grupo[size_t(g)].Valor;
        if (Moeda::deDouble(valor) != p.novo) {
            valor = p.novo.paraDouble();
            ++res.alterados;
        }
    });
    res.aviso = avisoMantidos(res.mantidos);
    return res;
}

}  // namespace pluvexa
