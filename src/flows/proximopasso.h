#pragma once

// What the LOG page says above the log once an answer is written: which
// file, where, and that it still has to reach the central on a disk.

#include <QString>

namespace pluvexa {

// "Resposta <resposta> gravada em <pasta>. Próximo passo: Carga Arquivos,
// para copiar para o disco." `pasta` as the operator reads it.
QString textoProximoPasso(const QString& resposta, const QString& pasta);

}  // namespace pluvexa
