#pragma once

// The process-wide date and time formats: every date the program turns into
// text goes through here, so the main window sets the short format once.

#include <QDate>
#include <QString>
#include <QTime>

namespace pluvexa {

// Sets the short date format, as a Qt picture ("dd/MM/yyyy").
void defineFormatoDataCurta(const QString& formato);
QString formatoDataCurta();

// A date in the short format; a time in the long time format ("hh:mm:ss").
QString dataCurta(const QDate& data);
QString horaLonga(const QTime& hora);

}  // namespace pluvexa
