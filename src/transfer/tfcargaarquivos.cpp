#include "transfer/tfcargaarquivos.h"

namespace pluvexa {

Tfcargaarquivos::Tfcargaarquivos(const AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx)
{
    setWindowTitle(QStringLiteral("Cargas de Arquivos"));
    setAccessibleName(windowTitle());
}

}  // namespace pluvexa
