#pragma once

// Fixed-point currency: a signed 64-bit count of ten-thousandths. Values
// shown, validated and multiplied go through it so that a fare times a
// number of credits gives the same cents on every machine.

#include <compare>
#include <cstdint>
#include <optional>

#include <QStringView>

namespace pluvexa {

class Moeda {
public:
    constexpr Moeda() = default;

    // x * 10000 rounded to the nearest count, ties to even. Values outside
    // the 64-bit range (or NaN) saturate instead of invoking undefined
    // behaviour; they are far beyond anything a recharge file can hold.
    static Moeda deDouble(double x);
    // i * 10000 (saturating).
    static Moeda deInteiro(std::int64_t i);
    static constexpr Moeda deBruto(std::int64_t count) { return Moeda(count); }
    // Decimal comma, optional leading sign, digits; nothing else (no blanks,
    // no thousands point, no exponent). More than four decimals are rounded
    // to the nearest count, ties to even. Empty, malformed or out-of-range
    // text gives no value.
    static std::optional<Moeda> deTexto(QStringView text);

    constexpr std::int64_t bruto() const { return m_count; }
    // count / 10000, correctly rounded: 1,15 comes back as the double 1.15
    // (multiplying by 0.0001 would give 1.1500000000000001 and push a value
    // typed at a card type's maximum just above it).
    double paraDouble() const { return double(m_count) / double(kEscala); }
    // count / 10000, truncated toward zero.
    constexpr std::int64_t parteInteira() const { return m_count / kEscala; }

    // (a * b) / 10000 truncated toward zero. The intermediate product is
    // kept in 128 bits so a large product cannot wrap; a result beyond
    // 64 bits saturates.
    friend Moeda operator*(Moeda a, Moeda b);
    friend constexpr Moeda operator+(Moeda a, Moeda b) { return Moeda(a.m_count + b.m_count); }
    friend constexpr Moeda operator-(Moeda a, Moeda b) { return Moeda(a.m_count - b.m_count); }
    friend constexpr Moeda operator-(Moeda a) { return Moeda(-a.m_count); }
    Moeda& operator+=(Moeda o) { m_count += o.m_count; return *this; }
    Moeda& operator-=(Moeda o) { m_count -= o.m_count; return *this; }

    auto operator<=>(const Moeda&) const = default;

    static constexpr std::int64_t kEscala = 10000;

private:
    constexpr explicit Moeda(std::int64_t count) : m_count(count) {}
    std::int64_t m_count = 0;
};

// Unit-price rounding of x to n decimals by the file's rounding mode:
// 1 rounds up (adds 0.9 of the last kept decimal, then truncates toward
// zero), 2 truncates toward zero, any other mode leaves x unchanged. Done in
// doubles on purpose: a value on a decimal boundary follows that arithmetic,
// as the central's own computation does.
double Arredonda(double x, int n, int modoArredondamento);

}  // namespace pluvexa
