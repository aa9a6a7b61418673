#pragma once

// An export format: the holders of the loaded file written as a file that
// another program reads. Each format is one class; the window's export flow
// and the command line only pick one and call exporta(). A new format (a
// payroll layout, another spreadsheet) is a new class beside exportacsv.h.

#include "files/core/falha.h"
#include "recharge/modelo.h"

#include <QString>
#include <string>

namespace pluvexa {

class FormatoExportacao {
public:
    virtual ~FormatoExportacao() = default;
    // The file chooser's filter for this format ("Planilha (*.csv)").
    virtual QString filtro() const = 0;
    // The name's ending that marks the format (".csv").
    virtual QString extensao() const = 0;
    // The whole file's bytes for `modelo`.
    virtual std::string gera(const ModeloRecarga& modelo) const = 0;
};

// Writes `formato`'s file for `modelo` through the file layer: nothing
// half-written stands under `destino`. False, with `erro` (when given)
// naming the failed step, when the file could not be written.
bool exporta(const FormatoExportacao& formato, const ModeloRecarga& modelo, const QString& destino,
             QString* erro = nullptr);
// The same with the failure as data (the windows' words: textoJanela()).
bool exporta(const FormatoExportacao& formato, const ModeloRecarga& modelo, const QString& destino,
             FalhaArquivo* falha);

}  // namespace pluvexa
