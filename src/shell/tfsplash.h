#pragma once

// The window shown while the program starts: the product picture, the module
// name and a progress gauge that start-up drives.

#include <QWidget>

class QLabel;
class QProgressBar;

namespace pluvexa {

class Tfsplash : public QWidget {
    Q_OBJECT
public:
    explicit Tfsplash(QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* Label4 = nullptr;   // module name
    QLabel* Label1 = nullptr;   // "Processando. Aguarde ...", hidden
    QProgressBar* CGauge1 = nullptr;
};

}  // namespace pluvexa
