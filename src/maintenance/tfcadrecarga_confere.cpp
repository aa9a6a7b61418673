// "Conferir": the review before sending. The values as they stand in the
// grid are reviewed against each holder's usual recharge; the review page
// shows the summary and the flagged holders, takes the operator back to one
// of them in the grid, corrects their values in place, and prints them.
// "Gerar Arquivo" asks first when the review flags anybody.

#include "files/pastastrabalho.h"
#include "flows/arquivossalvos.h"
#include "flows/desfazervalores.h"
#include "grid/validavalor.h"
#include "flows/listasarquivos.h"
#include "flows/visualizacaorelatorio.h"
#include "interaction/interaction.h"
#include "maintenance/paginaconferencia.h"
#include "maintenance/recargagrid.h"
#include "maintenance/tfcadrecarga.h"
#include "recharge/processamento.h"
#include "report/tfrepconferencia.h"
#include "review/perguntageracao.h"
#include "ui/configuracao.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableView>

#include <utility>

namespace pluvexa {

void Tfcadrecarga::criaPaginaConferencia()
{
    tbconferencia = new PaginaConferencia;
    PageControl1->addWidget(tbconferencia);
}

void Tfcadrecarga::ligaConferencia()
{
    m_limiteConferencia = Configuracao::limiteConferencia();
    connect(btnconferir, &QPushButton::clicked, this, [this] { btnconferirClick(); });
    connect(tbconferencia, &PaginaConferencia::limiteAlterado, this, [this](int p) { defineLimiteConferencia(p); });
    connect(tbconferencia, &PaginaConferencia::titularEscolhido, this, [this](int h) { vaiParaTitular(h); });
    connect(tbconferencia, &PaginaConferencia::imprimir, this, [this] { imprimeConferencia(); });
    connect(tbconferencia, &PaginaConferencia::voltar, this, [this] { mostraPagina(tbDigitacao); });
    // The month ends from the review as from the grid: no way back first.
    connect(tbconferencia, &PaginaConferencia::salvarRascunho, this, [this] { btnsalvarrascunhoClick(); });
    connect(tbconferencia, &PaginaConferencia::gerarArquivo, this, [this] { btngerararquivoClick(); });
    connect(tbconferencia, &PaginaConferencia::valorCorrigido, this,
            [this](int titular, const QString& texto) { corrigeValorConferido(titular, texto); });
    // Enabled as their buttons on the grid are.
    for (auto [daGrade, daConferencia] : {std::pair{btnsalvarrascunho, tbconferencia->btnsalvarrascunho},
                                          std::pair{btngerararquivo, tbconferencia->btngerararquivo}}) {
        daConferencia->setEnabled(daGrade->isEnabled());
        daGrade->installEventFilter(this);
    }
}

void Tfcadrecarga::acompanhaBotoesDaGrade()
{
    tbconferencia->btnsalvarrascunho->setEnabled(btnsalvarrascunho->isEnabled());
    tbconferencia->btngerararquivo->setEnabled(btngerararquivo->isEnabled());
}

void Tfcadrecarga::btnconferirClick()
{
    if (!AtualizaArrayRecargas())
        return;
    tbconferencia->mostra(*m_ctx.modelo, confere(*m_ctx.modelo, m_limiteConferencia));
    tbconferencia->ordenaPeloDesvio();
    mostraPagina(tbconferencia);
}

void Tfcadrecarga::defineLimiteConferencia(int limite)
{
    if (limite < kLimiteMinimo || limite > kLimiteMaximo)
        return;
    m_limiteConferencia = limite;
    Configuracao::guardaLimiteConferencia(limite);
    if (PageControl1->currentWidget() == tbconferencia)
        tbconferencia->mostra(*m_ctx.modelo, confere(*m_ctx.modelo, m_limiteConferencia));
}

void Tfcadrecarga::vaiParaTitular(int titular)
{
    const ModeloRecarga& m = *m_ctx.modelo;
    const OndeListado onde = ondeListado(m, titular);
    if (onde.tarifa < 0) {
        m_ctx.interaction->notice(QStringLiteral("Este titular não aparece em nenhuma tarifa da grade."),
                                  Interaction::Icon::Information);
        return;
    }
    mostraPagina(tbDigitacao);
    // A find that leaves the holder out would hide the row it is taken to.
    if (m_filtro.ativo() && !m_filtro.aceita(m.wRecarga[std::size_t(titular)]))
        edlocalizar->clear();
    if (!AtualizaArrayRecargas())
        return;
    mostraNaGrade(titular, onde);
}

void Tfcadrecarga::corrigeValorConferido(int titular, const QString& texto)
{
    ModeloRecarga& m = *m_ctx.modelo;
    if (titular < 0 || titular >= m.QtdRecarga)
        return;
    // What the grid holds typed is stored first, so that it neither covers
    // the correction nor joins its step.
    if (!AtualizaArrayRecargas())
        return;
    const double antes = m.wRecarga[std::size_t(titular)].Grupo[0].Valor;
    ValidacaoValor v;
    {
        PassoDesfazer passo(*m_desfazer, kPassoDigitado);
        v = ValidaValorGrupo1(m, titular, texto);
    }
    switch (v.resultado) {
    case ResultadoValor::Ok:
        break;
    case ResultadoValor::Invalido:
        m_ctx.interaction->notice(v.mensagem, Interaction::Icon::Error, QStringLiteral("Error"));
        return;
    case ResultadoValor::AcimaDoMaximo:
    case ResultadoValor::SomenteGrupo1:
        m_ctx.interaction->notice(v.mensagem);
        return;
    }
    const double depois = m.wRecarga[std::size_t(titular)].Grupo[0].Valor;
    if (depois != antes) {
        // The grid shows the holder's new value when it lists the holder.
        mostraMudancas(*sgRecarga, m, m_sel, m_indice, {{titular, 0, antes, depois}});
        CalculaRecargasGeral();
        CalculaGrid();
        definePendentes(true);
    }
    tbconferencia->mostra(m, confere(m, m_limiteConferencia));
}

void Tfcadrecarga::imprimeConferencia()
{
    Tfrepconferencia form;
    preparaConferencia(form, *m_ctx.modelo, tbconferencia->conferencia(),
                       {dadosDoModelo(*m_ctx.modelo).lblempresa, arquivoVisivel(), tbconferencia->motivoMostrado(),
                        tbconferencia->ordemMostrada()});
    visualizaRelatorio(form,
                       caminhoParaSalvar(m_ctx.pastaSalvar(TipoSalvo::Conferencia), arquivoVisivel(),
                                         QStringLiteral("Conferencia"), QStringLiteral(".pdf")),
                       *m_ctx.interaction,
                       [this](const QString& c) { m_ctx.arquivoGravado(TipoSalvo::Conferencia, c); });
}

bool Tfcadrecarga::confereAntesDeGerar()
{
    // Generating from the review page is deciding with the flagged holders
    // in sight: asking whether to review them would only cost a click.
    if (PageControl1->currentWidget() == tbconferencia)
        return true;
    Conferencia c = confere(*m_ctx.modelo, m_limiteConferencia);
    const QString pergunta = perguntaAntesDeGerar(contaRiscos(c));
    if (pergunta.isEmpty())
        return true;
    const int resposta = m_ctx.interaction->confirm(
        pergunta, {QStringLiteral("Conferir"), QStringLiteral("Gerar Assim Mesmo"), QStringLiteral("Cancelar")},
        Interaction::Icon::Warning, kTituloAplicacao, 0);
    if (resposta == 1)
        return true;
    if (resposta == 0) {
        const std::optional<MotivoConferencia> motivo = primeiroMotivoContado(c);
        tbconferencia->mostra(*m_ctx.modelo, std::move(c));
        tbconferencia->escolheMotivo(motivo);
        tbconferencia->ordenaPeloDesvio();
        mostraPagina(tbconferencia);
    }
    return false;
}

}  // namespace pluvexa
