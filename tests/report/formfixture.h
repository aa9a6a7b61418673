#pragma once

// A model whose listing has a known number of body lines: `titulares`
// holders of one money card type, each with group 1 only, so the body is
// the heading and its blank, one line per holder, the sub-total block and
// the grand total block.

#include "recharge/listagem.h"
#include "recharge/modelo.h"
#include "report/tfreprecarga.h"
#include "support/titulares.h"

#include <memory>

#include <string>

namespace pluvexa::test {

inline void preencheModelo(ModeloRecarga& m, int titulares)
{
    m.wTipoCartao[1] = {1, "ESCOLAR" + std::string(43, ' '), Dinheiro, 0, 500};
    m.wTarifa[1] = {1, "PASSE     ", 4.40, 0};
    for (int i = 0; i < titulares; ++i)
        m.wRecarga[size_t(i)] = titular(1000 + i, 5000 + i, "TITULAR " + std::to_string(i) + " S\xC3O PAULO",
                                        "MAT" + std::to_string(i), 1, {{1, 1, 10.5}});
    m.QtdRecarga = titulares;
}

// The listing form over such a model, with the click's captions.
struct ListagemPronta {
    ModeloRecarga m;
    std::unique_ptr<Tfreprecarga> form;

    explicit ListagemPronta(int titulares)
    {
        preencheModelo(m, titulares);
        form = std::make_unique<Tfreprecarga>(m);
        preparaListagem(*form, m, QStringLiteral("  EMPRESA DEMO "),
                        QStringLiteral("/tmp/PX_00123_0007_2612100930_1.rec"));
    }
};

}  // namespace pluvexa::test
