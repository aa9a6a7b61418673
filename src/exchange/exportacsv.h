#pragma once

// The holders of the loaded file as a spreadsheet (CSV), one row each:
//
//   Usuário;Cartão;Matrícula;Nome;Tipo;Tarifa;Valor;Vlr.Última Rec
//
// with ';' between fields, a decimal comma and no thousands separator, the
// name without its padding, the card type's and group 1's tariff codes, and
// group 1's value and last recharge: money with two decimals for money card
// types, whole credits for credit types. UTF-8 with a byte-order mark and
// CR LF line ends, as spreadsheet programs read them. The import reads the
// file back as it is (the registration, card type and value columns), so it
// serves as the template of a month's values.

#include "exchange/formatoexportacao.h"
#include "recharge/modelo.h"

#include <QString>
#include <string>

namespace pluvexa {

class ExportaCsv final : public FormatoExportacao {
public:
    QString filtro() const override;
    QString extensao() const override { return QStringLiteral(".csv"); }
    std::string gera(const ModeloRecarga& modelo) const override;
};

// The file's bytes.
std::string geraPlanilha(const ModeloRecarga& modelo);

// exporta() with ExportaCsv.
bool exportaPlanilha(const ModeloRecarga& modelo, const QString& destino, QString* erro = nullptr);

}  // namespace pluvexa
