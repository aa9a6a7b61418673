#pragma once

// The little the program remembers between runs, per user: where the main
// window was and how wide the operator made the grid's columns. Kept in an
// INI file in the user's configuration folder on every system, so that it
// can be read, copied or deleted by hand. Nothing else is read from it.

#include <QRect>
#include <QVector>
#include <optional>

namespace pluvexa {

class Configuracao {
public:
    // The main window's last geometry (its client area), if one was kept.
    static std::optional<QRect> geometriaPrincipal();
    static void guardaGeometriaPrincipal(const QRect& geometria);

    // Widths in pixels by grid column; 0 where the operator never set one.
    static QVector<int> largurasGrade();
    static void guardaLargurasGrade(const QVector<int>& larguras);
};

}  // namespace pluvexa
