// "Conferir": the review before sending. The values as they stand in the
// grid are reviewed against each holder's usual recharge; the review page
// shows the summary and the flagged holders, takes the operator back to one
// of them in the grid, and prints them. "Gerar Arquivo" asks first when any
// holder is above its usual value.

#include "files/pastastrabalho.h"
#include "flows/listasarquivos.h"
#include "flows/visualizacaorelatorio.h"
#include "interaction/interaction.h"
#include "maintenance/paginaconferencia.h"
#include "maintenance/recargagrid.h"
#include "maintenance/tfcadrecarga.h"
#include "recharge/processamento.h"
#include "report/tfrepconferencia.h"
#include "ui/configuracao.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableView>

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
}

void Tfcadrecarga::btnconferirClick()
{
    if (!AtualizaArrayRecargas())
        return;
    tbconferencia->mostra(*m_ctx.modelo, confere(*m_ctx.modelo, m_limiteConferencia));
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

void Tfcadrecarga::imprimeConferencia()
{
    Tfrepconferencia form;
    preparaConferencia(form, *m_ctx.modelo, tbconferencia->conferencia(),
                       {dadosDoModelo(*m_ctx.modelo).lblempresa, arquivoVisivel(), tbconferencia->motivoMostrado(),
                        tbconferencia->ordemMostrada()});
    visualizaRelatorio(form, arquivoSugerido(arquivoVisivel(), QStringLiteral("Conferencia"), QStringLiteral(".pdf")),
                       *m_ctx.interaction, [this](const QString& c) { m_ctx.arquivoGravado(c); });
}

bool Tfcadrecarga::confereAntesDeGerar()
{
    Conferencia c = confere(*m_ctx.modelo, m_limiteConferencia);
    const int acima = c.quantos(MotivoConferencia::AcimaDoHabitual);
    if (acima == 0)
        return true;
    const int resposta = m_ctx.interaction->confirm(
        QStringLiteral("%1 titular(es) com valor acima do habitual (mais de %2% acima da média das últimas "
                       "recargas). Conferir antes de gerar?")
            .arg(acima)
            .arg(m_limiteConferencia),
        {QStringLiteral("Conferir"), QStringLiteral("Gerar Assim Mesmo"), QStringLiteral("Cancelar")},
        Interaction::Icon::Warning);
    if (resposta == 1)
        return true;
    if (resposta == 0) {
        tbconferencia->mostra(*m_ctx.modelo, std::move(c));
        tbconferencia->escolheMotivo(MotivoConferencia::AcimaDoHabitual);
        mostraPagina(tbconferencia);
    }
    return false;
}

}  // namespace pluvexa
