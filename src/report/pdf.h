#pragma once

// Saving a report as PDF. The file appears under its final name only once
// it is complete: a failure leaves whatever was there before.

#include "report/report.h"

#include <QString>

namespace pluvexa::report {

// Draws `doc` of `report` into the PDF file `path`. False with `error` set
// when the file cannot be written: the system's reason when it cannot even
// be created (the caller names the file), else the file layer's message.
bool writePdf(const Report& report, const Document& doc, const QString& path, QString* error = nullptr);

}  // namespace pluvexa::report
