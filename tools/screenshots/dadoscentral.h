#pragma once

// The card central's part in the capture: demonstration received files,
// sealed with the demonstration keys, at fixed dates so that the pictures
// show the same names on every run.

#include <QDateTime>
#include <QString>

namespace pluvexa::capturas {

// Writes the demonstration file of company 123 for `remessa`, made by the
// central at `quando`, into `pasta`; its path.
QString enviaDemo(int remessa, const QDateTime& quando, const QString& pasta);

}  // namespace pluvexa::capturas
