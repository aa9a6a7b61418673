#pragma once

// What a work window needs from the program around it: the dialogs, the
// recharge model and status panel 1 of the main window. Tests build one with
// a scripted Interaction and their own model.

#include <QString>
#include <functional>

namespace pluvexa {

class Interaction;
class ModeloRecarga;

struct AppContext {
    Interaction* interaction = nullptr;
    ModeloRecarga* modelo = nullptr;
    // Progress text of the main window's status panel 1; may be empty.
    std::function<void(const QString&)> setStatus;

    void status(const QString& text) const
    {
        if (setStatus)
            setStatus(text);
    }
};

}  // namespace pluvexa
