#include "files/pastasdistintas.h"

#include "files/identidade.h"
#include "files/pastastrabalho.h"

#include <vector>

namespace pluvexa {

QString recusaPastasRepetidas(const QStringList& pastas)
{
    std::vector<IdentidadeArquivo> ids;
    ids.reserve(std::size_t(pastas.size()));
    for (const QString& p : pastas)
        ids.push_back(identidadeArquivo(p));
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (ids[i].tipo != IdentidadeArquivo::Tipo::Pasta)
            continue;
        for (std::size_t j = i + 1; j < ids.size(); ++j)
            if (ids[i].mesmoObjeto(ids[j]))
                return QStringLiteral("As pastas %1 e %2 são a mesma pasta. Nada foi lido ou gravado.")
                    .arg(caminhoVisivel(pastas[qsizetype(i)]), caminhoVisivel(pastas[qsizetype(j)]));
    }
    return {};
}

QString recusaPastasTrabalhoRepetidas()
{
    return recusaPastasRepetidas(
        {pastaRecebidos(), pastaGerados(), pastaRascunho(), pastaProcessados(), pastaLog(), pastaHistorico()});
}

}  // namespace pluvexa
