#pragma once

// The recharge grid as the grid logic sees it: a table of text cells
// addressed (column, row), row 0 being the header. The maintenance window
// implements it over its view; TabelaGridMemoria serves tests and benchmarks.
// Kept narrow on purpose so that the fill, totals, write-back, value check
// and sort run without a screen.

#include <QString>
#include <vector>

namespace pluvexa {

class TabelaGrid {
public:
    virtual ~TabelaGrid() = default;

    virtual int rowCount() const = 0;
    // Rows past the new count are dropped; rows added are blank.
    virtual void setRowCount(int rows) = 0;
    virtual int fixedRows() const = 0;
    virtual void setFixedRows(int rows) = 0;

    virtual int columnCount() const = 0;
    // Columns added are blank; columns past the new count are dropped.
    virtual void setColumnCount(int columns) = 0;
    virtual int columnWidth(int column) const = 0;
    virtual void setColumnWidth(int column, int width) = 0;

    // Cells outside the table read as empty; writing there does nothing.
    virtual QString cell(int column, int row) const = 0;
    virtual void setCell(int column, int row, const QString& text) = 0;
    virtual void clearRow(int row) = 0;

    virtual int currentRow() const = 0;
    virtual int currentColumn() const = 0;
    virtual void setCurrentRow(int row) = 0;
    virtual void setCurrentColumn(int column) = 0;

    virtual bool editing() const = 0;
    virtual void setEditing(bool on) = 0;

    // Replaces every row from firstRow on by the given rows: `cells` holds
    // them one after the other, `width` texts each (columns past `width`
    // are blank), and the row count becomes firstRow + cells.size() / width.
    // One call instead of a row-count change and a cell write per cell, so a
    // view-backed table can announce the change once. The default does it
    // cell by cell.
    virtual void setRows(int firstRow, int width, std::vector<QString> cells);
};

}  // namespace pluvexa
