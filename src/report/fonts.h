#pragma once

// The report faces: "Arial" and, for the text lines whose columns must
// align, the monospaced "Courier New"; where they are not installed, the
// metric-compatible Liberation Sans and Liberation Mono.

#include <QFont>

namespace pluvexa::report {

QFont arial(double points, bool bold = false, bool italic = false);
// Sized so that a character takes the width it took on the design screen
// (8 pt: 7 pixels at 96 dpi, 1.85 mm), a little over `points`.
QFont courierNew(double points);

}  // namespace pluvexa::report
