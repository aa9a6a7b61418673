#include "grid/contagemlistas.h"

#include "grid/celulasgrid.h"
#include "grid/preenchegrid.h"

namespace pluvexa {

ContagemListas contaPortadores(const ModeloRecarga& m, int tipoSel)
{
    ContagemListas c;
    c.porTipo.assign(kTiposCartao, 0);
    c.porTarifa.assign(kTarifas, 0);
    const int k = modalidade(m, tipoSel);
    const int n = qtdTitulares(m);
    for (int i = 0; i < n; ++i) {
        const Recarga& h = m.wRecarga[size_t(i)];
        if (h.TipoCartao >= 0 && h.TipoCartao < kTiposCartao)
            ++c.porTipo[size_t(h.TipoCartao)];
        if (h.TipoCartao != tipoSel)
            continue;
        // Each tariff a group carries lists the holder once at most.
        for (int t = 0; t < kTarifas; ++t)
            if (grupoMostrado(h, t, k) >= 0)
                ++c.porTarifa[size_t(t)];
    }
    return c;
}

QString entradaComContagem(const QString& entrada, int quantidade)
{
    // The record pads the description with blanks; the count follows the
    // words, where a narrow list still shows it.
    QString texto = entrada;
    while (texto.endsWith(u' '))
        texto.chop(1);
    return texto + QStringLiteral(" (") + QString::number(quantidade) + u')';
}

}  // namespace pluvexa
