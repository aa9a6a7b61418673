#pragma once

// What a work window needs from the program around it: the dialogs, the
// recharge model and the main window's status panels. Tests build one with
// a scripted Interaction and their own model.

#include <QString>
#include <algorithm>
#include <functional>

namespace pluvexa {

class Interaction;
class ModeloRecarga;

struct AppContext {
    Interaction* interaction = nullptr;
    ModeloRecarga* modelo = nullptr;
    // Progress text of the main window's status panel 1; may be empty.
    std::function<void(const QString&)> setStatus;
    // The tip of status panel 1 (a path too long to show); may be empty.
    std::function<void(const QString&)> setStatusTip;
    // Any other status panel by its index (2 to 4 name the open file); may
    // be empty.
    std::function<void(int, const QString&)> setPanel;

    void status(const QString& text, const QString& tip = {}) const
    {
        if (setStatus)
            setStatus(text);
        if (setStatusTip)
            setStatusTip(tip);
    }
    void painel(int indice, const QString& text) const
    {
        if (setPanel)
            setPanel(indice, text);
    }
    // "Arquivo gravado: <name>" in panel 1, the whole path as its tip: what a
    // successful save says instead of another box to close.
    void arquivoGravado(const QString& caminho) const;
};

inline void AppContext::arquivoGravado(const QString& caminho) const
{
    const qsizetype barra = std::max(caminho.lastIndexOf(QLatin1Char('/')), caminho.lastIndexOf(QLatin1Char('\\')));
    status(QStringLiteral("Arquivo gravado: ") + caminho.mid(barra + 1), caminho);
}

}  // namespace pluvexa
