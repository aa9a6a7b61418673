#pragma once

namespace pluvexa {

// Runs the desktop program: splash, main window, background, message loop.
int executaPluvexa(int& argc, char** argv);

}  // namespace pluvexa
