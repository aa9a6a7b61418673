#include "grid/tabelagridmemoria.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <memory>

namespace pluvexa {
namespace {

// A table that keeps TabelaGrid's cell-by-cell setRows, to hold the default
// against TabelaGridMemoria's own.
class TabelaSimples final : public TabelaGrid {
public:
    TabelaGridMemoria t;
    int rowCount() const override { return t.rowCount(); }
    void setRowCount(int r) override { t.setRowCount(r); }
    int fixedRows() const override { return t.fixedRows(); }
    void setFixedRows(int r) override { t.setFixedRows(r); }
    int columnCount() const override { return t.columnCount(); }
    void setColumnCount(int c) override { t.setColumnCount(c); }
    int columnWidth(int c) const override { return t.columnWidth(c); }
    void setColumnWidth(int c, int w) override { t.setColumnWidth(c, w); }
    QString cell(int c, int r) const override { return t.cell(c, r); }
    void setCell(int c, int r, const QString& s) override { t.setCell(c, r, s); }
    void clearRow(int r) override { t.clearRow(r); }
    int currentRow() const override { return t.currentRow(); }
    int currentColumn() const override { return t.currentColumn(); }
    void setCurrentRow(int r) override { t.setCurrentRow(r); }
    void setCurrentColumn(int c) override { t.setCurrentColumn(c); }
    bool editing() const override { return t.editing(); }
    void setEditing(bool on) override { t.setEditing(on); }
};

std::vector<QString> celulas(int linhas, int largura)
{
    std::vector<QString> v;
    for (int r = 0; r < linhas; ++r)
        for (int c = 0; c < largura; ++c)
            v.push_back(QStringLiteral("%1/%2").arg(c).arg(r));
    return v;
}

QList<QStringList> conteudo(const TabelaGrid& g)
{
    QList<QStringList> out;
    for (int r = 0; r < g.rowCount(); ++r) {
        QStringList l;
        for (int c = 0; c < g.columnCount(); ++c)
            l << g.cell(c, r);
        out << l;
    }
    return out;
}

class SetRows : public ::testing::TestWithParam<int> {};

TEST_P(SetRows, SameResultAsCellByCell)
{
    const int largura = GetParam();
    TabelaGridMemoria rapida(9, 6);
    TabelaSimples simples;
    simples.t = TabelaGridMemoria(9, 6);
    for (TabelaGrid* g : std::vector<TabelaGrid*>{&rapida, &simples}) {
        for (int r = 0; r < 6; ++r)
            g->setCell(0, r, "old");
        g->setRows(2, largura, celulas(3, largura));
    }
    EXPECT_EQ(rapida.rowCount(), 5);
    EXPECT_EQ(conteudo(rapida), conteudo(simples));
    EXPECT_EQ(rapida.cell(0, 1), "old");
    EXPECT_EQ(rapida.cell(0, 2), "0/0");
    EXPECT_EQ(rapida.cell(8, 4), largura >= 9 ? "8/2" : "");
}

INSTANTIATE_TEST_SUITE_P(Larguras, SetRows, ::testing::Values(6, 9, 18));

TEST(TabelaGridMemoria, RowsAddedAfterShrinkingAreBlank)
{
    TabelaGridMemoria g(3, 3);
    g.setCell(1, 2, "x");
    g.setRowCount(1);
    g.setRowCount(3);
    EXPECT_TRUE(g.cell(1, 2).isEmpty());
}

TEST(TabelaGridMemoria, ColumnCountChangeKeepsCellsAndWidths)
{
    TabelaGridMemoria g(9, 2);
    g.setCell(8, 1, "h");
    g.setColumnWidth(8, 100);
    g.setColumnCount(18);
    EXPECT_EQ(g.cell(8, 1), "h");
    EXPECT_TRUE(g.cell(17, 1).isEmpty());
    EXPECT_EQ(g.columnWidth(8), 100);
    g.setColumnCount(4);
    EXPECT_TRUE(g.cell(8, 1).isEmpty());
    EXPECT_EQ(g.columnWidth(8), 0);
}

TEST(TabelaGridMemoria, OutsideCellsReadEmptyAndIgnoreWrites)
{
    TabelaGridMemoria g(2, 2);
    g.setCell(5, 5, "x");
    g.setCell(-1, 0, "x");
    EXPECT_TRUE(g.cell(5, 5).isEmpty());
    EXPECT_TRUE(g.cell(0, -1).isEmpty());
    g.clearRow(7);
    EXPECT_EQ(g.rowCount(), 2);
}

}  // namespace
}  // namespace pluvexa
