#pragma once

// Field access shared by the record reader and writer: 1-based positions,
// signed 32-bit numeric fields with the platform's conversion error, and the
// blank trimming of the record texts.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "recharge/layoutregistros.h"
#include "recharge/modelo.h"

namespace pluvexa {

static_assert(layout::detalhe::Tarifa.size() == kGrupos && layout::trailer::Portadores.size() == kGrupos,
              "a field per tariff group");

// A numeric field that cannot be read ends the processing of the file; its
// text is the platform's: "'%s' is not a valid integer value", or
// "'%s' is not a valid floating point value" for a decimal field (UTF-8, the
// field as it stands in the record).
class ErroConversao : public std::runtime_error {
public:
    enum class Tipo { Inteiro, Decimal };
    explicit ErroConversao(std::string_view campo, Tipo tipo = Tipo::Inteiro);
    const Texto& campo() const { return m_campo; }
    // The position (from 0) of the line that held the field, once the
    // processing that met it has said; -1 before.
    int linha() const { return m_linha; }
    void naLinha(int linha) { m_linha = linha; }

private:
    Texto m_campo;
    int m_linha = -1;
};

// Leading blanks, an optional sign, then decimal digits and nothing else,
// within the signed 32-bit range. Anything else throws ErroConversao.
int lerInteiro(std::string_view campo);

// A recharge value field: read as lerInteiro reads, but a number below
// zero, or beyond the signed 32-bit range (where a 32-bit conversion wraps
// it below zero), gives nothing instead: the record is refused, the file
// read on. What is no number at all still throws ErroConversao.
std::optional<int> lerValor(std::string_view campo);

// A decimal number with blanks around it: an optional sign, digits, and an
// optional decimal comma followed by digits ("1,50 ", "150  ", " ,5").
// Anything else (no digit at all, a point, letters, blanks inside) throws
// ErroConversao.
double lerDecimal(std::string_view campo);

// Characters pos .. pos+len-1 (1-based) of a line, cut short at its end.
inline std::string_view campo(std::string_view linha, std::size_t pos, std::size_t len)
{
    if (pos - 1 >= linha.size())
        return {};
    return linha.substr(pos - 1, len);
}

// A field of the record layout, cut short at the line's end.
inline std::string_view campo(std::string_view linha, const layout::Campo& c)
{
    return campo(linha, c.pos, c.len);
}

// Without leading and trailing blanks and control characters.
std::string_view apara(std::string_view s);

}  // namespace pluvexa
