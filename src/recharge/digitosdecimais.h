#pragma once

// The decimal digits of a double, taken to the 15 significant digits a
// double carries. The number formats and the numeric edit both start from
// it, so a value shows the same everywhere and 2.675 (binary 2.67499999...)
// rounds to 2,68 as the operator expects.

#include <string>

namespace pluvexa {

// value = 0.d1d2d3... x 10^expoente
struct DigitosDecimais {
    bool negativo = false;
    std::string digitos;   // no leading or trailing zeros; empty for zero
    int expoente = 0;
};

// Zero (either sign), infinities and NaN give no digits and no sign.
DigitosDecimais digitosDecimais(double v);

// Drops leading and trailing zeros of `d.digitos`, moving the exponent with
// them; all zeros become zero.
void normaliza(DigitosDecimais& d);

}  // namespace pluvexa
