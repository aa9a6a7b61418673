#pragma once

// Records of the external recharge file for the tests, built from their
// fields; the files holding them are written and read by arquivosteste.h.

#include "support/arquivosteste.h"

#include <string>

namespace pluvexa::test {

// `texto` right-aligned in `largura` characters, filled with `enche`.
inline std::string aDireita(const std::string& texto, std::size_t largura, char enche = '0')
{
    return texto.size() >= largura ? texto : std::string(largura - texto.size(), enche) + texto;
}

inline std::string aEsquerda(std::string texto, std::size_t largura)
{
    texto.resize(largura, ' ');
    return texto;
}

struct CamposExternos {
    std::string identificador = "0000001";  // 1-7
    std::string matricula;                  // 8-28, left-aligned
    std::string valor = "0,00";             // 29-47, right-aligned with zeros
    std::string empresa = "0000000123";     // 48-57
    std::string livre = "  ";               // 58-59
    std::string arquivo = "0000000007";     // 60-69
    std::string tipo;                       // 70-71; empty: a 69-character record
};

inline std::string registro(const CamposExternos& c)
{
    return c.identificador + aEsquerda(c.matricula, 21) + aDireita(c.valor, 19) + c.empresa + c.livre
           + c.arquivo + c.tipo;
}

inline std::string registro(const std::string& matricula, const std::string& valor,
                            const std::string& tipo = "")
{
    CamposExternos c;
    c.matricula = matricula;
    c.valor = valor;
    c.tipo = tipo;
    return registro(c);
}

}  // namespace pluvexa::test
