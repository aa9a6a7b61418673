#pragma once

// The text of a PDF file as poppler's pdftotext lays it out (-layout), or
// nothing when pdftotext is not installed; an empty text when it fails.

#include <QString>
#include <optional>

namespace pluvexa::test {

std::optional<QString> textoDoPdf(const QString& pdf);

}  // namespace pluvexa::test
