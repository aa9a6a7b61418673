#pragma once

// The program's application object. An exception that escapes an event
// handler is shown in the application's standard error box and the event
// loop goes on: the operator keeps the open windows and their unsaved work.
// Every event passes through notify(), so this one place covers every
// handler, the ones reached through signals included.

#include <QApplication>

namespace pluvexa {

class Interaction;

// Drops Qt's "QStandardPaths: XDG_RUNTIME_DIR not set, ..." line, which Qt
// prints while the application object is made on a system without a
// runtime folder (a console login, a container): it says nothing the
// operator can act on, and Qt then uses a folder of its own. Every other
// message goes on to the handler installed before. Called before the
// application object is made.
void filtraAvisoPastaExecucao();

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    ~Application() override;

    // Where the error box goes (borrowed; must outlive its use). Without
    // one, a real message box over the active window.
    void setInteraction(Interaction* interaction) { m_interaction = interaction; }
    Interaction* interaction() const { return m_interaction; }

    // The running Application, or null when the application object is
    // another kind.
    static Application* instance();

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void showError(const QString& text);

    Interaction* m_interaction = nullptr;
};

}  // namespace pluvexa
