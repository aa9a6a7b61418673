#include "maintenance/tfcadrecarga.h"

#include "files/pasta.h"
#include "files/pastastrabalho.h"
#include "flows/desfazervalores.h"
#include "flows/listasarquivos.h"
#include "interaction/interaction.h"
#include "maintenance/recargagrid.h"
#include "maintenance/ttabnumedit.h"
#include "recharge/cp1252.h"

#include <QApplication>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollArea>
#include <QPushButton>
#include <QStackedWidget>
#include <algorithm>

namespace pluvexa {

Tfcadrecarga::Tfcadrecarga(const AppContext& ctx, QWidget* parent, SoPaginas)
    : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("fcadrecarga"));
    setWindowTitle(QStringLiteral("Cadastro Pluvexa"));
    setAttribute(Qt::WA_DeleteOnClose);
    criaPaginas();
}

Tfcadrecarga::Tfcadrecarga(const AppContext& ctx, QWidget* parent)
    : Tfcadrecarga(ctx, parent, SoPaginas{})
{
    MostraProgresso(false);
    ligaBotoes();
    ligaGrade();
    ligaDesfazer();
    FormCreate();
    vigiaPastas();
    focaPagina(PageControl1->currentWidget());
}

void Tfcadrecarga::ligaBotoes()
{
    connect(btnprocessar, &QPushButton::clicked, this, [this] { btnprocessarClick(); });
    connect(btnrejeitar, &QPushButton::clicked, this, [this] { btnrejeitarClick(); });
    connect(FLBArquivosRecargaRecebidos, &QListWidget::currentRowChanged, this, [this] { mostraRejeitar(); });
    connect(btnFechar, &QPushButton::clicked, this, [this] { btnFecharClick(); });
    connect(btnsalvarrascunho, &QPushButton::clicked, this, [this] { btnsalvarrascunhoClick(); });
    connect(btngerararquivo, &QPushButton::clicked, this, [this] { btngerararquivoClick(); });
    connect(btnimpressao, &QPushButton::clicked, this, [this] { btnimpressaoClick(); });
    connect(btnimportararq, &QPushButton::clicked, this, [this] { btnimportararqClick(); });
    connect(btnexportarplanilha, &QPushButton::clicked, this, [this] { btnexportarplanilhaClick(); });
    ligaConferencia();
}

Tfcadrecarga::~Tfcadrecarga()
{
    // The steps are cleared as they go; the menu that shows them must not
    // hear of it half torn down.
    if (m_desfazer)
        m_desfazer->pilha().disconnect(this);
    // The panels name the file of this window only.
    for (int painel : {2, 3, 4})
        m_ctx.painel(painel, QString());
}

void Tfcadrecarga::definePendentes(bool pendentes)
{
    m_valoresPendentes = pendentes;
    setWindowModified(pendentes);
}

void Tfcadrecarga::mostraArquivoAberto()
{
    const ModeloRecarga& m = *m_ctx.modelo;
    const bool aberto = !m_arquivoNaGrade.isEmpty();
    // "[*]" is where Qt shows the marker of unsaved values.
    setWindowTitle(aberto ? QStringLiteral("Cadastro Pluvexa - %1[*]").arg(m_arquivoNaGrade)
                          : QStringLiteral("Cadastro Pluvexa"));
    m_ctx.painel(2, aberto ? QStringLiteral("Empresa %1").arg(m.cabecalho.Empresa, 5, 10, QLatin1Char('0')) : QString());
    m_ctx.painel(3, aberto ? QStringLiteral("Remessa ") + deCp1252(m.cabecalho.Remessa).trimmed() : QString());
    m_ctx.painel(4, aberto ? (m.QtdRecarga == 1 ? QStringLiteral("1 titular")
                                                : QStringLiteral("%1 titulares").arg(m.QtdRecarga))
                           : QString());
}

void Tfcadrecarga::FormCreate()
{
    criaPastasTrabalho();
    IndiceSelecionado = 0;
    UltimoAcessado.clear();
    mostraPagina(tbarquivos);
    PastaRascunho = pastaRascunho() + QLatin1Char('/');
    PastaGerados = pastaGerados();
    EmRascunho = false;
    pastaListaRecebidos = pastaRecebidos();
    mascaraListaRecebidos = QStringLiteral("*_1.rec");
    perguntaRascunho();
    PageControl1Change();
    // Received files whose names the program cannot hold are left out of
    // the list; the operator hears of them instead of missing them.
    if (const QStringList fora = nomesForaDaCodificacao(pastaRecebidos(), QStringLiteral("_1.rec")); !fora.isEmpty())
        m_ctx.interaction->notice(QStringLiteral("Arquivos recebidos com nome inválido neste sistema (UTF-8) em %1 - "
                                                 "renomeie-os para processá-los:\n")
                                  .arg(caminhoVisivel(pastaRecebidos()))
                                  + fora.join(QLatin1Char('\n')));
}

void Tfcadrecarga::recarregaLista(QListWidget* list, const QString& folder, const QString& mask)
{
    list->clear();
    list->addItems(listaArquivos(folder, mask));
}

void Tfcadrecarga::PageControl1Change()
{
    if (PageControl1->currentWidget() != tbarquivos)
        return;
    Importando = false;

    pastaListaRecebidos = pastaRecebidos();
    mascaraListaRecebidos = QStringLiteral("*_1.rec");
    recarregaLista(FLBArquivosRecargaRecebidos, pastaListaRecebidos, mascaraListaRecebidos);
    if (FLBArquivosRecargaRecebidos->count() > 0)
        FLBArquivosRecargaRecebidos->setCurrentRow(0);
    recarregaLista(FLBArquivosRecargaProcessados, pastaProcessados(), QStringLiteral("*_1.rec"));
    recarregaLista(FLBArquivosRecargaGerados, pastaGerados(), QStringLiteral("*_2.rec"));
    mostraTotaisListas();
}

void Tfcadrecarga::mostraTotaisListas()
{
    lblarqproc->setText(QString::number(FLBArquivosRecargaRecebidos->count()));

    const int processados = FLBArquivosRecargaProcessados->count();
    lblarqjaproc->setText(QString::number(processados));
    lblultimoarquivo->setText(processados > 0
                                  ? FLBArquivosRecargaProcessados->item(processados - 1)->text()
                                  : QStringLiteral("Não Há Arquivos Processados"));

    lblultacesso->setText(UltimoAcessado);
    lbltipoultacc->setVisible(!UltimoAcessado.isEmpty());
    lblultacesso->setVisible(!UltimoAcessado.isEmpty());

    const int gerados = FLBArquivosRecargaGerados->count();
    lblarqgerado->setText(QString::number(gerados));
    lblultimogerado->setText(gerados > 0 ? FLBArquivosRecargaGerados->item(gerados - 1)->text()
                                         : QStringLiteral("Não Há Arquivos Gerados"));
    mostraRejeitar();
}

void Tfcadrecarga::btnFecharClick()
{
    mostraPagina(tbarquivos);
}

void Tfcadrecarga::mostraPagina(QWidget* page)
{
    if (PageControl1->currentWidget() == page)
        return;
    PageControl1->setCurrentWidget(page);
    // Back on the list of files, the one worked on is closed.
    if (page == tbarquivos && !m_arquivoNaGrade.isEmpty()) {
        m_arquivoNaGrade.clear();
        mostraArquivoAberto();
    }
    // Only the page shown says how narrow the window may be: a wider page
    // the operator is not on must not push this one past the window's edge.
    for (int i = 0; i < PageControl1->count(); ++i) {
        QWidget* p = PageControl1->widget(i);
        const QSizePolicy::Policy politica = p == page ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        p->setSizePolicy(politica, politica);
    }
    focaPagina(page);
    PageControl1Change();
}

void Tfcadrecarga::HabilitaControles(bool enabled)
{
    const std::initializer_list<QWidget*> controles = {
        btnalteravlr, btnimpressao, btnsalvarrascunho, btngerararquivo, btnimportararq, btnexportarplanilha,
        btnconferir, btnrepetirrecarga, cbtipocartao, cbtarifa, edalteravlr, rbClassificacao, sgRecarga};
    // The keyboard leaves a control before it is disabled: a grid disabled
    // while it has the focus no longer opens its cell editor on the first
    // key once it is enabled and focused again.
    if (!enabled)
        for (QWidget* w : controles)
            if (w->hasFocus() || w->isAncestorOf(QApplication::focusWidget())) {
                rolagem->setFocus(Qt::OtherFocusReason);
                break;
            }
    for (QWidget* w : controles)
        w->setEnabled(enabled);
}

void Tfcadrecarga::MostraProgresso(bool visible)
{
    CGauge1->setVisible(visible);
    Label18->setVisible(visible);
    Label19->setVisible(visible);
}

void Tfcadrecarga::adicionaLog(const QString& line)
{
    m_log.append(line);
    memolog->appendPlainText(line);
}

void Tfcadrecarga::adicionaLog(const QStringList& lines)
{
    for (const QString& l : lines)
        adicionaLog(l);
}

void Tfcadrecarga::limpaLog()
{
    m_log.clear();
    memolog->clear();
    mostraProximoPasso(QString());
}

void Tfcadrecarga::mostraProximoPasso(const QString& texto)
{
    m_proximoPasso->setText(texto);
    m_proximoPasso->setVisible(!texto.isEmpty());
}

bool Tfcadrecarga::podeDescartar()
{
    if (!m_valoresPendentes)
        return true;
    // A slip of Enter must not throw work away: Cancelar is the default,
    // and the values can be saved from here.
    enum { Salvar, Descartar, Cancelar };
    const int escolha = m_ctx.interaction->confirm(
        QStringLiteral("Existem valores digitados que não foram salvos. Deseja descartá-los?"),
        {QStringLiteral("Salvar Rascunho"), QStringLiteral("Descartar"), QStringLiteral("Cancelar")},
        Interaction::Icon::Warning, kTituloAplicacao, Cancelar);
    if (escolha == Salvar) {
        btnsalvarrascunhoClick();
        // A failed save discards nothing: the operator stays with the values.
        return !m_valoresPendentes;
    }
    return escolha == Descartar;
}

bool Tfcadrecarga::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == rolagem->viewport() && evento->type() == QEvent::Resize)
        dobraLinhas();
    if ((objeto == btnsalvarrascunho || objeto == btngerararquivo) && evento->type() == QEvent::EnabledChange)
        acompanhaBotoesDaGrade();
    if (evento->type() == QEvent::KeyPress && teclaLocalizar(objeto, static_cast<QKeyEvent*>(evento)))
        return true;
    return QWidget::eventFilter(objeto, evento);
}

void Tfcadrecarga::dobraLinhas()
{
    const int disponivel = rolagem->viewport()->width();
    // What the two rows need side by side, measured unfolded and kept for
    // the way back. Only they count: the progress shown during an import
    // must not fold the page for good.
    if (!m_dobrada) {
        const QMargins margens = tbDigitacao->layout()->contentsMargins();
        m_larguraSemDobra = std::max(m_escolha->minimumSize().width(), m_linhaBaixo->minimumSize().width())
                            + margens.left() + margens.right();
    }
    const bool dobrada = disponivel < m_larguraSemDobra;
    if (dobrada == m_dobrada)
        return;
    m_dobrada = dobrada;
    m_linhaBaixo->setDirection(dobrada ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    arrumaEscolha(dobrada);
}

void Tfcadrecarga::arrumaEscolha(bool dobrada)
{
    QGridLayout* g = m_escolha;
    for (QWidget* w : std::initializer_list<QWidget*>{m_rotuloTipo, cbtipocartao, m_rotuloTarifa, cbtarifa, lbltipo,
                                                      lbltarifa, m_rotuloQtd, lblqtdrec})
        g->removeWidget(w);
    for (int c = 0; c < g->columnCount(); ++c)
        g->setColumnStretch(c, 0);
    g->addWidget(m_rotuloTipo, 0, 0);
    g->addWidget(cbtipocartao, 0, 1);
    g->addWidget(lbltipo, 1, 0, 1, 2);
    if (dobrada) {
        g->addWidget(m_rotuloTarifa, 2, 0);
        g->addWidget(cbtarifa, 2, 1);
        g->addWidget(lbltarifa, 3, 0, 1, 2);
        g->addWidget(m_rotuloQtd, 3, 2);
        g->addWidget(lblqtdrec, 3, 3);
        g->setColumnStretch(1, 1);
    } else {
        g->addWidget(m_rotuloTarifa, 0, 2);
        g->addWidget(cbtarifa, 0, 3, 1, 3);
        g->addWidget(lbltarifa, 1, 2, 1, 2);
        g->addWidget(m_rotuloQtd, 1, 4);
        g->addWidget(lblqtdrec, 1, 5);
        g->setColumnStretch(1, 1);
        g->setColumnStretch(3, 1);
    }
}

void Tfcadrecarga::closeEvent(QCloseEvent* event)
{
    if (!podeDescartar()) {
        event->ignore();
        return;
    }
    // FormClose: the line lists go; the recharge tables stay for the run.
    LinhasArquivo.clear();
    LinhasSaida.clear();
    definePendentes(false);
    event->accept();
}

}  // namespace pluvexa
