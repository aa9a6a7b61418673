#include "recharge/cp1252.h"

#include <array>

namespace pluvexa {

namespace {

// 0x80..0x9F; 0 marks a byte the code page leaves undefined.
constexpr std::array<char16_t, 32> kAlto = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

QString deCp1252(const std::string& bytes)
{
    QString out;
    out.reserve(int(bytes.size()));
    for (unsigned char b : bytes) {
        if (b >= 0x80 && b < 0xA0) {
            char16_t c = kAlto[b - 0x80];
            out.append(QChar(c ? c : char16_t(0xFFFD)));
        } else {
            out.append(QChar(char16_t(b)));
        }
    }
    return out;
}

std::string paraCp1252(const QString& text)
{
    std::string out;
    out.reserve(text.size());
    for (QChar ch : text) {
        char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.push_back(char(u));
            continue;
        }
        char mapped = '?';
        for (int i = 0; i < 32; ++i)
            if (kAlto[i] && kAlto[i] == u) { mapped = char(0x80 + i); break; }
        out.push_back(mapped);
    }
    return out;
}

}  // namespace pluvexa
