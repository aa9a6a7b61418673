#pragma once

// What the comparison of two kept batches says in money and in credits: each
// value with its unit ("R$ 12,50", "30 créditos"), and the totals of a set
// of its rows, one per unit, since money and credits never add up.

#include "history/core/historico.h"

#include <QString>
#include <optional>
#include <vector>

namespace pluvexa {

// A value of the comparison with its unit; empty when the batch lacks the
// holder. A negative value carries its sign before the unit: "-R$ 2,00".
QString textoComUnidade(std::optional<double> valor, bool creditos);

// The sums of A, B and the difference over the rows of one unit, added in
// whole cents (or whole credits) so that no rounding creeps in.
struct TotalComparacao {
    bool creditos = false;
    int titulares = 0;
    long long somaA = 0;  // cents, or credits
    long long somaB = 0;
    double valorA() const { return emUnidades(somaA); }
    double valorB() const { return emUnidades(somaB); }
    double diferenca() const { return emUnidades(somaB - somaA); }

private:
    double emUnidades(long long soma) const { return creditos ? double(soma) : double(soma) / 100; }
};

// The totals of `linhas`, money first, then credits; a unit without rows is
// left out (none for no rows).
std::vector<TotalComparacao> totalizaComparacao(const std::vector<const LinhaComparacao*>& linhas);

// "Total em R$ (3 titulares)", "Total em créditos (1 titular)".
QString rotuloTotal(const TotalComparacao& total);

}  // namespace pluvexa
