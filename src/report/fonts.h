#pragma once

// The report faces: "Arial" and, for the text lines whose columns must
// align, the monospaced "Courier New"; where they are not installed, the
// metric-compatible Liberation Sans and Liberation Mono.

#include <QFont>

namespace pluvexa::report {

QFont arial(double points, bool bold = false, bool italic = false);
QFont courierNew(double points);

}  // namespace pluvexa::report
