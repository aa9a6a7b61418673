#pragma once

// Whose the bring-to-front channel is. A second start that finds the lock
// held asks the first program, through a local socket, to come to the
// front, and ends without a word. Under a name anyone may take (the
// temporary folder is everyone's), another user listening there would
// silence every start; so the socket goes to the user's own runtime folder
// where there is one, and the second program speaks only to a listener of
// its own user.

#include <QString>
#include <QtGlobal>

namespace pluvexa::canal {

// The user's runtime folder (XDG_RUNTIME_DIR) when it is a folder of this
// user's alone: owned by it, mode 0700, not a link. Empty otherwise, and
// always on Windows, whose local sockets are named pipes.
QString pastaDoUsuario();

// Whether the program at the other end of the connected local socket
// `descritor` (QLocalSocket::socketDescriptor()) runs as this user: the
// system's peer credentials (SO_PEERCRED, getpeereid; the pipe server's
// process token on Windows). False when they cannot be learnt.
bool doMesmoUsuario(qintptr descritor);

}  // namespace pluvexa::canal
