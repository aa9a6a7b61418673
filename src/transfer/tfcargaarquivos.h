#pragma once

// The disk transfer window: received files in from a disk, answer files out.
// Opened by the main window's tree as a maximised child.

#include "ui/appcontext.h"

#include <QWidget>

namespace pluvexa {

class Tfcargaarquivos : public QWidget {
    Q_OBJECT
public:
    explicit Tfcargaarquivos(const AppContext& ctx, QWidget* parent = nullptr);

private:
    AppContext m_ctx;
};

}  // namespace pluvexa
