#include "maintenance/paginaconferencia.h"

#include "flows/modeloconferencia.h"
#include "recharge/cp1252.h"
#include "review/textosconferencia.h"
#include "ui/controles.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <utility>

namespace pluvexa {

// The holders of one motive, or all; sorted by each column's own value.
class FiltroMotivo : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void defineMotivo(int motivo)
    {
        m_motivo = motivo;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int linha, const QModelIndex& pai) const override
    {
        if (m_motivo < 0)
            return true;
        return sourceModel()->index(linha, 0, pai).data(ModeloConferencia::kRoleMotivo).toInt() == m_motivo;
    }

private:
    int m_motivo = -1;
};

namespace {

// As the question before "Gerar Arquivo" counts them: without value first.
constexpr MotivoConferencia kMotivos[] = {MotivoConferencia::SemValor, MotivoConferencia::AcimaDoHabitual,
                                          MotivoConferencia::AbaixoDoHabitual, MotivoConferencia::SemRecarga,
                                          MotivoConferencia::PrimeiraRecarga};


QTableWidgetItem* celula(const QString& texto, bool numero)
{
    auto* item = new QTableWidgetItem(texto);
    item->setTextAlignment(numero ? (Qt::AlignRight | Qt::AlignVCenter) : (Qt::AlignLeft | Qt::AlignVCenter));
    return item;
}

}  // namespace

PaginaConferencia::PaginaConferencia(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("tbconferencia"));
    setAccessibleName(QStringLiteral("Conferência"));
    auto* pagina = new QVBoxLayout(this);

    auto* resumo = new QGroupBox(QStringLiteral("   Resumo por Tipo de Cartão   "), this);
    resumo->setAccessibleName(QStringLiteral("Resumo por Tipo de Cartão"));
    auto* rl = new QVBoxLayout(resumo);
    sgResumo = new QTableWidget(0, 6, resumo);
    sgResumo->setObjectName(QStringLiteral("sgResumo"));
    sgResumo->setAccessibleName(QStringLiteral("Resumo por Tipo de Cartão"));
    sgResumo->setHorizontalHeaderLabels({QStringLiteral("Tipo"), QStringLiteral("Descrição"),
                                         QStringLiteral("Titulares com Valor"), QStringLiteral("Total Agora"),
                                         QStringLiteral("Total das Últimas Recargas"), QStringLiteral("Variação %")});
    sgResumo->verticalHeader()->hide();
    compactaLinhas(sgResumo);
    sgResumo->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgResumo->setSelectionMode(QAbstractItemView::NoSelection);
    sgResumo->setFocusPolicy(Qt::NoFocus);
    sgResumo->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    rl->addWidget(sgResumo);
    pagina->addWidget(resumo, 0);

    auto* escolhas = new QHBoxLayout;
    edlimite = new QSpinBox(this);
    edlimite->setObjectName(QStringLiteral("edlimite"));
    edlimite->setAccessibleName(QStringLiteral("Limite de variação (%)"));
    edlimite->setRange(kLimiteMinimo, kLimiteMaximo);
    edlimite->setValue(kLimitePadrao);
    edlimite->setSuffix(QStringLiteral(" %"));
    // The review runs again when the operator is done with the number, not
    // at each digit typed.
    edlimite->setKeyboardTracking(false);
    auto* rotuloLimite = new QLabel(QStringLiteral("&Limite de variação : "), this);
    rotuloLimite->setBuddy(edlimite);
    cbmotivo = new QComboBox(this);
    cbmotivo->setObjectName(QStringLiteral("cbmotivo"));
    cbmotivo->setAccessibleName(QStringLiteral("Motivo"));
    cbmotivo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* rotuloMotivo = new QLabel(QStringLiteral("&Motivo : "), this);
    rotuloMotivo->setBuddy(cbmotivo);
    lblassinalados = new QLabel(this);
    lblassinalados->setObjectName(QStringLiteral("lblassinalados"));
    escolhas->addWidget(rotuloLimite);
    escolhas->addWidget(edlimite);
    escolhas->addSpacing(16);
    escolhas->addWidget(rotuloMotivo);
    escolhas->addWidget(cbmotivo);
    escolhas->addSpacing(16);
    escolhas->addWidget(lblassinalados, 1);
    pagina->addLayout(escolhas);

    m_tabela = new ModeloConferencia(this);
    m_filtro = new FiltroMotivo(this);
    m_filtro->setSourceModel(m_tabela);
    m_filtro->setSortRole(ModeloConferencia::kRoleOrdem);
    m_filtro->setSortCaseSensitivity(Qt::CaseInsensitive);
    m_filtro->setSortLocaleAware(true);
    sgConferencia = criaTabelaLeitura("sgConferencia", QStringLiteral("Titulares assinalados"), m_filtro, this);
    sgConferencia->setSelectionMode(QAbstractItemView::SingleSelection);
    sgConferencia->horizontalHeader()->setSectionResizeMode(ModeloConferencia::ColNome, QHeaderView::Stretch);
    sgConferencia->setColumnWidth(ModeloConferencia::ColUsuario, 90);
    sgConferencia->setColumnWidth(ModeloConferencia::ColTipo, 50);
    sgConferencia->setColumnWidth(ModeloConferencia::ColValor, 110);
    sgConferencia->setColumnWidth(ModeloConferencia::ColHabitual, 110);
    sgConferencia->setColumnWidth(ModeloConferencia::ColVariacao, 100);
    sgConferencia->setColumnWidth(ModeloConferencia::ColMotivo, 150);
    // Typing on a row opens its value cell, as in the grid; F2 too.
    sgConferencia->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    sgConferencia->installEventFilter(this);
    pagina->addWidget(sgConferencia, 1);

    auto* acoes = new QHBoxLayout;
    auto* dica = new QLabel(QStringLiteral("Digite para corrigir o valor; Enter ou duplo clique leva ao titular na "
                                           "grade."),
                            this);
    // Folded rather than widening the page past the window.
    dica->setWordWrap(true);
    acoes->addWidget(dica, 1);
    btnirtitular = criaBotao(QStringLiteral("Ir para o &Titular"), "btnirtitular", this);
    btnimprimir = criaBotao(QStringLiteral("&Imprimir"), "btnimprimirconferencia", this);
    btnvoltar = criaBotao(QStringLiteral("&Voltar"), "btnvoltar", this);
    btnsalvarrascunho = criaBotao(QStringLiteral("Salvar &Rascunho"), "btnsalvarrascunhoconferencia", this);
    btngerararquivo = criaBotao(QStringLiteral("&Gerar Arquivo"), "btngerararquivoconferencia", this);
    btnsalvarrascunho->setToolTip(QStringLiteral("Guarda os valores digitados para continuar depois (Ctrl+S)"));
    btngerararquivo->setToolTip(QStringLiteral("Grava o arquivo de resposta com os valores, pronto para enviar à "
                                               "central"));
    btnirtitular->setToolTip(QStringLiteral("Mostra o titular selecionado na grade, pronto para corrigir o valor (Enter)"));
    btnimprimir->setToolTip(QStringLiteral("Mostra a conferência para imprimir ou salvar em PDF"));
    btnvoltar->setToolTip(QStringLiteral("Volta à digitação dos valores"));
    for (QPushButton* b : {btnirtitular, btnimprimir, btnsalvarrascunho, btngerararquivo, btnvoltar})
        acoes->addWidget(b);
    pagina->addLayout(acoes);

    setTabOrder(edlimite, cbmotivo);
    setTabOrder(cbmotivo, sgConferencia);
    setTabOrder(sgConferencia, btnirtitular);
    setTabOrder(btnirtitular, btnimprimir);
    setTabOrder(btnimprimir, btnsalvarrascunho);
    setTabOrder(btnsalvarrascunho, btngerararquivo);
    setTabOrder(btngerararquivo, btnvoltar);

    connect(edlimite, &QSpinBox::valueChanged, this, &PaginaConferencia::limiteAlterado);
    connect(cbmotivo, &QComboBox::currentIndexChanged, this, [this] {
        m_filtro->defineMotivo(cbmotivo->currentData().isValid() ? cbmotivo->currentData().toInt() : -1);
        mostraAssinalados();
    });
    // A column the operator sorts by is sorted by what it shows: the size
    // of the variation gives way to its signed value. The view has sorted
    // by then, with the role it had.
    connect(sgConferencia->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, [this] {
        if (m_ordenandoPeloDesvio || m_filtro->sortRole() == ModeloConferencia::kRoleOrdem)
            return;
        m_filtro->setSortRole(ModeloConferencia::kRoleOrdem);
        m_filtro->sort(m_filtro->sortColumn(), m_filtro->sortOrder());
    });
    connect(sgConferencia, &QTableView::doubleClicked, this, [this] { escolheAtual(); });
    connect(btnirtitular, &QPushButton::clicked, this, [this] { escolheAtual(); });
    connect(btnimprimir, &QPushButton::clicked, this, &PaginaConferencia::imprimir);
    connect(btnvoltar, &QPushButton::clicked, this, &PaginaConferencia::voltar);
    connect(btnsalvarrascunho, &QPushButton::clicked, this, &PaginaConferencia::salvarRascunho);
    connect(btngerararquivo, &QPushButton::clicked, this, &PaginaConferencia::gerarArquivo);
    connect(m_tabela, &ModeloConferencia::valorDigitado, this, [this](int titular, const QString& texto) {
        m_corrigido = titular;
        m_textoCorrigido = texto;
    });
    // The view closes its editor on this same signal, connected before.
    connect(sgConferencia->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this] {
        const int titular = std::exchange(m_corrigido, -1);
        if (titular >= 0)
            emit valorCorrigido(titular, m_textoCorrigido);
    });
    mostraMotivos();
}

void PaginaConferencia::mostra(const ModeloRecarga& m, Conferencia c)
{
    const int atual = titularAtual();
    const int linhaAtual = sgConferencia->currentIndex().row();
    const int colunaAtual = std::max(0, sgConferencia->currentIndex().column());
    if (edlimite->value() != c.limite) {
        const QSignalBlocker quieto(edlimite);
        edlimite->setValue(c.limite);
    }
    const int mostradosAntes = m_filtro->rowCount();
    m_tabela->define(m, std::move(c));
    mostraResumo(m);
    mostraMotivos();
    // The last holder of the motive shown corrected, the others flagged
    // come into view rather than an empty list.
    const bool todos = mostradosAntes > 0 && m_filtro->rowCount() == 0 && m_tabela->rowCount() > 0;
    if (todos)
        cbmotivo->setCurrentIndex(0);
    mostraAssinalados();
    // The holder the operator was on stays current when still flagged;
    // one corrected off the list leaves the next holder in its place. A
    // list come into view starts at its top.
    int linha = todos ? 0 : std::clamp(linhaAtual, 0, std::max(0, m_filtro->rowCount() - 1));
    for (int r = 0; !todos && atual >= 0 && r < m_filtro->rowCount(); ++r) {
        const int i = m_filtro->index(r, 0).data(ModeloConferencia::kRoleIndice).toInt();
        if (m_tabela->conferencia().titulares[std::size_t(i)].indice == atual) {
            linha = r;
            break;
        }
    }
    if (m_filtro->rowCount() > 0)
        sgConferencia->setCurrentIndex(m_filtro->index(linha, colunaAtual));
}

const Conferencia& PaginaConferencia::conferencia() const
{
    return m_tabela->conferencia();
}

void PaginaConferencia::mostraResumo(const ModeloRecarga& m)
{
    const Conferencia& c = m_tabela->conferencia();
    sgResumo->setRowCount(int(c.resumo.size()));
    for (int i = 0; i < int(c.resumo.size()); ++i) {
        const ResumoTipoCartao& r = c.resumo[std::size_t(i)];
        const QString descricao = r.tipo >= 0 && r.tipo < kTiposCartao
                                      ? deCp1252(m.wTipoCartao[std::size_t(r.tipo)].Descricao).trimmed()
                                      : QString();
        sgResumo->setItem(i, 0, celula(QString::number(r.tipo), true));
        sgResumo->setItem(i, 1, celula(descricao, false));
        sgResumo->setItem(i, 2, celula(QString::number(r.titularesComValor), true));
        sgResumo->setItem(i, 3, celula(unidadesNaTela(r.totalAgora, r.creditos), true));
        sgResumo->setItem(i, 4, celula(unidadesNaTela(r.totalUltimas, r.creditos), true));
        sgResumo->setItem(i, 5, celula(variacaoNaTela(r.variacao()), true));
    }
    sgResumo->resizeColumnToContents(2);
    sgResumo->resizeColumnToContents(3);
    sgResumo->resizeColumnToContents(4);
    // As tall as its rows, up to five; the flagged holders take the rest.
    const int linhas = std::clamp(sgResumo->rowCount(), 1, 5);
    sgResumo->setFixedHeight(sgResumo->horizontalHeader()->sizeHint().height()
                             + linhas * sgResumo->verticalHeader()->defaultSectionSize() + 2 * sgResumo->frameWidth());
}

void PaginaConferencia::mostraMotivos()
{
    const Conferencia& c = m_tabela->conferencia();
    const QVariant escolhido = cbmotivo->currentData();
    const QSignalBlocker quieto(cbmotivo);
    cbmotivo->clear();
    cbmotivo->addItem(QStringLiteral("Todos (%1)").arg(c.titulares.size()));
    for (const MotivoConferencia motivo : kMotivos)
        cbmotivo->addItem(QStringLiteral("%1 (%2)").arg(textoMotivo(motivo)).arg(c.quantos(motivo)), int(motivo));
    const int i = escolhido.isValid() ? cbmotivo->findData(escolhido) : 0;
    cbmotivo->setCurrentIndex(std::max(0, i));
}

void PaginaConferencia::escolheMotivo(std::optional<MotivoConferencia> motivo)
{
    const int i = motivo ? cbmotivo->findData(int(*motivo)) : 0;
    cbmotivo->setCurrentIndex(std::max(0, i));
    m_filtro->defineMotivo(motivo ? int(*motivo) : -1);
    mostraAssinalados();
    if (m_filtro->rowCount() > 0)
        sgConferencia->setCurrentIndex(m_filtro->index(0, 0));
}

void PaginaConferencia::ordenaPeloDesvio()
{
    {
        const QScopedValueRollback ordenando(m_ordenandoPeloDesvio, true);
        m_filtro->setSortRole(ModeloConferencia::kRoleDesvio);
        sgConferencia->sortByColumn(ModeloConferencia::ColVariacao, Qt::DescendingOrder);
        // Sorted again when the indicator already stood there.
        m_filtro->sort(ModeloConferencia::ColVariacao, Qt::DescendingOrder);
    }
    if (m_filtro->rowCount() > 0)
        sgConferencia->setCurrentIndex(m_filtro->index(0, ModeloConferencia::ColValor));
}

void PaginaConferencia::mostraAssinalados()
{
    const int n = m_filtro->rowCount();
    lblassinalados->setText(n == 1 ? QStringLiteral("1 titular assinalado")
                                   : QStringLiteral("%1 titulares assinalados").arg(n));
}

QString PaginaConferencia::motivoMostrado() const
{
    const QVariant d = cbmotivo->currentData();
    return d.isValid() ? textoMotivo(MotivoConferencia(d.toInt())) : QStringLiteral("Todos");
}

std::vector<int> PaginaConferencia::ordemMostrada() const
{
    std::vector<int> ordem;
    ordem.reserve(std::size_t(m_filtro->rowCount()));
    for (int r = 0; r < m_filtro->rowCount(); ++r)
        ordem.push_back(m_filtro->index(r, 0).data(ModeloConferencia::kRoleIndice).toInt());
    return ordem;
}

int PaginaConferencia::titularAtual() const
{
    const QModelIndex atual = sgConferencia->currentIndex();
    if (!atual.isValid())
        return -1;
    const int i = atual.siblingAtColumn(0).data(ModeloConferencia::kRoleIndice).toInt();
    const Conferencia& c = m_tabela->conferencia();
    return i >= 0 && i < int(c.titulares.size()) ? c.titulares[std::size_t(i)].indice : -1;
}

void PaginaConferencia::escolheAtual()
{
    const int h = titularAtual();
    if (h >= 0)
        emit titularEscolhido(h);
}

bool PaginaConferencia::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == sgConferencia && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        // Enter in a value being typed stores it (the editor passes the key
        // on): it takes nobody anywhere.
        if ((tecla == Qt::Key_Return || tecla == Qt::Key_Enter) && QApplication::focusWidget() == sgConferencia) {
            escolheAtual();
            return true;
        }
        // A figure typed anywhere on the row goes to its value cell.
        const QString texto = static_cast<QKeyEvent*>(evento)->text();
        const QModelIndex atual = sgConferencia->currentIndex();
        if (atual.isValid() && texto.size() == 1
            && (texto.at(0).isDigit() || texto.at(0) == u',' || texto.at(0) == u'.'))
            sgConferencia->setCurrentIndex(atual.siblingAtColumn(ModeloConferencia::ColValor));
    }
    return QWidget::eventFilter(objeto, evento);
}

}  // namespace pluvexa
