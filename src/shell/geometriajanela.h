#pragma once

// Where and how large the main window opens: the first time, the whole
// available area of the primary screen; afterwards the remembered place,
// brought back onto a screen when the screens have changed since, never
// more than the screen's available area nor less than the designed size
// where the screen allows it.

#include <QList>
#include <QRect>
#include <QSize>
#include <optional>

namespace pluvexa {

// The designed size of the main window's client area, its smallest.
inline constexpr QSize kTamanhoProjetado{739, 533};

// Room left around the smallest client area for a window manager's frame
// and title bar: a minimum as large as the whole area pushes the title bar
// or the status bar off the screen (1366x768 at 150 % leaves 910x512).
inline constexpr QSize kMoldura{16, 48};

// The smallest size on an area: the designed one, cut to the area less the
// frame's room.
QSize tamanhoMinimo(const QRect& disponivel);

// `desejado`, no smaller than the minimum and no larger than the area,
// centred on the area.
QRect geometriaAbertura(const QSize& desejado, const QRect& disponivel);

// A remembered geometry as it can be shown on the screens' available areas
// (`disponiveis`, the primary first): kept where it was when enough of it
// (its top edge, where the caption is) lies on one area, otherwise centred
// on the primary one; in either case no larger than that area and, when
// kept, moved just enough to lie wholly on it.
QRect recolocaNaTela(const QRect& guardada, const QList<QRect>& disponiveis);

// The main window's geometry at start: the remembered one as
// recolocaNaTela shows it, or, with nothing remembered, the primary
// screen's whole available area (`disponiveis` first). An empty list of
// areas leaves a remembered geometry as it was, and gives an empty one
// otherwise.
QRect geometriaInicial(const std::optional<QRect>& guardada, const QList<QRect>& disponiveis);

}  // namespace pluvexa
