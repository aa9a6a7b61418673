#pragma once

// What every workbook reader promises, whatever bytes it is given: it
// ends; a refused workbook gives its reason and no sheet; a read one gives
// sheets whose rows hold something, numbered from 1 up to 100,000 in
// increasing order, at most 1,000 cells each and 2,000,000 in all, numbers
// finite, texts at most a cell's 32,767 characters and not empty, and the
// reason of a refusal short. Aborts on a broken promise.

#include "exchange/livros/leituralivro.h"
#include "exchange/livros/limiteslivro.h"
#include "exchange/livros/tipoarquivo.h"

#include <QDir>
#include <QFile>
#include <cmath>
#include <cstdlib>

namespace pluvexa::fuzz {

inline void confereLivro(const Livro& livro)
{
    if (!livro.ok()) {
        if (!livro.abas.empty() || livro.erro.size() > 300)
            std::abort();
        return;
    }
    std::int64_t celulas = 0;
    for (const AbaPlanilha& aba : livro.abas) {
        int anterior = 0;
        for (const LinhaTabela& l : aba.linhas) {
            if (l.linha <= anterior || l.linha > livros::kMaisLinhas || l.celulas.empty()
                || l.celulas.size() > std::size_t(livros::kMaisColunas))
                std::abort();
            anterior = l.linha;
            celulas += std::int64_t(l.celulas.size());
            bool algo = false;
            for (const CelulaPlanilha& c : l.celulas) {
                switch (c.tipo) {
                case CelulaPlanilha::Tipo::Vazia:
                    break;
                case CelulaPlanilha::Tipo::Numero:
                    if (!std::isfinite(c.numero))
                        std::abort();
                    algo = true;
                    break;
                case CelulaPlanilha::Tipo::Texto:
                    if (c.texto.isEmpty() || c.texto.size() > livros::kMaiorTextoCelula)
                        std::abort();
                    algo = true;
                    break;
                }
            }
            if (!algo)
                std::abort();
        }
    }
    if (celulas > livros::kMaisCelulas)
        std::abort();
}

// Where an input that a reader takes by its file name is written: in
// memory where there is such a folder.
inline QString pastaFuzz()
{
    return QFile::exists(QStringLiteral("/dev/shm")) ? QStringLiteral("/dev/shm") : QDir::tempPath();
}

}  // namespace pluvexa::fuzz
