#pragma once

// Which page of the manual F1 opens: the one about the window, and page of
// it, the operator is looking at. Windows and pages are known by their
// object names; anything else opens the manual's first page.

#include <QString>
#include <QUrl>

class QWidget;

namespace pluvexa {

// The manual's page (relative to its first page, "digitar.html#grade")
// for a work window and the page it shows (empty for a window of one page).
QUrl paginaAjuda(const QString& janela, const QString& pagina);

// The same for a work window as it stands: its name, and the current page of
// its page control ("PageControl1") when it has one.
QUrl paginaAjuda(const QWidget* janela);

}  // namespace pluvexa
