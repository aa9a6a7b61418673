#pragma once

// The maintenance window: one recharge file is processed, edited and answered
// here. Opened by the main window's tree as a maximised child.

#include "ui/appcontext.h"

#include <QWidget>

namespace pluvexa {

class Tfcadrecarga : public QWidget {
    Q_OBJECT
public:
    explicit Tfcadrecarga(const AppContext& ctx, QWidget* parent = nullptr);

private:
    AppContext m_ctx;
};

}  // namespace pluvexa
