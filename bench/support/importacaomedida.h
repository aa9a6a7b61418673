#pragma once

// The import benchmarks' run: a file made to cost the import, written into
// a temporary folder and imported (its log in that folder) against the
// loaded file of 10,000 holders, each run timed alone with its peak memory.

#include "modelocheio.h"
#include "picomemoria.h"

#include "exchange/recargaexterna.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

namespace pluvexa::bench {

// Imports `bytes`, kept as `nome`, once per iteration; `confere` answers
// whether a run gave what was expected.
template <typename Confere>
void medeImportacao(benchmark::State& state, const QString& nome, const QByteArray& bytes, Confere&& confere)
{
    const auto m = modeloCheio();
    QTemporaryDir dir;
    const QString caminho = dir.filePath(nome);
    {
        QFile f(caminho);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            state.SkipWithError("cannot write the file to import");
    }
    OpcoesImportacao o;
    o.pastaLog = dir.filePath(QStringLiteral("Log"));
    medeExecucoes(state, [&] {
        RecargaExterna run(*m, o);
        run.Importa(caminho, 1);
        return confere(run);
    });
}

}  // namespace pluvexa::bench
