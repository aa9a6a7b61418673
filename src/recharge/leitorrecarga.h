#pragma once

// Reads the records of a recharge file into the model, one line at a time,
// checking each record's length and keeping every code inside the fixed
// tables.

#include <functional>
#include <vector>

#include <QString>
#include <QStringList>

#include "recharge/camposregistro.h"
#include "recharge/modelo.h"

namespace pluvexa {

class LeitorRecarga {
public:
    // Both are borrowed for the reader's lifetime.
    LeitorRecarga(ModeloRecarga& modelo, const std::vector<Texto>& linhas);

    // Each takes a line position (from 0) and answers true when the record
    // passed its consistency check and was loaded; false loads nothing. A
    // numeric field that is not an integer throws ErroConversao.
    bool Proc_header(int i);
    bool Proc_detalhe(int i);
    bool Proc_tipocartao(int i);
    bool Proc_tarifa(int i);
    bool Proc_trailer(int i);

    // One entry per accepted card-type and tariff record, in file order:
    // code "00", " - ", name [, " - ", fare "#,##0.00" for tariffs but 00].
    const std::vector<Texto>& listaTiposCartao() const { return m_listaTiposCartao; }
    const std::vector<Texto>& listaTarifas() const { return m_listaTarifas; }
    // Codes of the card-type and tariff records accepted last.
    int TipoCartaoSel = 0;
    int TarifaSel = 0;

    // Receives a line for the processing log whenever a record of the right
    // length is refused because a code or count lies outside the tables or
    // a value is negative (" ==> Valor negativo - Linha : <n> "), or a money
    // holder's value in group 2, 3 or 4 is dropped. Without it the
    // lines gather in avisos().
    void aoAviso(std::function<void(const QString&)> f) { m_aoAviso = std::move(f); }
    const QStringList& avisos() const { return m_avisos; }

private:
    std::string_view linha(int i) const;
    void avisa(const QString& texto);

    ModeloRecarga& m_modelo;
    const std::vector<Texto>& m_linhas;
    std::vector<Texto> m_listaTiposCartao;
    std::vector<Texto> m_listaTarifas;
    std::function<void(const QString&)> m_aoAviso;
    QStringList m_avisos;
};

}  // namespace pluvexa
