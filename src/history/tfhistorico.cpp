#include "history/tfhistorico.h"

#include "files/pastastrabalho.h"
#include "flows/arquivossalvos.h"
#include "flows/fluxoexportacao.h"
#include "flows/impressaolistagem.h"
#include "history/core/comparacaocsv.h"
#include "history/core/totaiscomparacao.h"
#include "history/modelocomparacao.h"
#include "interaction/interaction.h"
#include "recharge/formatonumero.h"
#include "ui/controles.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace pluvexa {

namespace {

const QString kDanificado = QStringLiteral("Danificado: ");
const QString kOutroFormato = QStringLiteral("arquivo danificado ou de outro formato");
const QString kNomeForaDoPadrao = QStringLiteral("Ilegível: o nome não é o de um lote enviado");

// One situation of the comparison, or all.
class FiltroSituacao : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void defineSituacao(int situacao)
    {
        m_situacao = situacao;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int linha, const QModelIndex& pai) const override
    {
        return m_situacao < 0
               || sourceModel()->index(linha, 0, pai).data(ModeloComparacao::kRoleSituacao).toInt() == m_situacao;
    }

private:
    int m_situacao = -1;
};


QTableWidgetItem* celula(const QString& texto, bool numero = false)
{
    auto* item = new QTableWidgetItem(texto);
    item->setTextAlignment(numero ? (Qt::AlignRight | Qt::AlignVCenter) : (Qt::AlignLeft | Qt::AlignVCenter));
    return item;
}

// What the window tells of a file that cannot be read: "Danificado:" and
// why in the operator's words (the command line names the technical
// reason), or that its name is no batch's.
QString motivoIlegivel(const LoteHistorico& lote)
{
    if (!leNomeLote(QFileInfo(lote.caminho).fileName()))
        return kNomeForaDoPadrao;
    return kDanificado + (lote.motivo.isEmpty() ? kOutroFormato : lote.motivo);
}

}  // namespace

Tfhistorico::Tfhistorico(const AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("fhistorico"));
    setWindowTitle(QStringLiteral("Histórico"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    auto* v = new QVBoxLayout(this);
    criaLista();
    criaComparacao();
    // The list of batches keeps the height of its rows; the comparison,
    // thousands of holders long, takes the rest of the window.
    v->addWidget(findChild<QGroupBox*>(QStringLiteral("gbLotes")), 0);
    v->addWidget(gbComparacao, 1);

    connect(btnimprimir, &QPushButton::clicked, this, [this] { btnimprimirClick(); });
    connect(btnexportar, &QPushButton::clicked, this, [this] { btnexportarClick(); });
    connect(btncomparar, &QPushButton::clicked, this, [this] { btncompararClick(); });
    connect(btnatualizar, &QPushButton::clicked, this, [this] { FormCreate(); });
    connect(btnexportarcomparacao, &QPushButton::clicked, this, [this] { btnexportarcomparacaoClick(); });
    connect(cbsituacao, &QComboBox::currentIndexChanged, this, [this] {
        static_cast<FiltroSituacao*>(m_filtro)->defineSituacao(
            cbsituacao->currentData().isValid() ? cbsituacao->currentData().toInt() : -1);
        mostraSituacoes();
        mostraTotais();
    });
    FormCreate();
    sgLotes->setFocus(Qt::OtherFocusReason);
}

Tfhistorico::~Tfhistorico() = default;

void Tfhistorico::criaLista()
{
    // Every answer generated is kept, taken to the disk or not: "Enviado"
    // tells which.
    auto* box = new QGroupBox(QStringLiteral("   Lotes Gerados   "), this);
    box->setObjectName(QStringLiteral("gbLotes"));
    box->setAccessibleName(QStringLiteral("Lotes Gerados"));
    auto* v = new QVBoxLayout(box);
    sgLotes = new QTableWidget(0, kColunasLote, box);
    sgLotes->setObjectName(QStringLiteral("sgLotes"));
    sgLotes->setAccessibleName(QStringLiteral("Lotes Gerados"));
    sgLotes->setHorizontalHeaderLabels({QStringLiteral("Empresa"), QStringLiteral("Remessa"),
                                        QStringLiteral("Gerado em"), QStringLiteral("Titulares com Valor"),
                                        QStringLiteral("Total em Valor"), QStringLiteral("Total em Créditos"),
                                        QStringLiteral("Arquivo"), QStringLiteral("Enviado")});
    sgLotes->verticalHeader()->hide();
    compactaLinhas(sgLotes);
    sgLotes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgLotes->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgLotes->setSelectionMode(QAbstractItemView::ExtendedSelection);
    sgLotes->setAlternatingRowColors(true);
    // The answer's name takes the room left; cut, it keeps both ends (the
    // company and the stamp), and its cell's tip shows it whole.
    sgLotes->horizontalHeader()->setSectionResizeMode(ColArquivo, QHeaderView::Stretch);
    sgLotes->setTextElideMode(Qt::ElideMiddle);
    v->addWidget(sgLotes, 1);

    auto* acoes = new QHBoxLayout;
    lbllotes = new QLabel(box);
    lbllotes->setObjectName(QStringLiteral("lbllotes"));
    acoes->addWidget(lbllotes, 1);
    btnimprimir = criaBotao(QStringLiteral("&Imprimir"), "btnimprimir", box);
    btnexportar = criaBotao(QStringLiteral("E&xportar Planilha"), "btnexportar", box);
    btncomparar = criaBotao(QStringLiteral("&Comparar"), "btncomparar", box);
    btnatualizar = criaBotao(QStringLiteral("A&tualizar"), "btnatualizar", box);
    btnimprimir->setToolTip(QStringLiteral("A listagem do lote selecionado, como foi enviado"));
    btnexportar->setToolTip(QStringLiteral("Grava os titulares e valores do lote selecionado numa planilha (.xlsx, .ods ou .csv)"));
    btnatualizar->setToolTip(QStringLiteral("Lê de novo a pasta do histórico"));
    btncomparar->setToolTip(QStringLiteral("Selecione dois lotes (Ctrl+clique) e compare titular a titular"));
    for (QPushButton* b : {btnimprimir, btnexportar, btncomparar, btnatualizar})
        acoes->addWidget(b);
    v->addLayout(acoes);
}

void Tfhistorico::criaComparacao()
{
    gbComparacao = new QGroupBox(QStringLiteral("   Comparação   "), this);
    gbComparacao->setObjectName(QStringLiteral("gbComparacao"));
    gbComparacao->setAccessibleName(QStringLiteral("Comparação"));
    auto* v = new QVBoxLayout(gbComparacao);
    lblcomparacao = new QLabel(QStringLiteral("Selecione dois lotes e clique em Comparar."), gbComparacao);
    lblcomparacao->setObjectName(QStringLiteral("lblcomparacao"));
    lblcomparacao->setWordWrap(true);
    v->addWidget(lblcomparacao);

    auto* filtro = new QHBoxLayout;
    cbsituacao = new QComboBox(gbComparacao);
    cbsituacao->setObjectName(QStringLiteral("cbsituacao"));
    cbsituacao->setAccessibleName(QStringLiteral("Situação"));
    cbsituacao->addItem(QStringLiteral("Todas"));
    for (const Situacao s : {Situacao::Alterado, Situacao::Novo, Situacao::Saiu, Situacao::Igual})
        cbsituacao->addItem(textoSituacao(s), int(s));
    auto* rotulo = new QLabel(QStringLiteral("&Situação : "), gbComparacao);
    rotulo->setBuddy(cbsituacao);
    lblsituacoes = new QLabel(gbComparacao);
    lblsituacoes->setObjectName(QStringLiteral("lblsituacoes"));
    filtro->addWidget(rotulo);
    filtro->addWidget(cbsituacao);
    filtro->addSpacing(16);
    filtro->addWidget(lblsituacoes, 1);
    btnexportarcomparacao = criaBotao(QStringLiteral("Exportar Co&mparação"), "btnexportarcomparacao", gbComparacao);
    btnexportarcomparacao->setToolTip(QStringLiteral("Grava a comparação dos dois lotes numa planilha (.xlsx, .ods ou .csv)"));
    btnexportarcomparacao->setEnabled(false);
    filtro->addWidget(btnexportarcomparacao);
    v->addLayout(filtro);

    m_comparacao = new ModeloComparacao(this);
    m_filtro = new FiltroSituacao(this);
    m_filtro->setSourceModel(m_comparacao);
    m_filtro->setSortRole(ModeloComparacao::kRoleOrdem);
    m_filtro->setSortLocaleAware(true);
    sgComparacao = criaTabelaLeitura("sgComparacao", QStringLiteral("Comparação"), m_filtro, gbComparacao);
    sgComparacao->horizontalHeader()->setSectionResizeMode(ModeloComparacao::ColNome, QHeaderView::Stretch);
    // A name too long for its column keeps its beginning; its tip shows it whole.
    sgComparacao->setTextElideMode(Qt::ElideRight);
    v->addWidget(sgComparacao, 1);
    v->addWidget(criaTotais(gbComparacao));
}

// The totals of the rows shown, under the columns they total: one row for
// money, one for credits, as the comparison holds them.
QTableWidget* Tfhistorico::criaTotais(QWidget* pai)
{
    m_totais = new QTableWidget(0, ModeloComparacao::kColunas, pai);
    m_totais->setObjectName(QStringLiteral("sgTotaisComparacao"));
    m_totais->setAccessibleName(QStringLiteral("Totais da Comparação"));
    m_totais->horizontalHeader()->hide();
    m_totais->verticalHeader()->hide();
    compactaLinhas(m_totais);
    m_totais->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_totais->setSelectionMode(QAbstractItemView::NoSelection);
    m_totais->setFocusPolicy(Qt::NoFocus);
    m_totais->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_totais->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_totais->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QFont negrito = m_totais->font();
    negrito.setBold(true);
    m_totais->setFont(negrito);
    const QHeaderView* colunas = sgComparacao->horizontalHeader();
    connect(colunas, &QHeaderView::sectionResized, m_totais,
            [this](int coluna, int, int largura) { m_totais->setColumnWidth(coluna, largura); });
    connect(sgComparacao->horizontalScrollBar(), &QScrollBar::valueChanged, m_totais->horizontalScrollBar(),
            &QScrollBar::setValue);
    m_totais->hide();
    return m_totais;
}

void Tfhistorico::mostraTotais()
{
    std::vector<const LinhaComparacao*> mostradas;
    mostradas.reserve(std::size_t(m_filtro->rowCount()));
    for (int r = 0; r < m_filtro->rowCount(); ++r)
        mostradas.push_back(&m_comparacao->linhas()[std::size_t(m_filtro->mapToSource(m_filtro->index(r, 0)).row())]);
    const std::vector<TotalComparacao> totais = totalizaComparacao(mostradas);
    m_totais->setRowCount(int(totais.size()));
    for (int i = 0; i < int(totais.size()); ++i) {
        const TotalComparacao& t = totais[std::size_t(i)];
        QTableWidgetItem* rotulo = celula(rotuloTotal(t));
        rotulo->setToolTip(rotulo->text());
        m_totais->setItem(i, ModeloComparacao::ColNome, rotulo);
        m_totais->setItem(i, ModeloComparacao::ColValorA, celula(textoComUnidade(t.valorA(), t.creditos), true));
        m_totais->setItem(i, ModeloComparacao::ColValorB, celula(textoComUnidade(t.valorB(), t.creditos), true));
        m_totais->setItem(i, ModeloComparacao::ColDiferenca,
                          celula(textoComUnidade(t.diferenca(), t.creditos), true));
    }
    // A total is wider than the values it adds: its column widens to show
    // it whole, above and below alike.
    QHeaderView* colunas = sgComparacao->horizontalHeader();
    const QFontMetrics medida(m_totais->font());
    const int folga = 2 * m_totais->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_totais) + 8;
    for (int c : {int(ModeloComparacao::ColValorA), int(ModeloComparacao::ColValorB), int(ModeloComparacao::ColDiferenca)})
        for (int i = 0; i < m_totais->rowCount(); ++i)
            if (const QTableWidgetItem* item = m_totais->item(i, c))
                colunas->resizeSection(c, std::max(colunas->sectionSize(c),
                                                   medida.horizontalAdvance(item->text()) + folga));
    for (int c = 0; c < ModeloComparacao::kColunas; ++c)
        m_totais->setColumnWidth(c, colunas->sectionSize(c));
    int altura = 2 * m_totais->frameWidth();
    for (int i = 0; i < m_totais->rowCount(); ++i)
        altura += m_totais->rowHeight(i);
    m_totais->setFixedHeight(altura);
    m_totais->setVisible(!totais.empty());
}

void Tfhistorico::FormCreate()
{
    criaPastasTrabalho();
    {
        // Years of batches of 10,000 holders take a moment to read.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_lotes = listaHistorico(pastaHistorico(), pastaGerados(), Resumo::Usa);
        QApplication::restoreOverrideCursor();
    }
    sgLotes->clearContents();
    sgLotes->clearSpans();
    sgLotes->setRowCount(int(m_lotes.size()));
    int danificados = 0;
    for (int i = 0; i < int(m_lotes.size()); ++i) {
        mostraLote(i, m_lotes[std::size_t(i)]);
        danificados += m_lotes[std::size_t(i)].erro.isEmpty() ? 0 : 1;
    }
    for (int c = 0; c < kColunasLote; ++c)
        if (c != ColArquivo)
            sgLotes->resizeColumnToContents(c);
    ajustaAlturaLotes();
    QString texto = m_lotes.empty() ? QStringLiteral("Nenhum lote guardado em ") + caminhoVisivel(pastaHistorico())
                    : m_lotes.size() == 1 ? QStringLiteral("1 lote guardado")
                                          : QStringLiteral("%1 lotes guardados").arg(m_lotes.size());
    if (danificados > 0)
        texto += danificados == 1 ? QStringLiteral(" - 1 danificado") : QStringLiteral(" - %1 danificados").arg(danificados);
    lbllotes->setText(texto);
    if (!m_lotes.empty())
        sgLotes->selectRow(0);
}

// As tall as its rows, from three to eight of them; more scroll.
void Tfhistorico::ajustaAlturaLotes()
{
    const int linhas = std::clamp(sgLotes->rowCount(), 3, 8);
    const int altura = sgLotes->horizontalHeader()->sizeHint().height() + linhas * sgLotes->verticalHeader()->defaultSectionSize()
                       + 2 * sgLotes->frameWidth() + sgLotes->horizontalScrollBar()->sizeHint().height();
    sgLotes->setFixedHeight(altura);
}

void Tfhistorico::mostraLote(int linha, const LoteHistorico& lote)
{
    const bool nomeado = lote.nome.geradoEm.isValid();
    sgLotes->setItem(linha, ColEmpresa,
                     celula(nomeado ? QStringLiteral("%1").arg(lote.nome.empresa, 5, 10, QLatin1Char('0')) : QString()));
    sgLotes->setItem(linha, ColRemessa,
                     celula(nomeado ? QStringLiteral("%1").arg(lote.nome.remessa, 4, 10, QLatin1Char('0')) : QString()));
    sgLotes->setItem(linha, ColGeradoEm,
                     celula(nomeado ? lote.nome.geradoEm.toString(QStringLiteral("dd/MM/yyyy HH:mm")) : QString()));
    sgLotes->setItem(linha, ColEnviado,
                     celula(lote.enviado ? QStringLiteral("Sim") : QStringLiteral("Não")));
    if (lote.erro.isEmpty()) {
        sgLotes->setItem(linha, ColTitulares, celula(QString::number(lote.titularesComValor), true));
        sgLotes->setItem(linha, ColTotalValor, celula(formata(u"###,###,##0.00", lote.totalValor), true));
        sgLotes->setItem(linha, ColTotalCreditos, celula(formata(u"###,###,##0", lote.totalCreditos), true));
        QTableWidgetItem* arquivo = celula(lote.resposta);
        arquivo->setToolTip(lote.resposta);
        sgLotes->setItem(linha, ColArquivo, arquivo);
        return;
    }
    // Shown where the totals would be, so that a damaged batch is seen.
    auto* erro = celula(motivoIlegivel(lote));
    erro->setForeground(QColor(0xB0, 0, 0));
    erro->setToolTip(caminhoVisivel(lote.caminho));
    sgLotes->setItem(linha, ColTitulares, erro);
    sgLotes->setSpan(linha, ColTitulares, 1, 3);
    sgLotes->setItem(linha, ColArquivo, celula(QFileInfo(lote.caminho).fileName()));
}

void Tfhistorico::selecionaLotes(const std::vector<int>& posicoes)
{
    sgLotes->clearSelection();
    for (const int p : posicoes)
        if (p >= 0 && p < sgLotes->rowCount())
            sgLotes->selectionModel()->select(sgLotes->model()->index(p, 0),
                                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (!posicoes.empty())
        sgLotes->selectionModel()->setCurrentIndex(sgLotes->model()->index(posicoes.front(), 0),
                                                   QItemSelectionModel::NoUpdate);
}

std::vector<int> Tfhistorico::selecionados() const
{
    std::vector<int> linhas;
    for (const QModelIndex& i : sgLotes->selectionModel()->selectedRows())
        linhas.push_back(i.row());
    std::sort(linhas.begin(), linhas.end());
    return linhas;
}

std::unique_ptr<ModeloRecarga> Tfhistorico::le(const LoteHistorico& lote)
{
    const QString nome = QFileInfo(lote.caminho).fileName();
    if (!lote.erro.isEmpty()) {
        m_ctx.interaction->notice(QStringLiteral("O lote %1 não pode ser lido: %2.")
                                      .arg(nome, motivoIlegivel(lote).section(QStringLiteral(": "), 1, -1)),
                                  Interaction::Icon::Warning);
        return nullptr;
    }
    auto m = std::make_unique<ModeloRecarga>();
    QString erro;
    if (!carregaHistorico(lote.caminho, *m, erro)) {
        // Read when listed, unreadable now: changed or removed meanwhile.
        m_ctx.interaction->notice(QStringLiteral("O lote %1 não pode mais ser lido. Clique em Atualizar.").arg(nome),
                                  Interaction::Icon::Warning);
        return nullptr;
    }
    return m;
}

std::unique_ptr<ModeloRecarga> Tfhistorico::loteEscolhido(const LoteHistorico** lote)
{
    const std::vector<int> linhas = selecionados();
    if (linhas.size() != 1) {
        m_ctx.interaction->notice(m_lotes.empty() ? QStringLiteral("Não há lotes guardados.")
                                                  : QStringLiteral("Selecione um lote."),
                                  Interaction::Icon::Information);
        return nullptr;
    }
    *lote = &m_lotes[std::size_t(linhas.front())];
    return le(**lote);
}

void Tfhistorico::btnimprimirClick()
{
    const LoteHistorico* lote = nullptr;
    std::unique_ptr<ModeloRecarga> m = loteEscolhido(&lote);
    if (!m)
        return;
    m_ctx.status(QStringLiteral("Imprimindo ") + lote->resposta);
    mostraListagem(*m, caminhoVisivel(lote->caminho), m_ctx.pastaSalvar(TipoSalvo::Historico), *m_ctx.interaction,
                   [this](const QString& c) { m_ctx.arquivoGravado(TipoSalvo::Historico, c); });
    m_ctx.status(QString());
}

void Tfhistorico::btnexportarClick()
{
    const LoteHistorico* lote = nullptr;
    std::unique_ptr<ModeloRecarga> m = loteEscolhido(&lote);
    if (m)
        salvaPlanilha(*m, lote->caminho, m_ctx.pastaSalvar(TipoSalvo::Historico), *m_ctx.interaction,
                      [this](const QString& c) { m_ctx.arquivoGravado(TipoSalvo::Historico, c); });
}

void Tfhistorico::btncompararClick()
{
    const std::vector<int> linhas = selecionados();
    if (linhas.size() != 2) {
        m_ctx.interaction->notice(QStringLiteral("Selecione dois lotes para comparar (Ctrl+clique no segundo)."),
                                  Interaction::Icon::Information);
        return;
    }
    // Listed newest first: A is the older batch, B the newer.
    const LoteHistorico& a = m_lotes[std::size_t(linhas[1])];
    const LoteHistorico& b = m_lotes[std::size_t(linhas[0])];
    const std::unique_ptr<ModeloRecarga> ma = le(a);
    if (!ma)
        return;
    const std::unique_ptr<ModeloRecarga> mb = le(b);
    if (!mb)
        return;
    m_comparacao->define(comparaLotes(*ma, *mb));
    const auto descreve = [](const LoteHistorico& l) {
        return QStringLiteral("%1 (remessa %2 de %3)")
            .arg(l.resposta)
            .arg(l.nome.remessa, 4, 10, QLatin1Char('0'))
            .arg(l.nome.geradoEm.toString(QStringLiteral("dd/MM/yyyy HH:mm")));
    };
    lblcomparacao->setText(QStringLiteral("A : ") + descreve(a) + QStringLiteral("\nB : ") + descreve(b));
    m_nomeComparacao = QStringLiteral("Comparacao_%1_%2")
                           .arg(QFileInfo(a.caminho).completeBaseName(), QFileInfo(b.caminho).completeBaseName());
    btnexportarcomparacao->setEnabled(true);
    mostraSituacoes();
    mostraTotais();
}

void Tfhistorico::mostraSituacoes()
{
    if (m_comparacao->rowCount() == 0 && m_nomeComparacao.isEmpty()) {
        lblsituacoes->clear();
        return;
    }
    lblsituacoes->setText(QStringLiteral("Alterado: %1   Novo: %2   Saiu: %3   Igual: %4   (mostrando %5)")
                              .arg(m_comparacao->quantos(Situacao::Alterado))
                              .arg(m_comparacao->quantos(Situacao::Novo))
                              .arg(m_comparacao->quantos(Situacao::Saiu))
                              .arg(m_comparacao->quantos(Situacao::Igual))
                              .arg(m_filtro->rowCount()));
}

void Tfhistorico::btnexportarcomparacaoClick()
{
    if (m_nomeComparacao.isEmpty())
        return;
    // Every holder of both batches, whatever the filter shows: the
    // spreadsheet is the comparison, the filter only a view of it.
    salvaTabela(tabelaComparacao(m_comparacao->linhas()), QStringLiteral("Exportar Comparação"),
                caminhoParaSalvar(m_ctx.pastaSalvar(TipoSalvo::Historico), m_nomeComparacao, m_nomeComparacao, QString()),
                *m_ctx.interaction, [this](const QString& c) { m_ctx.arquivoGravado(TipoSalvo::Historico, c); });
}

}  // namespace pluvexa
