#include "recharge/formatonumero.h"

#include "recharge/digitosdecimais.h"

#include <cmath>
#include <string>

namespace pluvexa {
namespace {

// A decimal number as a digit string: value = 0.d1d2d3... * 10^expoente,
// without leading zeros (an empty string is zero).
using Decimal = DigitosDecimais;

Decimal deInteiroComEscala(long long v, int casasDecimais)
{
    Decimal d;
    d.negativo = v < 0;
    // Through unsigned so that the most negative value has a magnitude.
    const unsigned long long mag = d.negativo ? 0ULL - static_cast<unsigned long long>(v)
                                              : static_cast<unsigned long long>(v);
    d.digitos = std::to_string(mag);
    d.expoente = int(d.digitos.size()) - casasDecimais;
    normaliza(d);
    return d;
}

// Rounds half away from zero to `casas` decimals.
void arredondaCasas(Decimal& d, int casas)
{
    const long manter = long(d.expoente) + casas;  // digits kept
    if (d.digitos.empty() || manter >= long(d.digitos.size()))
        return;
    if (manter < 0) {
        d.digitos.clear();
        normaliza(d);
        return;
    }
    const bool sobe = d.digitos[size_t(manter)] >= '5';
    d.digitos.resize(size_t(manter));
    if (sobe) {
        long i = manter - 1;
        while (i >= 0 && d.digitos[size_t(i)] == '9') {
            d.digitos[size_t(i)] = '0';
            --i;
        }
        if (i < 0) {
            d.digitos.insert(d.digitos.begin(), '1');
            ++d.expoente;
        } else {
            ++d.digitos[size_t(i)];
        }
    }
    normaliza(d);
}

struct Figura {
    int minInteiros = 0;    // '0's before the decimal point
    int minDecimais = 0;    // '0's after it
    int maxDecimais = 0;    // '0's and '#'s after it
    bool milhares = false;  // any ',' before the decimal point
};

Figura lerFigura(QStringView picture)
{
    Figura f;
    bool depoisPonto = false;
    for (QChar c : picture) {
        if (c == u'.') {
            depoisPonto = true;
        } else if (c == u'0') {
            if (depoisPonto) {
                ++f.minDecimais;
                ++f.maxDecimais;
            } else {
                ++f.minInteiros;
            }
        } else if (c == u'#') {
            if (depoisPonto)
                ++f.maxDecimais;
        } else if (c == u',' && !depoisPonto) {
            f.milhares = true;
        }
    }
    return f;
}

QString monta(const Figura& f, Decimal d)
{
    arredondaCasas(d, f.maxDecimais);
    // Integer digits: those of the number, at least minInteiros.
    std::string inteiros;
    if (d.expoente > 0) {
        inteiros = d.digitos.substr(0, std::min<size_t>(d.digitos.size(), size_t(d.expoente)));
        inteiros.append(size_t(d.expoente) - inteiros.size(), '0');
    }
    if (int(inteiros.size()) < f.minInteiros)
        inteiros.insert(0, size_t(f.minInteiros) - inteiros.size(), '0');
    std::string decimais;
    for (int k = 0; k < f.maxDecimais; ++k) {
        const long idx = long(d.expoente) + k;  // index of the k-th decimal
        decimais += (idx >= 0 && idx < long(d.digitos.size())) ? d.digitos[size_t(idx)] : '0';
    }
    while (int(decimais.size()) > f.minDecimais && decimais.back() == '0')
        decimais.pop_back();

    QString out;
    if (d.negativo && !d.digitos.empty())
        out += u'-';
    const int n = int(inteiros.size());
    for (int k = 0; k < n; ++k) {
        if (f.milhares && k > 0 && (n - k) % 3 == 0)
            out += u'.';
        out += QChar(inteiros[size_t(k)]);
    }
    if (!decimais.empty()) {
        out += u',';
        out += QString::fromLatin1(decimais.data(), qsizetype(decimais.size()));
    }
    return out;
}

}  // namespace

QString formata(QStringView picture, Moeda v)
{
    return monta(lerFigura(picture), deInteiroComEscala(v.bruto(), 4));
}

QString formata(QStringView picture, double v)
{
    return monta(lerFigura(picture), digitosDecimais(v));
}

QString formata(QStringView picture, long long v)
{
    return monta(lerFigura(picture), deInteiroComEscala(v, 0));
}

QString formatoGeral(double v)
{
    if (std::isnan(v))
        return QStringLiteral("NAN");
    if (std::isinf(v))
        return v > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const Decimal d = digitosDecimais(v);
    if (d.digitos.empty())
        return QStringLiteral("0");
    QString out;
    if (d.negativo)
        out += u'-';
    const std::string& g = d.digitos;
    if (d.expoente > 15 || std::fabs(v) < 0.00001) {
        // Scientific: one digit, optional decimals, "E" and the exponent.
        out += QChar(g[0]);
        if (g.size() > 1) {
            out += u',';
            out += QString::fromLatin1(g.data() + 1, qsizetype(g.size() - 1));
        }
        out += u'E';
        out += QString::number(d.expoente - 1);
        return out;
    }
    if (d.expoente <= 0) {
        out += u"0,";
        out += QString(-d.expoente, u'0');
        out += QString::fromLatin1(g.data(), qsizetype(g.size()));
        return out;
    }
    for (int k = 0; k < d.expoente; ++k)
        out += k < int(g.size()) ? QChar(g[size_t(k)]) : QChar(u'0');
    if (int(g.size()) > d.expoente) {
        out += u',';
        out += QString::fromLatin1(g.data() + d.expoente, qsizetype(g.size()) - d.expoente);
    }
    return out;
}

QString numeroSimples(double v)
{
    return formatoGeral(v);
}

QString dataHoraLog(const QDateTime& dt)
{
    return dt.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
}

namespace {

QString& formatoCurto()
{
    static QString formato = QStringLiteral("dd/MM/yyyy");
    return formato;
}

}  // namespace

void defineFormatoDataCurta(const QString& formato)
{
    formatoCurto() = formato;
}

QString formatoDataCurta()
{
    return formatoCurto();
}

QString dataCurta(const QDate& d)
{
    return d.toString(formatoCurto());
}

}  // namespace pluvexa
