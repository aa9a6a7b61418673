// The recharge grid's handlers: the fill on a change of card type or tariff,
// value entry with Enter and the arrows, leaving the grid, the default
// value, the totals and the sort. The work is done by the grid logic; this
// file only connects it to the widgets.

#include "flows/desfazervalores.h"
#include "grid/atualizacaogrid.h"
#include "grid/celulasgrid.h"
#include "grid/classificacaogrid.h"
#include "grid/preenchegrid.h"
#include "grid/totaisgrid.h"
#include "grid/validavalor.h"
#include "interaction/interaction.h"
#include "maintenance/recargagrid.h"
#include "maintenance/tfcadrecarga.h"
#include "maintenance/ttabnumedit.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace pluvexa {

AvisosJanela Tfcadrecarga::avisos()
{
    AvisosJanela a;
    a.status = [this](const QString& t) { m_ctx.status(t); };
    a.habilitaControles = [this](bool on) { HabilitaControles(on); };
    a.mostraProgresso = [this](bool on) { MostraProgresso(on); };
    a.legendaProgresso = [this](const QString& t) { Label19->setText(t); };
    a.progresso = [this](int posicao, int maximo) {
        CGauge1->setMaximum(std::max(1, maximo));
        CGauge1->setValue(posicao);
        Label18->setText(QString::number(posicao));
    };
    // Repaint gauges and labels, but take no new operator action in the
    // middle of one.
    a.processaMensagens = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
    a.zeraValorPadrao = [this](int decimais) {
        edalteravlr->SetDecimals(decimais);
        edalteravlr->SetValue(0);
    };
    return a;
}

void Tfcadrecarga::ligaGrade()
{
    connect(cbtipocartao, &QComboBox::currentIndexChanged, this, [this] { cbtipocartaoChange(); });
    connect(cbtarifa, &QComboBox::currentIndexChanged, this, [this] { cbtarifaChange(); });
    connect(sgRecarga, &RecargaGrid::enterPressed, this, [this] { sgRecargaKeyPress(); });
    connect(sgRecarga, &RecargaGrid::arrowPressed, this, [this](int key) { sgRecargaKeyDown(key); });
    connect(sgRecarga, &RecargaGrid::exited, this, [this] { sgRecargaExit(); });
    connect(sgRecarga->gridModel(), &RecargaGridModel::editadoPeloOperador, this,
            [this] { definePendentes(true); });
    connect(btnalteravlr, &QPushButton::clicked, this, [this] { btnalteravlrClick(); });
    connect(edalteravlr, &TNumEdit::OnExit, this, [this] { edalteravlrExit(); });
    connect(rbClassificacaoBotoes, &QButtonGroup::idClicked, this, [this](int id) { rbClassificacaoClick(id); });
    ligaLocalizar();
    connect(btnrepetirrecarga, &QPushButton::clicked, this, [this] { btnrepetirrecargaClick(); });
}

void Tfcadrecarga::mostraTotaisGrid(const TotaisGrid& t)
{
    lblvlrrecdig->setText(t.lblvlrrecdig);
    lblqtdrecdig->setText(t.lblqtdrecdig);
}

void Tfcadrecarga::mostraTotaisGerais(const TotaisGerais& t)
{
    lblgervlrdig->setText(t.lblgervlrdig);
    lblgerqtddig->setText(t.lblgerqtddig);
    // Printing, importing and exporting read the whole file, which an
    // import is still filling: offered again with the totals after it.
    for (QPushButton* b : {btnimpressao, btnimportararq, btnexportarplanilha})
        b->setEnabled(!Importando);
}

void Tfcadrecarga::CalculaGrid()
{
    mostraTotaisGrid(pluvexa::CalculaGrid(*sgRecarga, *m_ctx.modelo, m_sel));
}

void Tfcadrecarga::CalculaRecargasGeral()
{
    mostraTotaisGerais(pluvexa::CalculaRecargasGeral(*m_ctx.modelo));
}

bool Tfcadrecarga::AtualizaArrayRecargas()
{
    // Inside another step it is part of it; alone, it stores values typed
    // and not confirmed, which makes them a step of their own.
    PassoDesfazer passo(*m_desfazer, kPassoDigitado);
    sgRecarga->confirmaEdicao();
    const ResultadoAtualizacao r = pluvexa::AtualizaArrayRecargas(*sgRecarga, *m_ctx.modelo, m_sel, avisos());
    if (r.erro) {
        m_ctx.interaction->errorBox(*r.erro);
        // The operator is taken to the cell to correct.
        if (r.linhaErro > 0) {
            sgRecarga->setCurrentRow(r.linhaErro);
            sgRecarga->setCurrentColumn(kColValor);
        }
        return false;
    }
    // Every typed cell is now stored (or held the stored value).
    sgRecarga->gridModel()->todasConferidas();
    atualizaPendentes();
    mostraTotaisGerais(r.totaisGerais);
    mostraTotaisGrid(r.totaisGrid);
    return true;
}

void Tfcadrecarga::atualizaPendentes()
{
    // Modified only when a stored value changed since the last save (as
    // the steps tell), or typed text waits in a cell to be stored: a
    // refused value, put back as it was, is no edit.
    definePendentes(!m_desfazer->salvo() || sgRecarga->gridModel()->temDigitacao());
}

void Tfcadrecarga::cbtipocartaoChange()
{
    if (m_carregandoListas)
        return;
    const ResultadoPreenchimento r = PreencheGrid(*sgRecarga, *m_ctx.modelo, m_sel, entradaSelecionada(cbtipocartao),
                                                  entradaSelecionada(cbtarifa), avisos(), &m_indice,
                                                  filtroDaGrade());
    // The tariff counts are those of the card type shown; one pass over
    // the holders, cheap beside the fill.
    mostraContagens();
    mostraLocalizados();
    lbltipo->setText(r.lbltipo);
    lbltarifa->setText(r.lbltarifa);
    lblqtdrec->setText(r.lblqtdrec);
    mostraTotaisGrid(r.totaisGrid);
    mostraTotaisGerais(r.totaisGerais);
    sgRecarga->setCurrentRow(1);
    sgRecarga->setCurrentColumn(kColValor);
}

void Tfcadrecarga::cbtarifaChange()
{
    cbtipocartaoChange();
}

bool Tfcadrecarga::confirmaValor()
{
    sgRecarga->confirmaEdicao();
    ValidacaoValor v;
    {
        // Each confirmed value is stored at once, in the holder its row
        // shows, so that it is one step of its own.
        PassoDesfazer passo(*m_desfazer, kPassoDigitado);
        v = ValidaValor(*sgRecarga, *m_ctx.modelo, m_sel, &m_indice);
    }
    // Checked, whatever the outcome: stored, or put back as it was.
    const int linha = sgRecarga->currentRow();
    sgRecarga->gridModel()->linhaConferida(linha);
    if (v.resultado != ResultadoValor::Ok)
        sgRecarga->gridModel()->marcaRecusado(linha, v.recusado);
    atualizaPendentes();
    switch (v.resultado) {
    case ResultadoValor::Ok:
        break;
    case ResultadoValor::Invalido:
        m_ctx.interaction->notice(v.mensagem, Interaction::Icon::Error, QStringLiteral("Error"));
        return false;
    case ResultadoValor::AcimaDoMaximo:
    case ResultadoValor::SomenteGrupo1:
        m_ctx.interaction->notice(v.mensagem);
        return false;
    }
    CalculaRecargasGeral();
    CalculaGrid();
    if (sgRecarga->currentRow() < sgRecarga->rowCount() - 1)
        sgRecarga->setCurrentRow(sgRecarga->currentRow() + 1);
    sgRecarga->setCurrentColumn(kColValor);
    return true;
}

void Tfcadrecarga::sgRecargaKeyPress()
{
    confirmaValor();
}

void Tfcadrecarga::sgRecargaKeyDown(int)
{
    // The grid then moves one row in its usual way, never onto the header.
    sgRecarga->setCurrentColumn(kColValor);
}

void Tfcadrecarga::sgRecargaExit()
{
    if (m_saindoDaGrade)
        return;
    m_saindoDaGrade = true;
    PassoDesfazer passo(*m_desfazer, kPassoDigitado);
    if (confirmaValor() && AtualizaArrayRecargas())
        CalculaRecargasGeral();
    m_saindoDaGrade = false;
}

void Tfcadrecarga::btnalteravlrClick()
{
    const ResultadoValorPadrao r = AplicaValorPadrao(*sgRecarga, *m_ctx.modelo, m_sel, edalteravlr->text());
    if (!r.aplicado) {
        m_ctx.interaction->notice(r.mensagem);
        return;
    }
    adicionaLog(r.linhaLog);
    definePendentes(true);
    bool atualizado = false;
    {
        PassoDesfazer passo(*m_desfazer, kPassoAlterarVlr);
        atualizado = AtualizaArrayRecargas();
    }
    if (atualizado && !r.avisoPuladas.isEmpty())
        m_ctx.interaction->notice(r.avisoPuladas);
}

void Tfcadrecarga::edalteravlrExit()
{
    if (const std::optional<QString> m = VerificaValorPadrao(*m_ctx.modelo, m_sel, edalteravlr->text())) {
        m_ctx.interaction->notice(*m);
        edalteravlr->setFocus(Qt::OtherFocusReason);
    }
}

void Tfcadrecarga::rbClassificacaoClick(int indice)
{
    ClassificaGrid(Classificacao(indice));
}

void Tfcadrecarga::ClassificaGrid(Classificacao ordem)
{
    // The sort changes no value; its write-back stores typed ones.
    PassoDesfazer passo(*m_desfazer, kPassoDigitado);
    sgRecarga->confirmaEdicao();
    const ResultadoClassificacao r = pluvexa::ClassificaGrid(*sgRecarga, *m_ctx.modelo, m_sel, ordem,
                                                             avisos(), &m_indice);
    if (r.erro) {
        m_ctx.interaction->errorBox(*r.erro);
        return;
    }
    mostraTotaisGerais(r.atualizacao.totaisGerais);
    mostraTotaisGrid(r.atualizacao.totaisGrid);
}

}  // namespace pluvexa
