#pragma once

// The desktop program's start, which main() calls and nothing else: the
// home folder and the single instance checked, the windows built in order
// behind the splash, and the last resort for what a handler let through.

namespace pluvexa {

// Runs the desktop program: splash, main window, about box, background
// window, then the message loop until the main window closes. 1 when the
// home folder's name cannot be used; otherwise 0, also when the program
// already running was brought to the front instead.
int executaPluvexa(int& argc, char** argv);

}  // namespace pluvexa
