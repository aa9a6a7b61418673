#include "recharge/camposregistro.h"

#include "recharge/cp1252.h"

namespace pluvexa {
namespace {

std::string mensagem(std::string_view campo, ErroConversao::Tipo tipo)
{
    const QByteArray utf8 = deCp1252(std::string(campo)).toUtf8();
    return "'" + utf8.toStdString()
           + (tipo == ErroConversao::Tipo::Inteiro ? "' is not a valid integer value"
                                                   : "' is not a valid floating point value");
}

bool digito(char c) { return c >= '0' && c <= '9'; }

}  // namespace

ErroConversao::ErroConversao(std::string_view campo, Tipo tipo)
    : std::runtime_error(mensagem(campo, tipo)), m_campo(campo)
{
}

namespace {

// A whole number field as written: blanks, a sign, then digits only
// (ErroConversao otherwise). The magnitude stops growing once past 2^31, so
// a field of any length is read without overflowing.
struct Digitos {
    bool negativo = false;
    long long magnitude = 0;
};

Digitos leDigitos(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    Digitos d;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        d.negativo = s[i] == '-';
        ++i;
    }
    if (i == s.size())
        throw ErroConversao(s);
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (!digito(c))
            throw ErroConversao(s);
        if (d.magnitude <= 2147483648LL)
            d.magnitude = d.magnitude * 10 + (c - '0');
    }
    return d;
}

}  // namespace

int lerInteiro(std::string_view s)
{
    const Digitos d = leDigitos(s);
    const long long v = d.negativo ? -d.magnitude : d.magnitude;
    if (v < -2147483648LL || v > 2147483647LL)
        throw ErroConversao(s);
    return static_cast<int>(v);
}

std::optional<int> lerValor(std::string_view s)
{
    const Digitos d = leDigitos(s);
    if (d.magnitude > 2147483647LL || (d.negativo && d.magnitude != 0))
        return std::nullopt;
    return static_cast<int>(d.magnitude);
}

double lerDecimal(std::string_view s)
{
    std::size_t i = 0;
    std::size_t fim = s.size();
    while (i < fim && s[i] == ' ')
        ++i;
    while (fim > i && s[fim - 1] == ' ')
        --fim;
    bool negativo = false;
    if (i < fim && (s[i] == '-' || s[i] == '+')) {
        negativo = s[i] == '-';
        ++i;
    }
    // The digits as a whole number and the count of decimals, so that
    // "1,50" is 150 / 100 exactly as "150" is 150.
    long long mantissa = 0;
    int decimais = 0;
    int digitos = 0;
    bool virgula = false;
    for (; i < fim; ++i) {
        const char c = s[i];
        if (c == ',' && !virgula) {
            virgula = true;
            continue;
        }
        if (!digito(c) || digitos >= 18)
            throw ErroConversao(s, ErroConversao::Tipo::Decimal);
        mantissa = mantissa * 10 + (c - '0');
        ++digitos;
        if (virgula)
            ++decimais;
    }
    if (digitos == 0)
        throw ErroConversao(s, ErroConversao::Tipo::Decimal);
    // One correctly rounded division: 123 / 100 is the double nearest 1.23.
    double escala = 1;
    for (int k = 0; k < decimais; ++k)
        escala *= 10;   // exact up to 10^18
    const double v = double(mantissa) / escala;
    return negativo ? -v : v;
}

std::string_view apara(std::string_view s)
{
    std::size_t ini = 0;
    std::size_t fim = s.size();
    while (ini < fim && static_cast<unsigned char>(s[ini]) <= ' ')
        ++ini;
    while (fim > ini && static_cast<unsigned char>(s[fim - 1]) <= ' ')
        --fim;
    return s.substr(ini, fim - ini);
}

}  // namespace pluvexa
