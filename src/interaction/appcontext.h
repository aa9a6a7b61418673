#pragma once

// What a work window needs from the program around it: the dialogs, the
// recharge model and the main window's status panels. Tests build one with
// a scripted Interaction and their own model.

#include <QString>
#include <functional>

namespace pluvexa {

class Interaction;
class ModeloRecarga;

// What a save chooser writes: each kind opens where the last of its kind
// went, so the month's listing and spreadsheet land beside last month's.
enum class TipoSalvo {
    Listagem,     // the listing of the cards to recharge, as PDF
    Conferencia,  // the review's report, as PDF
    Importacao,   // the import's result report, as PDF
    Planilha,     // the holders and their values, as a spreadsheet
    Historico,    // what the history window saves of kept batches
};

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
    // The folder the save chooser of a kind opens in; may be empty (the
    // chooser then opens in the user's Documents folder).
    std::function<QString(TipoSalvo)> pastaParaSalvar;
    // Told of every file saved, with its kind: the main window remembers
    // its folder for the kind and names the file in its status bar; may be
    // empty.
    std::function<void(TipoSalvo, const QString&)> aoSalvar;

    QString pastaSalvar(TipoSalvo tipo) const { return pastaParaSalvar ? pastaParaSalvar(tipo) : QString(); }
    // What a successful save says instead of another box to close.
    void arquivoGravado(TipoSalvo tipo, const QString& caminho) const
    {
        if (aoSalvar)
            aoSalvar(tipo, caminho);
    }
};

}  // namespace pluvexa
