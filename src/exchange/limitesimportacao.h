#pragma once

// What an external file may be before the import takes it. A payroll file
// of 10,000 holders is well under a megabyte; a file of millions of empty
// lines, or one endless row, would hold every line's log and result in
// memory until the program fails and the operator's unsaved values with it.
// So such a file is refused before anything is logged, and the log's
// folder is checked before anything is imported.

#include "files/core/falha.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace pluvexa {

inline constexpr std::int64_t kMaiorImportacao = 16 * 1024 * 1024;
inline constexpr std::int64_t kMaisLinhasImportacao = 100000;
// Result lines kept for the report; the log has them all.
inline constexpr int kMaisLinhasRelatorio = 10000;

struct RecusaImportacao {
    enum Motivo { GrandeDemaisBytes, GrandeDemaisLinhas, PastaLog, ArquivoLog } motivo;
    std::int64_t quantidade = 0;  // bytes or lines
    QString caminho;              // the log folder (PastaLog) or the log (ArquivoLog)
    pluvexa::Motivo razao;        // why it could not be made, for PastaLog and ArquivoLog

    // For the operator: "Arquivo grande demais: <n> linhas (máximo 100.000)",
    // "… <n> MB (máximo 16 MB)", "Não foi possível criar a pasta de log …",
    // "Não foi possível criar o log da operação …".
    QString texto() const;
    // For the command line, in English.
    QString textoIngles() const;
};

// The refusal of `nomeArquivo` as too large, reading at most one byte more
// than the limit; nothing when it may be imported (a file that cannot be
// read is the run's to report).
std::optional<RecusaImportacao> grandeDemais(const QString& nomeArquivo);

// Makes the log folder; nothing when it stands and can take the log, else
// why not.
std::optional<RecusaImportacao> preparaPastaLog(const QString& pasta);

}  // namespace pluvexa
