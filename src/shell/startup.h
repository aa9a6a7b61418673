#pragma once

namespace pluvexa {

// Runs the desktop program: splash, main window, about box, background
// window, then the message loop until the main window closes. Always 0.
int executaPluvexa(int& argc, char** argv);

}  // namespace pluvexa
