#include "recharge/moeda.h"

#include <cmath>
#include <limits>

namespace pluvexa {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

std::int64_t satura(__int128 v)
{
    if (v > kMax)
        return kMax;
    if (v < kMin)
        return kMin;
    return static_cast<std::int64_t>(v);
}

}  // namespace

Moeda Moeda::deDouble(double x)
{
    const double escalado = x * double(kEscala);
    if (std::isnan(escalado))
        return Moeda();
    // 2^63 is exactly representable; anything at or above it cannot be held.
    if (escalado >= 9223372036854775808.0)
        return Moeda(kMax);
    if (escalado < -9223372036854775808.0)
        return Moeda(kMin);
    // nearbyint honours the default rounding mode: nearest, ties to even.
    return Moeda(static_cast<std::int64_t>(std::nearbyint(escalado)));
}

Moeda Moeda::deInteiro(std::int64_t i)
{
    return Moeda(satura(__int128(i) * kEscala));
}

std::optional<Moeda> Moeda::deTexto(QStringView text)
{
    qsizetype pos = 0;
    bool negativo = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
        negativo = text[pos] == u'-';
        ++pos;
    }
    __int128 inteiro = 0;
    int digitos = 0;
    for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos) {
        inteiro = inteiro * 10 + (text[pos].unicode() - u'0');
        if (inteiro > kMax)
            return std::nullopt;
        ++digitos;
    }
    // Four decimals are kept; the fifth decides the rounding and any later
    // non-zero digit breaks a tie.
    std::int64_t frac = 0;
    int fracDigitos = 0;
    int seguinte = 0;
    bool restoNaoZero = false;
    if (pos < text.size() && text[pos] == u',') {
        ++pos;
        for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos) {
            const int d = text[pos].unicode() - u'0';
            if (fracDigitos < 4)
                frac = frac * 10 + d;
            else if (fracDigitos == 4)
                seguinte = d;
            else if (d != 0)
                restoNaoZero = true;
            ++fracDigitos;
            ++digitos;
        }
    }
    if (pos != text.size() || digitos == 0)
        return std::nullopt;
    for (int k = fracDigitos; k < 4; ++k)
        frac *= 10;
    __int128 count = inteiro * kEscala + frac;
    if (seguinte > 5 || (seguinte == 5 && (restoNaoZero || (count & 1))))
        ++count;
    if (negativo)
        count = -count;
    if (count > kMax || count < kMin)
        return std::nullopt;
    return Moeda(static_cast<std::int64_t>(count));
}

Moeda operator*(Moeda a, Moeda b)
{
    // Integer division of __int128 truncates toward zero, as required.
    return Moeda(satura(__int128(a.m_count) * b.m_count / Moeda::kEscala));
}

double Arredonda(double x, int n, int modoArredondamento)
{
    const double escala = std::pow(10.0, n);
    switch (modoArredondamento) {
    case 1:
        return std::trunc((x + 0.9 * std::pow(10.0, -n)) * escala) / escala;
    case 2:
        return std::trunc(x * escala) / escala;
    default:
        return x;
    }
}

}  // namespace pluvexa
