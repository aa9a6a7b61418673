#include "recharge_text.h"

#include <array>
#include <cstdio>
#include <random>
#include <string_view>

namespace pluvexa {
namespace {

constexpr std::array<std::string_view, 24> kFirstNames = {
    "MARIA", "JOSE", "ANA", "JOAO", "ANTONIO", "FRANCISCA", "CARLOS", "PAULO",
    "ADRIANA", "LUCAS", "JULIANA", "MARCOS", "PATRICIA", "RAFAEL", "ALINE", "PEDRO",
    "FERNANDA", "LUIZ", "CAMILA", "GABRIEL", "SANDRA", "RODRIGO", "VANESSA", "MATEUS"};
constexpr std::array<std::string_view, 20> kSurnames = {
    "SILVA", "SANTOS", "OLIVEIRA", "SOUZA", "RODRIGUES", "FERREIRA", "ALVES",
    "PEREIRA", "LIMA", "GOMES", "COSTA", "RIBEIRO", "MARTINS", "CARVALHO",
    "ALMEIDA", "LOPES", "SOARES", "FERNANDES", "VIEIRA", "BARBOSA"};

class Writer {
public:
    explicit Writer(std::uint32_t seed) : rng_(seed) {}

    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    void text(std::string_view s, std::size_t width)
    {
        std::string_view t = s.substr(0, std::min(s.size(), width));
        out.append(t);
        out.append(width - t.size(), ' ');
    }
    void number(long long v, int width)
    {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%0*lld", width, v);
        out.append(buf);
    }
    void blanks(std::size_t n) { out.append(n, ' '); }
    void endLine() { out.append("\r\n"); }

    std::string name()
    {
        std::string n(kFirstNames[uniform(0, kFirstNames.size() - 1)]);
        const int parts = uniform(1, 3);
        for (int i = 0; i < parts; ++i) {
            n += ' ';
            n += kSurnames[uniform(0, kSurnames.size() - 1)];
        }
        return n;
    }

    std::string out;

private:
    std::mt19937 rng_;
};

}  // namespace

std::string rechargeText(int detailLines, std::uint32_t seed)
{
    Writer w(seed);
    w.out.reserve(static_cast<std::size_t>(detailLines) * 274 + 4096);

    w.text("00", 2);
    w.number(1, 4);
    w.number(4711, 5);
    w.text("TRANSPORTES E LOGISTICA EXEMPLO LTDA", 50);
    w.text("150324", 6);
    w.text("083012", 6);
    w.text("150324", 6);
    w.text("083015", 6);
    w.number(1, 1);
    w.text("E471100120240315_1.rec", 65);
    w.text("", 65);
    w.text("3.04.02", 20);
    w.text("2.1.1.01C ", 20);
    w.number(120, 18);
    w.text("0", 1);
    w.endLine();

    constexpr std::array<std::string_view, 3> kTypes = {"VALE TRANSPORTE COMUM", "ESCOLAR",
                                                       "VALE TRANSPORTE CREDITOS"};
    for (int t = 0; t < 3; ++t) {
        w.text("04", 2);
        w.number(t + 1, 2);
        w.text(kTypes[t], 50);
        w.number(t == 2 ? 1 : 0, 1);
        w.number(t == 1 ? 5000 : 10000, 5);
        w.number(t == 2 ? 250 : 60000, 5);
        w.endLine();
    }
    constexpr std::array<std::string_view, 4> kTariffs = {"URBANA", "METROPOLIT", "SELETIVO",
                                                         "INTEGRADA"};
    constexpr std::array<int, 4> kFares = {440, 585, 720, 810};
    for (int t = 0; t < 4; ++t) {
        w.text("05", 2);
        w.number(t + 1, 2);
        w.text(kTariffs[t], 10);
        w.number(kFares[t], 18);
        w.number(20240301 + t, 10);
        w.endLine();
    }

    int usuario = 100000;
    long long cartao = 3100000000LL;
    for (int i = 0; i < detailLines; ++i) {
        usuario += w.uniform(1, 7);
        cartao += w.uniform(1, 5000);
        const int tipo = w.uniform(1, 3);
        const int tarifa = w.uniform(1, 4);
        w.text("01", 2);
        w.number(usuario, 10);
        w.number(cartao % 10000000000LL, 10);
        w.text(w.name(), 50);
        if (w.uniform(0, 9) == 0)
            w.blanks(20);
        else
            w.number(w.uniform(1, 999999), 20);
        w.number(tipo, 2);
        w.number(tarifa, 4);
        w.number(tipo == 3 ? w.uniform(20, 60) : w.uniform(80, 400) * 100, 18);
        w.number(0, 18);
        w.number(w.uniform(0, 4) == 0 ? 0 : w.uniform(10, 300) * 100, 18);
        for (int g = 0; g < 3; ++g) {
            const bool used = tipo == 3 && w.uniform(0, 3) == 0;
            w.number(used ? w.uniform(1, 4) : 0, 4);
            w.number(used ? w.uniform(10, 60) : 0, 3);
            w.number(used ? w.uniform(0, 60) : 0, 3);
        }
        w.number(0, 18);
        w.blanks(12);
        for (int h = 0; h < 3; ++h)
            w.number(w.uniform(0, 2) == 0 ? 0 : w.uniform(10, 300) * 100, 5);
        for (int h = 0; h < 9; ++h)
            w.number(tipo == 3 && w.uniform(0, 3) == 0 ? w.uniform(1, 60) : 0, 5);
        w.endLine();
    }

    w.text("99", 2);
    w.number(detailLines + 9, 10);
    w.number(detailLines, 18);
    w.number(0, 18);
    for (int g = 0; g < 3; ++g) {
        w.number(0, 18);
        w.number(0, 18);
    }
    w.endLine();
    return w.out;
}

}  // namespace pluvexa
