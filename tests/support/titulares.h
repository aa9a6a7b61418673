#pragma once

// Card holders built by hand for the tests, as a received file lists them:
// the name padded to its 50 characters, up to four groups each with the
// value entered and the last three recharges the central recorded.

#include "recharge/modelo.h"

#include <cstddef>
#include <vector>

namespace pluvexa::test {

// A name or a description as the file holds it: blank-padded to 50.
inline Texto nome50(Texto nome)
{
    nome.resize(50, ' ');
    return nome;
}

struct GrupoTitular {
    int tarifa = 0;
    int cmm = 0;
    double valor = 0;
    double ultima = 0, penultima = 0, antepenultima = 0;
};

inline Recarga titular(int usuario, int cartao, const Texto& nome, const Texto& matricula, int tipo,
                       const std::vector<GrupoTitular>& grupos = {})
{
    Recarga h;
    h.Usuario = usuario;
    h.Cartao = cartao;
    h.Nome = nome50(nome);
    h.Matricula = matricula;
    h.TipoCartao = tipo;
    for (std::size_t g = 0; g < grupos.size() && g < std::size_t(kGrupos); ++g) {
        h.Grupo[g] = {grupos[g].tarifa, grupos[g].cmm, grupos[g].valor};
        h.Historico[g] = {grupos[g].ultima, grupos[g].penultima, grupos[g].antepenultima};
    }
    return h;
}

// `titulares`, in this order, as the holders of `m`.
inline void carrega(ModeloRecarga& m, const std::vector<Recarga>& titulares)
{
    for (std::size_t i = 0; i < titulares.size(); ++i)
        m.wRecarga[i] = titulares[i];
    m.QtdRecarga = int(titulares.size());
}

// `h` after the holders of `m`.
inline Recarga& acrescenta(ModeloRecarga& m, const Recarga& h)
{
    Recarga& novo = m.wRecarga[std::size_t(m.QtdRecarga++)];
    novo = h;
    return novo;
}

}  // namespace pluvexa::test
