#include "maintenance/tfcadrecarga.h"

namespace pluvexa {

Tfcadrecarga::Tfcadrecarga(const AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx)
{
    setWindowTitle(QStringLiteral("Cadastro Pluvexa"));
    setAccessibleName(windowTitle());
}

}  // namespace pluvexa
