#pragma once

// The program speaks Brazilian Portuguese wherever the operator looks, Qt's
// own dialogs and widgets included (file choosers, print preview, standard
// buttons), whatever the system's language: Qt's own translation is loaded
// from where Qt keeps its translations, and the default locale is pt_BR.

class QCoreApplication;
class QTranslator;

namespace pluvexa {

// Installs Qt's Brazilian Portuguese translation into `app` and makes pt_BR
// the default locale. The translator belongs to `app`; null when the
// translation is not installed (Debian: qt6-translations-l10n), in which
// case Qt's dialogs stay in English and nothing else changes.
QTranslator* instalaPortugues(QCoreApplication& app);

}  // namespace pluvexa
