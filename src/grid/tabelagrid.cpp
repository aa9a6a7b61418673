#include "grid/tabelagrid.h"

namespace pluvexa {

void TabelaGrid::setRows(int firstRow, int width, std::vector<QString> cells)
{
    const int rows = width > 0 ? int(cells.size() / size_t(width)) : 0;
    setRowCount(firstRow);
    setRowCount(firstRow + rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < width; ++c)
            setCell(c, firstRow + r, cells[size_t(r) * size_t(width) + size_t(c)]);
}

}  // namespace pluvexa
