#pragma once

// A small recharge file written out field by field, so each test can see
// which bytes it changes.

#include <string>
#include <vector>

#include "recharge/modelo.h"

namespace pluvexa::test {

inline std::string txt(std::string s, std::size_t largura)
{
    s.resize(largura, ' ');
    return s;
}

inline std::string zeros(std::size_t largura) { return std::string(largura, '0'); }

inline std::string headerLinha()
{
    return "00" "0001" "00042" + txt("EMPRESA TESTE LTDA", 50) + "010224" "083000" "010224" "083500"
        "1" + txt("PX_00042_0007_2402010830_1.rec", 65) + txt("COMPL", 65) + txt("CENTRAL 3.2", 20)
        + txt("2.1.1.01C ", 20) + "000000000000000123" "1";
}

// Money card type with an explicit maximum of 600,00 and a credit card
// type whose record leaves the maximum out.
inline std::string tipoDinheiroLinha() { return "04" "01" + txt("VALE TRANSPORTE", 50) + "0" "10000" "60000"; }
inline std::string tipoCreditosLinha() { return "04" "02" + txt("ESCOLAR", 50) + "1" "05000"; }

inline std::string tarifa00Linha() { return "05" "00" "SEM TARIFA" + zeros(18) + zeros(10); }
inline std::string tarifa03Linha() { return "05" "03" "URBANA    " "000000000000000230" "0000000001"; }
inline std::string tarifa05Linha() { return "05" "05" "METROPOLIT" "000000000000123456" "0000000002"; }

inline std::string detalheDinheiroLinha()
{
    return "01" "0000000123" "0000004567" + txt("JOSE DA SILVA", 50) + txt("MAT-77", 20) + "01"
        "0003" "000000000000001500" + zeros(18) + "000000000000002575"
        "0000" "000" "000" "0000" "000" "000" "0000" "000" "000" + zeros(18) + std::string(12, ' ')
        + "01000" "00550" "00000" + zeros(45);
}

inline std::string detalheCreditosLinha()
{
    return "01" "0000000124" "0000004568" + txt("MARIA", 50) + std::string(20, ' ') + "02"
        "0003" "000000000000000040" + zeros(18) + "000000000000000020"
        "0005" "010" "015" "0000" "000" "000" "0000" "000" "000" + zeros(18) + std::string(12, ' ')
        + "00020" "00018" "00010" "00015" "00012" "00000" + zeros(30);
}

inline std::string trailerLinha(int registros, int g1, int g2, int g3, int g4)
{
    auto n = [](long long v, std::size_t w) {
        std::string s = std::to_string(v);
        return std::string(w - s.size(), '0') + s;
    };
    return "99" + n(registros, 10) + n(g1, 18) + zeros(18) + n(g2, 18) + zeros(18) + n(g3, 18)
        + zeros(18) + n(g4, 18) + zeros(18);
}

// In the order the writer produces, so a read and a write give it back.
inline std::vector<Texto> arquivoExemplo()
{
    return {headerLinha(),       tipoDinheiroLinha(),    tipoCreditosLinha() + "00250",
            tarifa00Linha(),     tarifa03Linha(),        tarifa05Linha(),
            detalheDinheiroLinha(), detalheCreditosLinha(), trailerLinha(9, 2, 1, 0, 0)};
}

}  // namespace pluvexa::test
