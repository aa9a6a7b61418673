#pragma once

// A report form in the print preview, from which the operator prints it or
// saves the same pages as PDF. Returns when the preview is closed.

#include <QString>
#include <functional>

namespace pluvexa {

class Interaction;
class Tfrepgeral;

// `sugestaoPdf`: the path the "Salvar PDF" dialog proposes. `aoGravar`,
// when given, is told the path of every PDF saved.
void visualizaRelatorio(Tfrepgeral& form, const QString& sugestaoPdf, Interaction& ui,
                        const std::function<void(const QString&)>& aoGravar = {});

}  // namespace pluvexa
