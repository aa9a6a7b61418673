#pragma once

// The capture's script: a month of work done in the real windows over
// demonstration data, each scene the manual describes pictured on the way.

#include <QString>

namespace pluvexa::capturas {

// Runs the whole script under the working root of the current HOME, with
// the folder `disco` standing for the company's disk; the pictures go to
// `pasta`. The process ends with a message when the windows did not do what
// the script expects.
void executaRoteiro(const QString& pasta, const QString& disco);

}  // namespace pluvexa::capturas
