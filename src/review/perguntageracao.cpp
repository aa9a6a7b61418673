#include "review/perguntageracao.h"

#include <QStringList>

namespace pluvexa {

RiscosGeracao contaRiscos(const Conferencia& c)
{
    RiscosGeracao r;
    r.semValor = c.quantos(MotivoConferencia::SemValor) + c.quantos(MotivoConferencia::SemRecarga);
    r.acima = c.quantos(MotivoConferencia::AcimaDoHabitual);
    r.abaixo = c.quantos(MotivoConferencia::AbaixoDoHabitual);
    r.primeira = c.quantos(MotivoConferencia::PrimeiraRecarga);
    return r;
}

QString perguntaAntesDeGerar(const RiscosGeracao& r)
{
    const std::pair<int, QString> partes[] = {{r.semValor, QStringLiteral("sem valor")},
                                              {r.acima, QStringLiteral("acima do habitual")},
                                              {r.abaixo, QStringLiteral("abaixo do habitual")},
                                              {r.primeira, QStringLiteral("primeira recarga")}};
    QStringList textos;
    for (const auto& [n, texto] : partes) {
        if (n == 0)
            continue;
        // Only the first part says what is counted; the others follow it.
        const QString quem = !textos.isEmpty() ? QString()
                             : n == 1          ? QStringLiteral("titular ")
                                               : QStringLiteral("titulares ");
        textos << QString::number(n) + QLatin1Char(' ') + quem + texto;
    }
    if (textos.isEmpty())
        return {};
    return textos.join(QStringLiteral(", ")) + QStringLiteral(". Conferir antes de gerar?");
}

std::optional<MotivoConferencia> primeiroMotivoContado(const Conferencia& c)
{
    for (const MotivoConferencia m : {MotivoConferencia::SemValor, MotivoConferencia::SemRecarga,
                                      MotivoConferencia::AcimaDoHabitual, MotivoConferencia::AbaixoDoHabitual,
                                      MotivoConferencia::PrimeiraRecarga})
        if (c.quantos(m) > 0)
            return m;
    return std::nullopt;
}

}  // namespace pluvexa
