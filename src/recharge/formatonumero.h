#pragma once

// Number and date texts in the Brazilian Portuguese convention (decimal
// comma, thousands point) whatever the machine's locale, because the texts
// are compared by operators and central staff against printed listings.

#include <concepts>

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>

#include "recharge/moeda.h"

namespace pluvexa {

// Delphi-style format pictures: '0' a digit always shown, '#' a digit shown
// when significant, '.' the decimal point, ',' anywhere in the integer part
// turns on grouping by thousands (every three digits, whatever the position
// of the comma). Supported pictures include "##0.00", "##0", "#,##0.00",
// "###,##0.00", "###,##0", "###,####,##0.00", "###,####,##0", "##,###,###",
// "00", "0000", "00000", "00000000000". The value is rounded half away from
// zero to the shown decimals; a value that rounds to zero shows no sign.
QString formata(QStringView picture, Moeda v);
// A double is first taken to its 15 significant decimal digits (what a
// double can carry), so 1.005 rounds to 1,01 as the operator expects.
QString formata(QStringView picture, double v);
QString formata(QStringView picture, long long v);
// Any other integer type (int, std::int64_t, ...) without an ambiguous call.
template <std::integral T>
QString formata(QStringView picture, T v)
{
    return formata(picture, static_cast<long long>(v));
}

// Plain number: no thousands separator, decimals only when it has any,
// decimal comma (250 -> "250", 12.5 -> "12,5").
QString numeroSimples(double v);
// General format: up to 15 significant digits, no thousands separator, no
// trailing zeros, decimal comma; scientific ("1,5E20", "1E-6") only for
// values with more than 15 integer digits or below 0.00001.
QString formatoGeral(double v);

// "dd/mm/yyyy hh:nn:ss"
QString dataHoraLog(const QDateTime& dt);
// A date in the process-wide short date format, "dd/mm/yyyy" (a Qt
// picture, "dd/MM/yyyy"); the main window sets it at creation.
QString dataCurta(const QDate& d);
void defineFormatoDataCurta(const QString& formato);
QString formatoDataCurta();

}  // namespace pluvexa
