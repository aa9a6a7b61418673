#include "recharge/digitosdecimais.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace pluvexa {

void normaliza(DigitosDecimais& d)
{
    const auto primeiro = d.digitos.find_first_not_of('0');
    if (primeiro == std::string::npos) {
        d.digitos.clear();
        d.expoente = 0;
        return;
    }
    d.digitos.erase(0, primeiro);
    d.expoente -= int(primeiro);
    const auto ultimo = d.digitos.find_last_not_of('0');
    d.digitos.erase(ultimo + 1);
}

DigitosDecimais digitosDecimais(double v)
{
    DigitosDecimais d;
    if (!std::isfinite(v) || v == 0)
        return d;
    d.negativo = v < 0;
    // "d.dddddddddddddde[+-]xx": printf rounds to nearest, independent of
    // the locale for the digits and the exponent.
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    const std::string s(buf);
    const auto e = s.find('e');
    d.digitos = s.substr(0, 1) + s.substr(2, e - 2);
    d.expoente = std::atoi(s.c_str() + e + 1) + 1;
    normaliza(d);
    return d;
}

}  // namespace pluvexa
