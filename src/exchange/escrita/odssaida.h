#pragma once

// A table as an OpenDocument spreadsheet (.ods, LibreOffice Calc's own),
// built in memory: the zip container through QuaZip, its XML parts through
// Qt's stream writer. One sheet; the header row bold and frozen in place
// (the view settings Calc reads); codes as text cells; numbers as floats
// shown as #,##0.00 (money) or #,##0 (credits); columns as wide as their
// content. The package holds, in this order, "mimetype" (first and stored,
// so that a reader knows the kind from the first bytes), content.xml,
// styles.xml, settings.xml and META-INF/manifest.xml.

#include "exchange/escrita/tabelasaida.h"

#include <QByteArray>

namespace pluvexa {

// The file's bytes; empty when the container could not be made.
QByteArray odsDaTabela(const TabelaSaida& tabela);

}  // namespace pluvexa
