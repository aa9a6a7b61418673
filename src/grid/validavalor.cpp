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

}  // namespace

QString mensagemValorInvalido()
{
    return kValorInvalido;
}

QString mensagemMaximo(const TipoCartao& t)
{
    if (t.Modalidade == Dinheiro)
        return QStringLiteral("Valor Maior que o Permitido(R$")
               + formata(QStringLiteral("###,##0.00"), Moeda::deDouble(t.ValorMaximo))
               + QStringLiteral(") - Verifique!");
    return QStringLiteral("Valor Maior que o Permitido(") + numeroSimples(t.ValorMaximo)
           + QStringLiteral(") - Verifique!");
}

bool acimaDoMaximo(const ModeloRecarga& m, int tipo, Moeda valor)
{
    const TipoCartao* t = tipoCartao(m, tipo);
    // A Modalidade other than money and credits has no maximum.
    return t && (t->Modalidade == Dinheiro || t->Modalidade == Creditos) && valor > Moeda::deDouble(t->ValorMaximo);
}

namespace {

// Whether row r shows holder i of the selection; the group it shows, or -1.
int grupoMostrado(const TabelaGrid& grid, const ModeloRecarga& m, const SelecaoGrid& sel, int r, int i)
{
    if (i < 0 || i >= qtdTitulares(m))
        return -1;
    const Recarga& h = m.wRecarga[size_t(i)];
    if (h.TipoCartao != sel.TipoCartaoSel || chaveDaLinha(grid, r) != chaveDoTitular(h))
        return -1;
    return grupoComTarifa(h, sel.TarifaSel);
}

// The holder row r shows: the one its index or position gives, else the
// first whose key the row's cells carry; -1 when none.
int titularDaLinha(const TabelaGrid& grid, const ModeloRecarga& m, const SelecaoGrid& sel, int r, int provavel)
{
    if (grupoMostrado(grid, m, sel, r, provavel) >= 0)
        return provavel;
    const int n = qtdTitulares(m);
    for (int i = 0; i < n; ++i)
        if (grupoMostrado(grid, m, sel, r, i) >= 0)
            return i;
    return -1;
}

// Puts back into row r the value the model holds for the holder it shows
// (what the cell showed before the typing): a refused text must not stay
// where a later write-back would take it.
void restauraValor(TabelaGrid& grid, const ModeloRecarga& m, const SelecaoGrid& sel, int r, int provavel)
{
    const int i = titularDaLinha(grid, m, sel, r, provavel);
    const double anterior =
        i < 0 ? 0 : m.wRecarga[size_t(i)].Grupo[size_t(grupoMostrado(grid, m, sel, r, i))].Valor;
    grid.setCell(kColValor, r, textoValor(sel.FormatoValor, anterior));
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

    const QString digitado = grid.cell(kColValor, r).trimmed();
    QString texto = digitado;
    // The one blank row of a selection that lists no holder carries no value:
    // "Gerar Arquivo" or "Salvar Rascunho" must not stop on it.
    if (texto.isEmpty() && grid.cell(kColUsuario, r).trimmed().isEmpty())
        return res;
    texto.replace(u'.', u',');
    const std::optional<Moeda> v = Moeda::deTexto(texto);
    const int titular = indice ? indice->titular(r) : r - 1;
    // A refused value never reaches the model: the cell goes back to what
    // it showed before the typing.
    const auto recusa = [&](ResultadoValor resultado, const QString& mensagem) {
        restauraValor(grid, m, sel, r, titular);
        res.recusado = digitado;
        res.resultado = resultado;
        res.mensagem = mensagem;
        return res;
    };
    // A negative recharge is no recharge: refused like text that is no
    // number, so it can never reach the answer file.
    if (!v || *v < Moeda::deInteiro(0))
        return recusa(ResultadoValor::Invalido, kValorInvalido);

    if (*v != Moeda()) {
        if (const std::vector<int> semValor = linhasSemValor(grid, m, sel); semValor[size_t(r)] >= 0)
            return recusa(ResultadoValor::SomenteGrupo1, mensagemSomenteGrupo1(semValor[size_t(r)]));
    }

    if (acimaDoMaximo(m, sel.TipoCartaoSel, *v))
        return recusa(ResultadoValor::AcimaDoMaximo, mensagemMaximo(*tipoCartao(m, sel.TipoCartaoSel)));

    const QString mostrado = formata(sel.FormatoValor, *v);
    grid.setCell(kColValor, r, mostrado);
    // The model takes what the cell shows (a credit amount rounded to a
    // whole number), the same the full write-back would read later.
    const std::optional<Moeda> guardado = Moeda::deTexto(mostrado);
    res.armazenado = armazenaNaLinha(grid, m, sel, r, titular, (guardado ? *guardado : *v).paraDouble());
    return res;
}

ValidacaoValor ValidaValorGrupo1(ModeloRecarga& m, int titular, const QString& texto)
{
    ValidacaoValor res;
    QString lido = texto.trimmed();
    lido.replace(u'.', u',');
    const std::optional<Moeda> v = Moeda::deTexto(lido);
    if (titular < 0 || titular >= qtdTitulares(m) || !v || *v < Moeda::deInteiro(0)) {
        res.resultado = ResultadoValor::Invalido;
        res.mensagem = kValorInvalido;
        return res;
    }
    Recarga& h = m.wRecarga[size_t(titular)];
    if (acimaDoMaximo(m, h.TipoCartao, *v)) {
        res.resultado = ResultadoValor::AcimaDoMaximo;
        res.mensagem = mensagemMaximo(*tipoCartao(m, h.TipoCartao));
        return res;
    }
    const std::optional<Moeda> guardado = Moeda::deTexto(formata(formatoValor(modalidade(m, h.TipoCartao)), *v));
    h.Grupo[0].Valor = (guardado ? *guardado : *v).paraDouble();
    res.armazenado = true;
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
