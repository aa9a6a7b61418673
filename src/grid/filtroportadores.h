#pragma once

// The find field above the grid: which holders a query shows. A holder
// matches when its name contains the query, case and accents ignored, or
// when its registration number or its card number starts with it. An empty
// (or blank) query shows every holder.

#include "recharge/modelo.h"

#include <QString>
#include <vector>

namespace pluvexa {

// Lower case, accents dropped, blanks at both ends removed: "  José " and
// "JOSE" read alike.
QString semAcentos(const QString& texto);

class FiltroPortadores {
public:
    FiltroPortadores() = default;
    explicit FiltroPortadores(const QString& consulta);

    bool ativo() const { return !m_consulta.isEmpty(); }
    bool aceita(const Recarga& h) const;

private:
    QString m_consulta;   // as semAcentos leaves it
    Texto m_prefixo;      // the query in the file's bytes, for the numbers
};

// The search over the whole file: the holders the filter accepts that some
// card type and tariff list, in model order (wRecarga indexes).
std::vector<int> localizaNoArquivo(const ModeloRecarga& m, const FiltroPortadores& filtro);

// Where holder h is listed: its card type and the tariff of the first group
// that lists it (group 1 first, as the fill tries them); -1 for the tariff
// when no group lists it.
struct OndeListado {
    int tipo = -1;
    int tarifa = -1;
};
OndeListado ondeListado(const ModeloRecarga& m, int h);

}  // namespace pluvexa
