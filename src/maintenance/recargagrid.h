#pragma once

// The recharge grid widget: a table view over a model of text cells that
// the grid logic drives through TabelaGrid. Row 0 of the grid is its fixed
// header row and is shown as the view's horizontal header; only the value
// column (5) of a data row can be edited, and the selected value cell is
// painted in the tooltip colour. A column is never narrower than its
// caption unless the operator makes it so (the caption then ends in "..."
// and shows whole as a tooltip); the widths the operator sets are kept
// between runs and win over the designed ones at every fill.

#include "grid/tabelagrid.h"
#include "grid/tabelagridmemoria.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QSet>
#include <QPointer>
#include <QTableView>
#include <QVector>

namespace pluvexa {

class RecargaGridModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecargaGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    TabelaGridMemoria& cells() { return m_cells; }
    const TabelaGridMemoria& cells() const { return m_cells; }
    int gridRow(int viewRow) const { return viewRow + m_cells.fixedRows(); }

    // Changes announced to the view.
    void setGridRowCount(int rows);
    void setGridColumnCount(int columns);
    void setGridFixedRows(int rows);
    void setGridCell(int column, int row, const QString& text);
    void clearGridRow(int row);
    void setGridRows(int firstRow, int width, std::vector<QString> cells);

    // Rows whose value the operator typed and the program has not yet
    // checked or written back: typed work, though no value changed yet.
    bool temDigitacao() const { return !m_digitadas.isEmpty(); }
    void linhaConferida(int row) { m_digitadas.remove(row); }
    void todasConferidas() { m_digitadas.clear(); }
    // The value cell of `row` says what was refused in it ("Recusado:
    // <text>") until the operator types in that row again or the rows are
    // filled anew.
    void marcaRecusado(int row, const QString& texto);

    void setEditing(bool on) { m_editing = on; }
    bool editing() const { return m_editing; }
    void setHighlighted(const QModelIndex& index);

signals:
    // The operator typed into a cell (the programme's own writes do not count).
    void editadoPeloOperador();

private:
    void esqueceLinhas();

    TabelaGridMemoria m_cells;
    QSet<int> m_digitadas;
    QHash<int, QString> m_recusados;
    bool m_editing = false;
    QPersistentModelIndex m_highlighted;
};

class RecargaGrid final : public QTableView, public TabelaGrid {
    Q_OBJECT
public:
    explicit RecargaGrid(QWidget* parent = nullptr);
    ~RecargaGrid() override;

    // TabelaGrid
    int rowCount() const override;
    void setRowCount(int rows) override;
    int fixedRows() const override;
    void setFixedRows(int rows) override;
    int columnCount() const override;
    void setColumnCount(int columns) override;
    int columnWidth(int column) const override;
    void setColumnWidth(int column, int width) override;
    QString cell(int column, int row) const override;
    void setCell(int column, int row, const QString& text) override;
    void clearRow(int row) override;
    int currentRow() const override;
    int currentColumn() const override;
    void setCurrentRow(int row) override;
    void setCurrentColumn(int column) override;
    bool editing() const override;
    void setEditing(bool on) override;
    void setRows(int firstRow, int width, std::vector<QString> cells) override;

    RecargaGridModel* gridModel() const { return m_model; }
    // Wide enough for every column up to the value column, tall enough for
    // a page of rows: the grid the operator needs without scrolling sideways.
    QSize sizeHint() const override;
    // However small the window, six rows show: below that the page scrolls
    // instead.
    QSize minimumSizeHint() const override;
    // Writes an open cell editor's text into its cell and closes it.
    void confirmaEdicao();

signals:
    // Enter in the grid or in its cell editor.
    void enterPressed();
    // Up or Down, before the grid moves.
    void arrowPressed(int key);
    // The focus left the grid for another control of the same window.
    void exited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    friend class RecargaGridDelegate;
    void editorKey(QWidget* editor, int key);
    void focoMudou(QWidget* old, QWidget* now);
    bool contem(const QWidget* w) const;
    int larguraNaTela(int width) const;
    int larguraDoCabecalho(int column) const;
    // Puts column `column` at the operator's width, or its designed width
    // widened to its caption.
    void ajustaLargura(int column);
    void larguraDoOperador(int column, int width);

    RecargaGridModel* m_model;
    QPointer<QWidget> m_editor;
    // Screen widths the operator gave, by column; 0 where none.
    QVector<int> m_largurasOperador;
    bool m_ajustandoLarguras = false;
};

}  // namespace pluvexa
