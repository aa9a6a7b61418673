#pragma once

// Which holder each grid row shows, so that later steps (the window, the
// listing) reach a row's holder, or a holder's row, without searching. The
// fill builds it and the sort moves it with the rows. Only the value column
// can be edited, so the identifying columns of a row keep matching its
// holder until the next fill or sort.

#include <cstddef>
#include <utility>
#include <vector>

namespace pluvexa {

class IndiceLinhas {
public:
    // titularDaLinha[r]: wRecarga index shown on row r, -1 for none (the
    // header row, the blank row of an empty selection).
    void define(std::vector<int> titularDaLinha, int qtdTitulares)
    {
        titularDaLinha_ = std::move(titularDaLinha);
        linhaDoTitular_.assign(std::size_t(qtdTitulares > 0 ? qtdTitulares : 0), -1);
        for (std::size_t r = 0; r < titularDaLinha_.size(); ++r) {
            const int h = titularDaLinha_[r];
            if (h >= 0 && h < int(linhaDoTitular_.size()))
                linhaDoTitular_[std::size_t(h)] = int(r);
        }
    }
    void limpa() { define({}, 0); }

    // -1 when the row shows no holder or lies outside the grid.
    int titular(int linha) const
    {
        return linha >= 0 && linha < int(titularDaLinha_.size()) ? titularDaLinha_[std::size_t(linha)] : -1;
    }
    // -1 when the holder is not listed.
    int linha(int titular) const
    {
        return titular >= 0 && titular < int(linhaDoTitular_.size()) ? linhaDoTitular_[std::size_t(titular)] : -1;
    }
    const std::vector<int>& titulares() const { return titularDaLinha_; }
    int qtdTitulares() const { return int(linhaDoTitular_.size()); }

private:
    std::vector<int> titularDaLinha_;
    std::vector<int> linhaDoTitular_;
};

}  // namespace pluvexa
