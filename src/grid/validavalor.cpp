#include "grid/validavalor.h"

#include "grid/celulasgrid.h"
#include "grid/somentegrupo1.h"
#include "grid/tabelagrid.h"
#include "recharge/cp1252.h"
#include "recharge/formatonumero.h"
#include "recharge/moeda.h"

namespace pluvexa {

namespace {

const QString kValorInvalido = QStringLiteral("Valor Inválido - Verifique!");

QString mensagemMaximo(const TipoCartao& t)
{
    if (t.Modalidade == Dinheiro)
        return QStringLiteral("Valor Maior que o Permitido(R$")
               + formata(QStringLiteral("###,##0.00"), Moeda::deDouble(t.ValorMaximo))
               + QStringLiteral(") - Verifique!");
    return QStringLiteral("Valor Maior que o Permitido(") + numeroSimples(t.ValorMaximo)
           + QStringLiteral(") - Verifique!");
}

// Stores `valor` in holder i when row r shows that holder.
bool armazenaNaLinha(const TabelaGrid& grid, ModeloRecarga& m, const SelecaoGrid& sel, int r, int i,
                     double valor)
{
    if (i < 0 || i >= qtdTitulares(m))
        return false;
    Recarga& h = m.wRecarga[size_t(i)];
    if (leInteiroOuMenosUm(grid.cell(kColUsuario, r)) != h.Usuario
        || leInteiroOuMenosUm(grid.cell(kColCartao, r)) != h.Cartao
        || grid.cell(kColMatricula, r).trimmed() != deCp1252(h.Matricula).trimmed()
        || h.TipoCartao != sel.TipoCartaoSel)
        return false;
    const int g = grupoComTarifa(h, sel.TarifaSel);
    if (g < 0)
        return false;
    h.Grupo[size_t(g)].Valor = valor;
    return true;
}

}  // namespace

ValidacaoValor ValidaValor(TabelaGrid& grid, ModeloRecarga& m, const SelecaoGrid& sel,
                           const IndiceLinhas* indice)
{
    ValidacaoValor res;
    const int r = grid.currentRow();
    // The header is never current in the window; there is nothing to check.
    if (r < 1 || r >= grid.rowCount())
        return res;

    QString texto = grid.cell(kColValor, r).trimmed();
    // The one blank row of a selection that lists no holder carries no value:
    // "Gerar Arquivo" or "Salvar Rascunho" must not stop on it.
    if (texto.isEmpty() && grid.cell(kColUsuario, r).trimmed().isEmpty())
        return res;
    texto.replace(u'.', u',');
    const std::optional<Moeda> v = Moeda::deTexto(texto);
    // A negative recharge is no recharge: refused like text that is no
    // number, so it can never reach the answer file.
    if (!v || *v < Moeda::deInteiro(0)) {
        grid.setCell(kColValor, r, formata(sel.FormatoValor, Moeda::deInteiro(0)));
        res.resultado = ResultadoValor::Invalido;
        res.mensagem = kValorInvalido;
        return res;
    }

    if (*v != Moeda()) {
        if (const std::vector<int> semValor = linhasSemValor(grid, m, sel); semValor[size_t(r)] >= 0) {
            grid.setCell(kColValor, r, formata(sel.FormatoValor, Moeda::deInteiro(0)));
            res.resultado = ResultadoValor::SomenteGrupo1;
            res.mensagem = mensagemSomenteGrupo1(semValor[size_t(r)]);
            return res;
        }
    }

    if (const TipoCartao* t = tipoCartao(m, sel.TipoCartaoSel);
        t && (t->Modalidade == Dinheiro || t->Modalidade == Creditos)
        && *v > Moeda::deDouble(t->ValorMaximo)) {
        res.resultado = ResultadoValor::AcimaDoMaximo;
        res.mensagem = mensagemMaximo(*t);
        return res;
    }

    const QString mostrado = formata(sel.FormatoValor, *v);
    grid.setCell(kColValor, r, mostrado);
    // The model takes what the cell shows (a credit amount rounded to a
    // whole number), the same the full write-back would read later.
    const std::optional<Moeda> guardado = Moeda::deTexto(mostrado);
    const int titular = indice ? indice->titular(r) : r - 1;
    res.armazenado = armazenaNaLinha(grid, m, sel, r, titular, (guardado ? *guardado : *v).paraDouble());
    return res;
}

std::optional<QString> VerificaValorPadrao(const ModeloRecarga& m, const SelecaoGrid& sel,
                                           const QString& textoValorPadrao)
{
    const std::optional<Moeda> v = leMoeda(textoValorPadrao);
    // A negative recharge is no recharge, as in the grid's own check.
    if (!v || *v < Moeda())
        return kValorInvalido;
    const TipoCartao* t = tipoCartao(m, sel.TipoCartaoSel);
    const double maximo = t ? t->ValorMaximo : 0;
    if (*v > Moeda::deDouble(maximo))
        return QStringLiteral("Valor Maior para o Tipo de Cartão (")
               + formata(sel.FormatoValor, Moeda::deDouble(maximo)) + QStringLiteral(") - Verifique!");
    return std::nullopt;
}

ResultadoValorPadrao AplicaValorPadrao(TabelaGrid& grid, const ModeloRecarga& m,
                                       const SelecaoGrid& sel, const QString& textoValorPadrao)
{
    ResultadoValorPadrao res;
    if (std::optional<QString> recusa = VerificaValorPadrao(m, sel, textoValorPadrao)) {
        res.mensagem = *recusa;
        return res;
    }
    res.linhaLog = QStringLiteral("Inserido Valor Padrão - Tipo : ") + QString::number(sel.TipoCartaoSel)
                   + QStringLiteral(" - Tarifa : ") + QString::number(sel.TarifaSel)
                   + QStringLiteral(" - Valor : ") + textoValorPadrao;
    const QString valor = textoValorPadrao.trimmed();
    const std::vector<int> semValor = linhasSemValor(grid, m, sel);
    const int linhas = grid.rowCount();
    int puladas = 0;
    for (int r = 1; r < linhas; ++r) {
        if (semValor[size_t(r)] >= 0)
            ++puladas;
        else
            grid.setCell(kColValor, r, valor);
    }
    if (puladas > 0)
        res.avisoPuladas = avisoLinhasPuladas(puladas);
    res.aplicado = true;
    return res;
}

}  // namespace pluvexa
