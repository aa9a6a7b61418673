#pragma once

// The little the program remembers between runs, per user: where the main
// window was, how wide the operator made the grid's columns, the review's
// variation limit, the folder each kind of saved file last went to, and
// the import's choices (its chooser's folder and filter, the columns
// mapped for a spreadsheet's header).
// Kept in an
// INI file in the user's configuration folder on every system, so that it
// can be read, copied or deleted by hand. Nothing else is read from it.

#include <QRect>
#include <QString>
#include <QVector>
#include <optional>

namespace pluvexa {

class Configuracao {
public:
    // The file: Drovanti/Pluvexa.ini in the user's configuration folder
    // (XDG_CONFIG_HOME, else ~/.config; %APPDATA% on Windows). When it, or
    // the ".lock" Qt takes beside it to write, is anything but a regular
    // file of a few KiB (a FIFO, a link, a folder), nothing is read from it
    // or kept in it: the defaults apply.
    static QString arquivo();

    // The main window's last geometry (its client area), if one was kept.
    static std::optional<QRect> geometriaPrincipal();
    static void guardaGeometriaPrincipal(const QRect& geometria);

    // Widths in pixels by grid column; 0 where the operator never set one.
    static QVector<int> largurasGrade();
    static void guardaLargurasGrade(const QVector<int>& larguras);

    // The review's variation limit in percent; the default when none was
    // kept or the kept one is not a whole number from 1 to 1000.
    static int limiteConferencia();
    static void guardaLimiteConferencia(int limite);

    // The folder kept under `chave` ("Pastas/<kind>", flows/arquivossalvos.h)
    // for the save chooser of a kind; empty when none was kept or the key
    // is not one of those.
    static QString pastaSalva(const QString& chave);
    static void guardaPastaSalva(const QString& chave, const QString& pasta);

    // What the import keeps under `chave` ("Importacao/...": the open
    // chooser's folder and filter, the columns mapped for a spreadsheet's
    // header; flows/fluxoimportacao.h); empty for any other key.
    static QString importacao(const QString& chave);
    static void guardaImportacao(const QString& chave, const QString& valor);
};

}  // namespace pluvexa
