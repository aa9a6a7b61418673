#include "maintenance/recargagrid.h"

#include "grid/celulasgrid.h"
#include "grid/dicascolunas.h"
#include "grid/preenchegrid.h"
#include "ui/configuracao.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace pluvexa {

namespace {
constexpr int kColunasProjetadas = 9;
constexpr int kLinhasVisiveis = 15;

// The header row, able to say how wide a caption needs its section.
class CabecalhoRecarga final : public QHeaderView {
public:
    explicit CabecalhoRecarga(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}
    int larguraDoTexto(int section) const { return sectionSizeFromContents(section).width(); }
};
}  // namespace

// ---------------------------------------------------------------- model

RecargaGridModel::RecargaGridModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

int RecargaGridModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return std::max(0, m_cells.rowCount() - m_cells.fixedRows());
}

int RecargaGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cells.columnCount();
}

QVariant RecargaGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole: {
        // Names fill their 50-character field with blanks; shown trimmed so
        // the view does not elide them. The cell keeps them (the sort needs them).
        QString text = m_cells.cell(index.column(), gridRow(index.row()));
        while (!text.isEmpty() && text.back() == QLatin1Char(' '))
            text.chop(1);
        return text;
    }
    case Qt::EditRole:
        return m_cells.cell(index.column(), gridRow(index.row()));
    case Qt::TextAlignmentRole:
        // Registration and name read from the left; numbers from the right.
        if (index.column() == 2 || index.column() == 3)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        return int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ToolTipRole:
        if (index.column() == kColValor)
            if (const auto r = m_recusados.constFind(gridRow(index.row())); r != m_recusados.cend())
                return QStringLiteral("Recusado: ") + *r;
        return {};
    case Qt::BackgroundRole:
        if (m_highlighted.isValid() && index == QModelIndex(m_highlighted))
            return QApplication::palette().color(QPalette::ToolTipBase);
        return {};
    default:
        return {};
    }
}

bool RecargaGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const QString text = value.toString();
    const int row = gridRow(index.row());
    // Typed again: what was refused there no longer stands.
    if (m_recusados.remove(row) > 0)
        emit dataChanged(index, index, {Qt::ToolTipRole});
    if (text == m_cells.cell(index.column(), row))
        return true;
    m_cells.setCell(index.column(), row, text);
    m_digitadas.insert(row);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    emit editadoPeloOperador();
    return true;
}

QVariant RecargaGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return m_cells.fixedRows() > 0 ? m_cells.cell(section, 0) : QString();
    // The whole caption, for a column narrower than it, and what it holds.
    if (role == Qt::ToolTipRole)
        return m_cells.fixedRows() > 0 ? dicaColuna(m_cells.cell(section, 0)) : QString();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags RecargaGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_editing && index.column() == kColValor)
        f |= Qt::ItemIsEditable;
    return f;
}

void RecargaGridModel::marcaRecusado(int row, const QString& texto)
{
    m_recusados.insert(row, texto);
    if (row >= m_cells.fixedRows() && row < m_cells.rowCount()) {
        const QModelIndex i = index(row - m_cells.fixedRows(), kColValor);
        emit dataChanged(i, i, {Qt::ToolTipRole});
    }
}

void RecargaGridModel::esqueceLinhas()
{
    // Other rows: the marks named the rows that were.
    m_digitadas.clear();
    m_recusados.clear();
}

void RecargaGridModel::setGridRowCount(int rows)
{
    if (rows != m_cells.rowCount())
        esqueceLinhas();
    const int before = rowCount();
    const int fixed = m_cells.fixedRows();
    const int after = std::max(0, rows - fixed);
    if (after > before) {
        beginInsertRows({}, before, after - 1);
        m_cells.setRowCount(rows);
        endInsertRows();
    } else if (after < before) {
        beginRemoveRows({}, after, before - 1);
        m_cells.setRowCount(rows);
        endRemoveRows();
    } else {
        m_cells.setRowCount(rows);
    }
}

void RecargaGridModel::setGridColumnCount(int columns)
{
    const int before = m_cells.columnCount();
    if (columns > before) {
        beginInsertColumns({}, before, columns - 1);
        m_cells.setColumnCount(columns);
        endInsertColumns();
    } else if (columns < before) {
        beginRemoveColumns({}, columns, before - 1);
        m_cells.setColumnCount(columns);
        endRemoveColumns();
    }
}

void RecargaGridModel::setGridFixedRows(int rows)
{
    if (rows == m_cells.fixedRows())
        return;
    beginResetModel();
    m_cells.setFixedRows(rows);
    endResetModel();
}

void RecargaGridModel::setGridCell(int column, int row, const QString& text)
{
    m_cells.setCell(column, row, text);
    if (row < m_cells.fixedRows()) {
        emit headerDataChanged(Qt::Horizontal, column, column);
    } else {
        const QModelIndex i = index(row - m_cells.fixedRows(), column);
        emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
    }
}

void RecargaGridModel::clearGridRow(int row)
{
    m_cells.clearRow(row);
    if (row < m_cells.fixedRows()) {
        emit headerDataChanged(Qt::Horizontal, 0, std::max(0, m_cells.columnCount() - 1));
    } else if (m_cells.columnCount() > 0) {
        const int r = row - m_cells.fixedRows();
        emit dataChanged(index(r, 0), index(r, m_cells.columnCount() - 1), {Qt::DisplayRole});
    }
}

void RecargaGridModel::setGridRows(int firstRow, int width, std::vector<QString> cells)
{
    esqueceLinhas();
    beginResetModel();
    m_cells.setRows(firstRow, width, std::move(cells));
    endResetModel();
}

void RecargaGridModel::setHighlighted(const QModelIndex& i)
{
    const QModelIndex old = m_highlighted;
    m_highlighted = i;
    if (old.isValid())
        emit dataChanged(old, old, {Qt::BackgroundRole});
    if (i.isValid())
        emit dataChanged(i, i, {Qt::BackgroundRole});
}

// ------------------------------------------------------------- delegate

// Enter and the arrows in the cell editor act as they do in the grid: the
// typed text is written to its cell first, then the grid handles the key.
class RecargaGridDelegate final : public QStyledItemDelegate {
public:
    explicit RecargaGridDelegate(RecargaGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        m_grid->m_editor = editor;
        return editor;
    }

protected:
    // The value cell being worked on shows the tooltip colour rather than
    // the selection's, as the operator knows it.
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(Qt::BackgroundRole).isValid()) {
            option->state &= ~QStyle::State_Selected;
            option->palette.setColor(QPalette::Text, QApplication::palette().color(QPalette::ToolTipText));
        }
    }

    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Up || key == Qt::Key_Down) {
                m_grid->editorKey(static_cast<QWidget*>(object), key);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    RecargaGrid* m_grid;
};

// ----------------------------------------------------------------- view

RecargaGrid::RecargaGrid(QWidget* parent)
    : QTableView(parent), m_model(new RecargaGridModel(this))
{
    setHorizontalHeader(new CabecalhoRecarga(this));
    setModel(m_model);
    // A small face, as the grid was designed, so that ten-digit codes fit
    // their 65-pixel columns.
    QFont pequena = font();
    pequena.setPixelSize(11);
    setFont(pequena);
    setItemDelegate(new RecargaGridDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                    | QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setTextElideMode(Qt::ElideRight);
    setWordWrap(false);
    setTabKeyNavigation(false);
    // The grid as designed: 9 columns, one header row and one data row.
    m_model->setGridColumnCount(9);
    m_model->setGridFixedRows(1);
    m_model->setGridRowCount(2);
    m_largurasOperador = Configuracao::largurasGrade();
    for (int c = 0; c < kColunasProjetadas; ++c)
        setColumnWidth(c, larguraProjetada(c));
    connect(m_model, &QAbstractItemModel::headerDataChanged, this, [this](Qt::Orientation, int first, int last) {
        for (int c = first; c <= last; ++c)
            ajustaLargura(c);
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) { larguraDoOperador(column, width); });
    connect(qApp, &QApplication::focusChanged, this, &RecargaGrid::focoMudou);
}

RecargaGrid::~RecargaGrid()
{
    // Focus moves while the widgets around are torn down; a grid half gone
    // must not hear of it.
    disconnect(qApp, nullptr, this, nullptr);
}

namespace {
// While the program reshapes the grid, the sections the header rebuilds are
// not widths the operator chose.
class LargurasDoPrograma {
public:
    explicit LargurasDoPrograma(bool& flag) : m_flag(flag), m_antes(flag) { m_flag = true; }
    ~LargurasDoPrograma() { m_flag = m_antes; }
    LargurasDoPrograma(const LargurasDoPrograma&) = delete;
    LargurasDoPrograma& operator=(const LargurasDoPrograma&) = delete;

private:
    bool& m_flag;
    bool m_antes;
};
}  // namespace

int RecargaGrid::rowCount() const { return m_model->cells().rowCount(); }

void RecargaGrid::setRowCount(int rows)
{
    LargurasDoPrograma programa(m_ajustandoLarguras);
    m_model->setGridRowCount(rows);
}

int RecargaGrid::fixedRows() const { return m_model->cells().fixedRows(); }

void RecargaGrid::setFixedRows(int rows)
{
    LargurasDoPrograma programa(m_ajustandoLarguras);
    m_model->setGridFixedRows(rows);
    for (int c = 0; c < m_model->columnCount(); ++c)
        ajustaLargura(c);
}

int RecargaGrid::columnCount() const { return m_model->cells().columnCount(); }

void RecargaGrid::setColumnCount(int columns)
{
    LargurasDoPrograma programa(m_ajustandoLarguras);
    m_model->setGridColumnCount(columns);
}
int RecargaGrid::columnWidth(int column) const { return m_model->cells().columnWidth(column); }

// The designed widths were made for a face whose ten digits took about 55
// pixels; on screen they grow with the face in use, so no code is cut.
int RecargaGrid::larguraNaTela(int width) const
{
    const double escala = std::max(1.0, fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) / 55.0);
    return int(width * escala + 0.5);
}

int RecargaGrid::larguraDoCabecalho(int column) const
{
    if (m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString().isEmpty())
        return 0;
    return static_cast<const CabecalhoRecarga*>(horizontalHeader())->larguraDoTexto(column);
}

void RecargaGrid::ajustaLargura(int column)
{
    if (column < 0 || column >= m_model->columnCount())
        return;
    const int operador = column < m_largurasOperador.size() ? m_largurasOperador[column] : 0;
    const int largura = operador > 0 ? operador
                                     : std::max(larguraNaTela(m_model->cells().columnWidth(column)),
                                                larguraDoCabecalho(column));
    LargurasDoPrograma programa(m_ajustandoLarguras);
    QTableView::setColumnWidth(column, largura);
}

void RecargaGrid::larguraDoOperador(int column, int width)
{
    // The program's own widths and the sections a new model brings are not
    // the operator's choice.
    if (m_ajustandoLarguras || width <= 0 || column >= m_model->columnCount())
        return;
    if (m_largurasOperador.size() <= column)
        m_largurasOperador.resize(column + 1);
    if (m_largurasOperador[column] == width)
        return;
    m_largurasOperador[column] = width;
    Configuracao::guardaLargurasGrade(m_largurasOperador);
}

void RecargaGrid::setColumnWidth(int column, int width)
{
    m_model->cells().setColumnWidth(column, width);
    ajustaLargura(column);
}

QSize RecargaGrid::sizeHint() const
{
    int largura = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int c = 0; c <= kColValor && c < m_model->columnCount(); ++c)
        largura += QTableView::columnWidth(c);
    const int altura = 2 * frameWidth() + horizontalHeader()->sizeHint().height()
                       + kLinhasVisiveis * verticalHeader()->defaultSectionSize()
                       + horizontalScrollBar()->sizeHint().height();
    return {largura, altura};
}

QSize RecargaGrid::minimumSizeHint() const
{
    constexpr int kLinhasMinimas = 6;
    const int altura = 2 * frameWidth() + horizontalHeader()->sizeHint().height()
                       + kLinhasMinimas * verticalHeader()->defaultSectionSize()
                       + horizontalScrollBar()->sizeHint().height();
    return {QTableView::minimumSizeHint().width(), altura};
}

QString RecargaGrid::cell(int column, int row) const { return m_model->cells().cell(column, row); }
void RecargaGrid::setCell(int column, int row, const QString& text) { m_model->setGridCell(column, row, text); }
void RecargaGrid::clearRow(int row) { m_model->clearGridRow(row); }

int RecargaGrid::currentRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? m_model->gridRow(i.row()) : fixedRows();
}

int RecargaGrid::currentColumn() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : 0;
}

void RecargaGrid::setCurrentRow(int row)
{
    const int r = row - fixedRows();
    if (r < 0 || r >= m_model->rowCount())
        return;
    setCurrentIndex(m_model->index(r, currentColumn()));
}

void RecargaGrid::setCurrentColumn(int column)
{
    if (column < 0 || column >= m_model->columnCount())
        return;
    const int r = std::max(0, currentRow() - fixedRows());
    if (r >= m_model->rowCount())
        return;
    setCurrentIndex(m_model->index(r, column));
}

bool RecargaGrid::editing() const { return m_model->editing(); }
void RecargaGrid::setEditing(bool on) { m_model->setEditing(on); }

void RecargaGrid::setRows(int firstRow, int width, std::vector<QString> cells)
{
    LargurasDoPrograma programa(m_ajustandoLarguras);
    m_model->setGridRows(firstRow, width, std::move(cells));
    for (int c = 0; c < m_model->columnCount(); ++c)
        ajustaLargura(c);
}

void RecargaGrid::confirmaEdicao()
{
    if (m_editor && state() == QAbstractItemView::EditingState) {
        QWidget* editor = m_editor;
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void RecargaGrid::editorKey(QWidget* editor, int key)
{
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    setFocus(Qt::OtherFocusReason);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    keyPressEvent(&press);
}

void RecargaGrid::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit enterPressed();
        event->accept();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
        emit arrowPressed(event->key());
        break;
    default:
        break;
    }
    QTableView::keyPressEvent(event);
}

void RecargaGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // Only the value cell of a data row takes typing; it shows it in the
    // tooltip colour while it is the current cell.
    const bool valor = current.isValid() && current.column() == kColValor;
    m_model->setEditing(valor);
    m_model->setHighlighted(valor ? current : QModelIndex());
    QTableView::currentChanged(current, previous);
}

bool RecargaGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    return QTableView::edit(index, trigger, event);
}

bool RecargaGrid::contem(const QWidget* w) const
{
    return w && (w == this || isAncestorOf(w));
}

void RecargaGrid::focoMudou(QWidget* old, QWidget* now)
{
    // Leaving the grid for another control of this window; a dialog opening
    // over the window (another top-level) is not leaving it.
    if (!contem(old) || !now || contem(now) || now->window() != window())
        return;
    // A grid hidden with its page (the window showing its log) is not left
    // by the operator.
    if (!isVisible())
        return;
    confirmaEdicao();
    emit exited();
}

}  // namespace pluvexa
