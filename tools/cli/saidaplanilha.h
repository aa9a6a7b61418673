#pragma once

// The spreadsheet outputs of the command line (export's OUT, the --out of
// review and history): the format told by the name's extension, .xlsx,
// .ods or .csv; any other name is a usage error before any work.

#include "exchange/escrita/planilhasaida.h"

#include <QString>
#include <optional>

namespace pluvexa::cli {

// The format of `saida`, or the usage error printed ("pluvexa-cli <comando>:
// <qual> must end in .xlsx, .ods or .csv") and its exit status.
std::optional<int> confereSaidaPlanilha(const char* comando, const char* qual, const QString& saida,
                                        FormatoPlanilha& formato);

// Writes `tabela` under `saida` as `formato` through the file layer:
// Sucesso, or Falha with the reason on standard error.
int gravaSaidaPlanilha(const TabelaSaida& tabela, FormatoPlanilha formato, const QString& saida);

}  // namespace pluvexa::cli
