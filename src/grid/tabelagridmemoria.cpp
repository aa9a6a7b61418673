#include "grid/tabelagridmemoria.h"

#include <algorithm>
#include <iterator>

namespace pluvexa {

namespace {
constexpr int kLarguraPadrao = 64;
}

TabelaGridMemoria::TabelaGridMemoria(int columns, int rows, int fixedRows)
    : columns_(std::max(columns, 0)),
      rows_(std::max(rows, 0)),
      fixedRows_(std::max(fixedRows, 0)),
      cells_(size_t(columns_) * size_t(rows_)),
      widths_(size_t(columns_), kLarguraPadrao)
{
}

void TabelaGridMemoria::setRowCount(int rows)
{
    rows_ = std::max(rows, 0);
    // Shrinking keeps nothing of the dropped rows, so growing again yields
    // blank rows as the contract says.
    cells_.resize(size_t(rows_) * size_t(columns_));
}

void TabelaGridMemoria::setColumnCount(int columns)
{
    columns = std::max(columns, 0);
    if (columns == columns_)
        return;
    std::vector<QString> cells(size_t(rows_) * size_t(columns));
    const int keep = std::min(columns, columns_);
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < keep; ++c)
            cells[size_t(r) * size_t(columns) + size_t(c)] = std::move(cells_[at(c, r)]);
    cells_ = std::move(cells);
    columns_ = columns;
    widths_.resize(size_t(columns_), kLarguraPadrao);
}

int TabelaGridMemoria::columnWidth(int column) const
{
    return column >= 0 && column < columns_ ? widths_[size_t(column)] : 0;
}

void TabelaGridMemoria::setColumnWidth(int column, int width)
{
    if (column >= 0 && column < columns_)
        widths_[size_t(column)] = width;
}

QString TabelaGridMemoria::cell(int column, int row) const
{
    return inside(column, row) ? cells_[at(column, row)] : QString();
}

void TabelaGridMemoria::setCell(int column, int row, const QString& text)
{
    if (inside(column, row))
        cells_[at(column, row)] = text;
}

void TabelaGridMemoria::clearRow(int row)
{
    if (row < 0 || row >= rows_)
        return;
    for (int c = 0; c < columns_; ++c)
        cells_[at(c, row)].clear();
}

void TabelaGridMemoria::setRows(int firstRow, int width, std::vector<QString> cells)
{
    firstRow = std::max(firstRow, 0);
    const int rows = width > 0 ? int(cells.size() / size_t(width)) : 0;
    setRowCount(firstRow);
    if (width == columns_) {
        cells_.insert(cells_.end(), std::make_move_iterator(cells.begin()),
                      std::make_move_iterator(cells.begin() + ptrdiff_t(rows) * width));
        rows_ = firstRow + rows;
        return;
    }
    setRowCount(firstRow + rows);
    const int keep = std::min(width, columns_);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < keep; ++c)
            cells_[at(c, firstRow + r)] = std::move(cells[size_t(r) * size_t(width) + size_t(c)]);
}

}  // namespace pluvexa
