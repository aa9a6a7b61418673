#pragma once

// A small recharge model and holders built field by field, for the tests of
// the model's own logic and of the logic over it (the grid's).

#include "recharge/modelo.h"

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace pluvexa::teste {

inline constexpr int kTipoDinheiro = 1;
inline constexpr int kTipoCreditos = 2;
inline constexpr int kTipoOutro = 3;

// A name as the file holds it: 50 characters, blank-filled.
inline std::string nome50(std::string n)
{
    n.resize(50, ' ');
    return n;
}

struct G {
    int tarifa = 0;
    int cmm = 0;
    double valor = 0;
    double ultima = 0, penultima = 0, antepenultima = 0;
};

inline Recarga titular(int usuario, int cartao, const std::string& nome, const std::string& matricula,
                       int tipo, std::vector<G> grupos)
{
    Recarga h;
    h.Usuario = usuario;
    h.Cartao = cartao;
    h.Nome = nome50(nome);
    h.Matricula = matricula;
    h.TipoCartao = tipo;
    for (size_t g = 0; g < grupos.size() && g < size_t(kGrupos); ++g) {
        h.Grupo[g] = {grupos[g].tarifa, grupos[g].cmm, grupos[g].valor};
        h.Historico[g] = {grupos[g].ultima, grupos[g].penultima, grupos[g].antepenultima};
    }
    return h;
}

// Card types 1 (money, max 600), 2 (credits, 50 %, max 250), 3 (money);
// tariffs 1 to 5 with fares 1,00 to 5,00 and tariff 3 at 2,30.
inline std::unique_ptr<ModeloRecarga> novoModelo()
{
    auto m = std::make_unique<ModeloRecarga>();
    m->wTipoCartao[kTipoDinheiro] = {kTipoDinheiro, "ESCOLAR", Dinheiro, 0, 600.0};
    m->wTipoCartao[kTipoCreditos] = {kTipoCreditos, "VALE TRANSPORTE", Creditos, 50.0, 250.0};
    m->wTipoCartao[kTipoOutro] = {kTipoOutro, "IDOSO", Dinheiro, 0, 600.0};
    for (int t = 1; t <= 5; ++t)
        m->wTarifa[size_t(t)] = {t, "TARIFA    ", double(t), 0};
    m->wTarifa[3].Valor = 2.30;
    return m;
}

inline void carrega(ModeloRecarga& m, const std::vector<Recarga>& hs)
{
    for (size_t i = 0; i < hs.size(); ++i)
        m.wRecarga[i] = hs[i];
    m.QtdRecarga = int(hs.size());
}

}  // namespace pluvexa::teste
