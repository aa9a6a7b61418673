#pragma once

// The review before sending: each holder's value of group 1 compared with
// the holder's own usual value, the mean of the non-zero values among its
// three last recharges. Values count in whole units of the card type: cents
// for money, credits for credit card types, so every comparison is exact in
// integers and a value equal to a bound is never flagged.
//
//   "Acima do habitual"   usual > 0 and value > usual * (100 + P) / 100
//   "Abaixo do habitual"  usual > 0 and 0 < value < usual * (100 - P) / 100
//   "Sem recarga"         usual > 0 and value = 0
//   "Primeira recarga"    no usual value and value > 0
//   "Sem valor"           no usual value and every group the grid lists the
//                         holder by holds 0
//
// P, the variation limit, is a whole percent from 1 to 1000.

#include "recharge/modelo.h"

#include <QString>
#include <optional>
#include <vector>

namespace pluvexa {

inline constexpr int kLimitePadrao = 50;
inline constexpr int kLimiteMinimo = 1;
inline constexpr int kLimiteMaximo = 1000;

// SemValor comes last so that the codes the others always had stay theirs.
enum class MotivoConferencia { AcimaDoHabitual, AbaixoDoHabitual, SemRecarga, PrimeiraRecarga, SemValor };

// "Acima do habitual", "Abaixo do habitual", "Sem recarga", "Primeira
// recarga", "Sem valor".
QString textoMotivo(MotivoConferencia motivo);

// A holder's value and history in whole units (cents or credits).
struct ValoresTitular {
    long long valor = 0;
    long long somaHistorico = 0;  // of the non-zero values among the three last
    int recargasHistorico = 0;    // how many of the three were non-zero
    // A group other than the first that the grid lists the holder by holds
    // a value (credit card types recharge through every group).
    bool outroGrupoComValor = false;
    // Some card type and tariff of the grid list the holder: one no tariff
    // lists cannot be given a value, so it is never "Sem valor".
    bool listado = true;
};

// The motive `v` is flagged for with limit `limite`, or none.
std::optional<MotivoConferencia> motivoDe(const ValoresTitular& v, int limite);

struct TitularConferido {
    int indice = 0;  // into wRecarga
    bool creditos = false;
    ValoresTitular valores;
    MotivoConferencia motivo = MotivoConferencia::AcimaDoHabitual;

    // The usual value in whole units, exact; 0 without history.
    double habitual() const;
    // How far the value is from the usual one, in percent; none without history.
    std::optional<double> variacao() const;
};

struct ResumoTipoCartao {
    int tipo = 0;
    bool creditos = false;
    int titularesComValor = 0;
    long long totalAgora = 0;     // whole units
    long long totalUltimas = 0;   // of the last recharges, whole units
    // (now - last) / last in percent; none when the last total is 0.
    std::optional<double> variacao() const;
};

struct Conferencia {
    int limite = kLimitePadrao;
    std::vector<ResumoTipoCartao> resumo;     // by card type code
    std::vector<TitularConferido> titulares;  // flagged, in model order
    int quantos(MotivoConferencia motivo) const;
};

// Whether card type `tipo` of `m` counts in credits (any modality but money).
bool tipoEmCreditos(const ModeloRecarga& m, int tipo);
// A value of the model in whole units of its card type: cents for money,
// credits otherwise (rounded to the nearest).
long long emUnidades(double valor, bool creditos);
// Whole units as the program shows them: "1234,50" for money, "12" for
// credits; no thousands separator.
QString unidadesComoTexto(long long unidades, bool creditos);

// Reviews entries 0 to QtdRecarga - 1 of `m`.
Conferencia confere(const ModeloRecarga& m, int limite = kLimitePadrao);

}  // namespace pluvexa
