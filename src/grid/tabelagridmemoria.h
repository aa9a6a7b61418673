#pragma once

// A TabelaGrid held in memory: the cells row after row in one vector.

#include "grid/tabelagrid.h"

namespace pluvexa {

class TabelaGridMemoria final : public TabelaGrid {
public:
    // As the window's grid is designed: 9 columns, 2 rows, 1 fixed row.
    explicit TabelaGridMemoria(int columns = 9, int rows = 2, int fixedRows = 1);

    int rowCount() const override { return rows_; }
    void setRowCount(int rows) override;
    int fixedRows() const override { return fixedRows_; }
    void setFixedRows(int rows) override { fixedRows_ = rows < 0 ? 0 : rows; }

    int columnCount() const override { return columns_; }
    void setColumnCount(int columns) override;
    int columnWidth(int column) const override;
    void setColumnWidth(int column, int width) override;

    QString cell(int column, int row) const override;
    void setCell(int column, int row, const QString& text) override;
    void clearRow(int row) override;

    int currentRow() const override { return currentRow_; }
    int currentColumn() const override { return currentColumn_; }
    void setCurrentRow(int row) override { currentRow_ = row; }
    void setCurrentColumn(int column) override { currentColumn_ = column; }

    bool editing() const override { return editing_; }
    void setEditing(bool on) override { editing_ = on; }

    void setRows(int firstRow, int width, std::vector<QString> cells) override;

private:
    bool inside(int column, int row) const
    {
        return column >= 0 && column < columns_ && row >= 0 && row < rows_;
    }
    size_t at(int column, int row) const
    {
        return size_t(row) * size_t(columns_) + size_t(column);
    }

    int columns_;
    int rows_;
    int fixedRows_;
    int currentRow_ = 1;
    int currentColumn_ = 0;
    bool editing_ = false;
    std::vector<QString> cells_;
    std::vector<int> widths_;
};

}  // namespace pluvexa
