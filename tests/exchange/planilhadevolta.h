#pragma once

// The operator's round trip of a spreadsheet: `planilha` imported back into
// a copy of the model with every value at zero (the import's log in a
// folder of its own), so that a test compares what came back with what
// went out.

#include "exchange/recargaexterna.h"
#include "recharge/modelo.h"
#include "support/arquivosteste.h"

#include <QTemporaryDir>
#include <memory>
#include <string>

namespace pluvexa::test {

struct PlanilhaDeVolta {
    PlanilhaDeVolta(const ModeloRecarga& m, const std::string& planilha) : importado(m)
    {
        for (int i = 0; i < importado.QtdRecarga; ++i)
            importado.wRecarga[std::size_t(i)].Grupo[0].Valor = 0;
        const QString csv = dir.filePath(QStringLiteral("titulares.csv"));
        gravaTexto(csv, planilha);
        OpcoesImportacao o;
        o.pastaLog = dir.filePath(QStringLiteral("Log"));
        run = std::make_unique<RecargaExterna>(importado, o);
        ok = run->Importa(csv, 1);
    }

    QTemporaryDir dir;
    ModeloRecarga importado;
    std::unique_ptr<RecargaExterna> run;
    bool ok = false;  // what the import answered
};

// The holders of `m` without a registration.
inline int semMatricula(const ModeloRecarga& m)
{
    int n = 0;
    for (int i = 0; i < m.QtdRecarga; ++i)
        n += m.wRecarga[std::size_t(i)].Matricula.empty() ? 1 : 0;
    return n;
}

}  // namespace pluvexa::test
