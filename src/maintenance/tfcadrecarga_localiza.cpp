// The find field above the grid: the rows of the card type and tariff shown
// narrow to the holders matching what the operator types; with "Todos os
// tipos e tarifas" checked, Enter goes to the next match in the whole file,
// switching the card type and tariff to those that list it, and every match
// is listed under the field, whence Enter or a double click shows one in the
// grid. Values typed
// before the rows change are written back first: the write-back goes by
// holder, so the rows left out keep theirs.

#include "grid/celulasgrid.h"
#include "grid/filtroportadores.h"
#include "flows/modelolocalizados.h"
#include "grid/preenchegrid.h"
#include "maintenance/recargagrid.h"
#include "maintenance/rotulovalor.h"
#include "maintenance/tfcadrecarga.h"
#include "ui/controles.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QTableView>

namespace pluvexa {

void Tfcadrecarga::criaLocalizar(QBoxLayout* page)
{
    auto* linha = new QHBoxLayout;
    edlocalizar = new QLineEdit(tbDigitacao);
    edlocalizar->setObjectName(QStringLiteral("edlocalizar"));
    edlocalizar->setAccessibleName(QStringLiteral("Localizar"));
    edlocalizar->setPlaceholderText(QStringLiteral("Localizar: nome, matrícula ou cartão (Ctrl+F)"));
    edlocalizar->setClearButtonEnabled(true);
    // The field's clear button has no text of its own: a screen reader
    // would announce a nameless button.
    for (QToolButton* limpar : edlocalizar->findChildren<QToolButton*>()) {
        limpar->setObjectName(QStringLiteral("btnlimparlocalizar"));
        limpar->setAccessibleName(QStringLiteral("Limpar"));
        limpar->setToolTip(QStringLiteral("Limpar"));
    }
    // Read by its text, change after change, as the other value labels.
    lbllocalizados = new RotuloValor(tbDigitacao);
    lbllocalizados->setObjectName(QStringLiteral("lbllocalizados"));
    lbllocalizados->setMinimumWidth(lbllocalizados->fontMetrics().horizontalAdvance(QStringLiteral("00000 localizados")));
    cklocalizatodos = new QCheckBox(QStringLiteral("Todos os tipos e tarifas"), tbDigitacao);
    cklocalizatodos->setObjectName(QStringLiteral("cklocalizatodos"));
    cklocalizatodos->setAccessibleName(QStringLiteral("Todos os tipos e tarifas"));
    linha->addWidget(edlocalizar, 1);
    linha->addWidget(lbllocalizados);
    linha->addWidget(cklocalizatodos);
    page->addLayout(linha);

    m_localizados = new ModeloLocalizados(tbDigitacao);
    m_listaLocalizados = criaTabelaLeitura("sglocalizados", QStringLiteral("Titulares localizados"), m_localizados,
                                           tbDigitacao);
    m_listaLocalizados->setSortingEnabled(false);
    m_listaLocalizados->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listaLocalizados->setToolTip(QStringLiteral("Enter ou duplo clique mostra o titular na grade"));
    m_listaLocalizados->horizontalHeader()->setSectionResizeMode(ModeloLocalizados::ColNome, QHeaderView::Stretch);
    // A few rows at a time: the grid keeps the page.
    const int linhas = 5;
    m_listaLocalizados->setFixedHeight(m_listaLocalizados->horizontalHeader()->sizeHint().height()
                                       + linhas * m_listaLocalizados->verticalHeader()->defaultSectionSize()
                                       + 2 * m_listaLocalizados->frameWidth());
    m_listaLocalizados->hide();
    m_listaLocalizados->installEventFilter(this);
    page->addWidget(m_listaLocalizados);
}

void Tfcadrecarga::ligaLocalizar()
{
    connect(edlocalizar, &QLineEdit::textChanged, this, [this] { edlocalizarChange(); });
    connect(edlocalizar, &QLineEdit::returnPressed, this, [this] { edlocalizarEnter(); });
    connect(cklocalizatodos, &QCheckBox::toggled, this, [this] { mostraLocalizados(); });
    connect(m_listaLocalizados, &QTableView::doubleClicked, this, [this] { mostraLocalizadoEscolhido(); });
    edlocalizar->installEventFilter(this);
    auto* limpa = new QAction(edlocalizar);
    limpa->setShortcut(Qt::Key_Escape);
    limpa->setShortcutContext(Qt::WidgetShortcut);
    connect(limpa, &QAction::triggered, edlocalizar, &QLineEdit::clear);
    edlocalizar->addAction(limpa);
}

const FiltroPortadores* Tfcadrecarga::filtroDaGrade() const
{
    return m_filtro.ativo() ? &m_filtro : nullptr;
}

void Tfcadrecarga::edlocalizarChange()
{
    // Nothing processed yet: only remember the query.
    const bool comGrade = cbtipocartao->currentIndex() >= 0 && cbtarifa->currentIndex() >= 0;
    if (comGrade && !AtualizaArrayRecargas())
        return;
    m_filtro = FiltroPortadores(edlocalizar->text());
    m_proximoAchado = 0;
    if (comGrade)
        cbtipocartaoChange();
    else
        mostraLocalizados();
}

void Tfcadrecarga::mostraLocalizados()
{
    const bool todos = cklocalizatodos->isChecked() && m_filtro.ativo();
    std::vector<int> achados = todos ? localizaNoArquivo(*m_ctx.modelo, m_filtro) : std::vector<int>();
    mostraListaLocalizados(achados);
    if (!m_filtro.ativo()) {
        lbllocalizados->clear();
        return;
    }
    // Without the whole file, the rows listed (an empty grid keeps one
    // blank row, which shows nobody).
    int n = 0;
    if (todos)
        n = int(achados.size());
    else if (m_indice.titular(1) >= 0)
        n = int(m_indice.titulares().size()) - 1;
    lbllocalizados->setText(QString::number(n) + (n == 1 ? QStringLiteral(" localizado")
                                                          : QStringLiteral(" localizados")));
}

void Tfcadrecarga::mostraListaLocalizados(std::vector<int> achados)
{
    // The same matches keep the row the operator was on.
    if (achados == m_localizados->titulares()) {
        m_listaLocalizados->viewport()->update();
    } else {
        const QModelIndex atual = m_listaLocalizados->currentIndex();
        const int titular = atual.isValid() ? atual.data(ModeloLocalizados::kRoleTitular).toInt() : -1;
        m_localizados->define(*m_ctx.modelo, std::move(achados));
        const int linha = m_localizados->linhaDo(titular);
        if (m_localizados->rowCount() > 0)
            m_listaLocalizados->setCurrentIndex(m_localizados->index(std::max(0, linha), 0));
    }
    m_listaLocalizados->setVisible(m_localizados->rowCount() > 0);
}

void Tfcadrecarga::mostraLocalizadoEscolhido()
{
    const QModelIndex atual = m_listaLocalizados->currentIndex();
    if (!atual.isValid())
        return;
    const int h = atual.data(ModeloLocalizados::kRoleTitular).toInt();
    const OndeListado onde = ondeListado(*m_ctx.modelo, h);
    if (!AtualizaArrayRecargas())
        return;
    // Enter in the field goes on from this one.
    m_proximoAchado = atual.row() + 1;
    mostraNaGrade(h, onde);
}

bool Tfcadrecarga::teclaLocalizar(QObject* objeto, QKeyEvent* tecla)
{
    if (objeto == m_listaLocalizados) {
        if (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) {
            mostraLocalizadoEscolhido();
            return true;
        }
        if (tecla->key() == Qt::Key_Escape) {
            edlocalizar->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    // Down from the field goes into the list of matches.
    if (objeto == edlocalizar && tecla->key() == Qt::Key_Down && m_listaLocalizados->isVisible()) {
        m_listaLocalizados->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

bool Tfcadrecarga::selecionaCodigo(QComboBox* lista, int codigo)
{
    for (int i = 0; i < lista->count(); ++i)
        if (codigoDaEntrada(lista->itemData(i).toString()) == codigo) {
            lista->setCurrentIndex(i);
            return true;
        }
    return false;
}

bool Tfcadrecarga::mostraNaGrade(int titular, const OndeListado& onde)
{
    m_carregandoListas = true;
    const bool achou = selecionaCodigo(cbtipocartao, onde.tipo) && selecionaCodigo(cbtarifa, onde.tarifa);
    m_carregandoListas = false;
    cbtipocartaoChange();
    if (!achou)
        return false;
    sgRecarga->setCurrentRow(std::max(1, m_indice.linha(titular)));
    sgRecarga->setCurrentColumn(kColValor);
    sgRecarga->setFocus(Qt::OtherFocusReason);
    return true;
}

void Tfcadrecarga::edlocalizarEnter()
{
    if (cklocalizatodos->isChecked() && m_filtro.ativo()) {
        const std::vector<int> achados = localizaNoArquivo(*m_ctx.modelo, m_filtro);
        if (achados.empty())
            return;
        const int h = achados[size_t(m_proximoAchado % int(achados.size()))];
        const OndeListado onde = ondeListado(*m_ctx.modelo, h);
        if (!AtualizaArrayRecargas())
            return;
        mostraNaGrade(h, onde);
        ++m_proximoAchado;
        return;
    }
    sgRecarga->setCurrentRow(1);
    sgRecarga->setCurrentColumn(kColValor);
    sgRecarga->setFocus(Qt::OtherFocusReason);
}

}  // namespace pluvexa
