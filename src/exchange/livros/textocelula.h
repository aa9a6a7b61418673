#pragma once

// A cell's text put together from its runs (rich text, paragraphs, the
// spaces .ods writes as elements), cut at the longest text a cell of Excel
// holds: a run repeated in the file never grows a text past it.

#include "exchange/livros/limiteslivro.h"

#include <QString>

namespace pluvexa::livros {

class TextoCelula {
public:
    void junta(QStringView parte)
    {
        const qsizetype cabe = kMaiorTextoCelula - m_texto.size();
        if (cabe > 0)
            m_texto += parte.left(cabe);
    }
    // `n` times the character `c` (at most what still fits).
    void repete(QChar c, std::int64_t n)
    {
        const std::int64_t cabe = std::min<std::int64_t>(n, kMaiorTextoCelula - m_texto.size());
        if (cabe > 0)
            m_texto += QString(qsizetype(cabe), c);
    }
    const QString& texto() const { return m_texto; }

private:
    QString m_texto;
};

}  // namespace pluvexa::livros
