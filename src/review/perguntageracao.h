#pragma once

// The question "Gerar Arquivo" asks when the review flags anybody: how many
// holders are without value (both "Sem valor" and "Sem recarga"), above or
// below their usual value, or at their first recharge, and which motive the
// review page opens on when the operator chooses to look. The grid shows
// one card type and tariff at a time, so this is where a forgotten tariff
// is caught.

#include "review/conferencia.h"

#include <QString>
#include <optional>

namespace pluvexa {

struct RiscosGeracao {
    int semValor = 0;   // "Sem valor" and "Sem recarga"
    int acima = 0;
    int abaixo = 0;
    int primeira = 0;
    bool algum() const { return semValor + acima + abaixo + primeira > 0; }
};

RiscosGeracao contaRiscos(const Conferencia& c);

// "<n> titulares sem valor, <a> acima do habitual, <b> abaixo do habitual,
// <p> primeira recarga. Conferir antes de gerar?" with only the parts that
// are not 0; the first part names the holders ("1 titular" in the
// singular). Empty when nothing is flagged.
QString perguntaAntesDeGerar(const RiscosGeracao& r);

// The motive of the first part of the question ("Sem valor" before "Sem
// recarga" within it); none when nothing is flagged.
std::optional<MotivoConferencia> primeiroMotivoContado(const Conferencia& c);

}  // namespace pluvexa
