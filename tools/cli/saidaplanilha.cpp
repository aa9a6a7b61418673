#include "saidaplanilha.h"

#include "cli.h"

#include <cstdio>

namespace pluvexa::cli {

std::optional<int> confereSaidaPlanilha(const char* comando, const char* qual, const QString& saida,
                                        FormatoPlanilha& formato)
{
    if (const std::optional<FormatoPlanilha> f = formatoDoNome(saida)) {
        formato = *f;
        return std::nullopt;
    }
    std::fprintf(stderr, "pluvexa-cli %s: %s must end in .xlsx, .ods or .csv\n", comando, qual);
    return UsoErrado;
}

int gravaSaidaPlanilha(const TabelaSaida& tabela, FormatoPlanilha formato, const QString& saida)
{
    QString erro;
    if (!gravaTabela(tabela, formato, saida, &erro))
        return falha(erro);
    return Sucesso;
}

}  // namespace pluvexa::cli
