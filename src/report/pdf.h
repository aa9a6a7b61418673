#pragma once

// Saving a report as PDF. The file appears under its final name only once
// it is complete: a failure leaves whatever was there before.

#include "files/core/falha.h"
#include "report/report.h"

#include <QString>

namespace pluvexa::report {

// Draws `doc` of `report` into the PDF file `path`. False with `error` set
// (the command line's words) when the file cannot be written: the file
// layer's message, a full disk included, or "the pages could not be drawn".
bool writePdf(const Report& report, const Document& doc, const QString& path, QString* error = nullptr);
// The same with the failure as data, for the windows' words.
bool writePdf(const Report& report, const Document& doc, const QString& path, FalhaArquivo* falha);

}  // namespace pluvexa::report
