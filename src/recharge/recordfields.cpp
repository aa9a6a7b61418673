#include "recharge/recordfields.h"

#include "recharge/cp1252.h"

namespace pluvexa {
namespace {

std::string mensagem(std::string_view campo)
{
    const QByteArray utf8 = deCp1252(std::string(campo)).toUtf8();
    return "'" + utf8.toStdString() + "' is not a valid integer value";
}

}  // namespace

ErroConversao::ErroConversao(std::string_view campo)
    : std::runtime_error(mensagem(campo)), m_campo(campo)
{
}

int lerInteiro(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negativo = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        negativo = s[i] == '-';
        ++i;
    }
    if (i == s.size())
        throw ErroConversao(s);
    long long v = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c < '0' || c > '9')
            throw ErroConversao(s);
        v = v * 10 + (c - '0');
        if (v > 2147483648LL)
            throw ErroConversao(s);
    }
    if (negativo)
        v = -v;
    if (v > 2147483647LL)
        throw ErroConversao(s);
    return static_cast<int>(v);
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
