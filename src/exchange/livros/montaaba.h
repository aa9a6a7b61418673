#pragma once

// Builds one sheet from the cells a reader meets, in the shape every
// spreadsheet reader hands over (exchange/tabelaplanilha.h), and keeps the
// bounds while it does: a cell holding something past row 100,000 or
// column 1,000, or more cells kept than the workbook may hold, throws
// ErroLivro. Empty cells are never given to it, so a format spread over a
// whole row or column costs nothing.

#include "exchange/tabelaplanilha.h"

#include <cstdint>

namespace pluvexa::livros {

class MontaAba {
public:
    // `celulas` counts the cells kept by every sheet of the workbook.
    MontaAba(QString nome, std::int64_t& celulas);

    // A non-empty cell at the sheet's own row and column (both from 1).
    // Rows normally come in order; one out of order is put in its place.
    void poe(std::int64_t linha, std::int64_t coluna, CelulaPlanilha celula);
    // The same row `vezes` times more after the last one given (a row that
    // the file repeats); its cells are copied.
    void repeteUltima(std::int64_t vezes);

    AbaPlanilha termina();
    const QString& nome() const { return m_aba.nome; }

private:
    void confereLinha(std::int64_t linha) const;
    void conta(std::int64_t novas);

    AbaPlanilha m_aba;
    std::int64_t& m_celulas;
    bool m_foraDeOrdem = false;
};

}  // namespace pluvexa::livros
