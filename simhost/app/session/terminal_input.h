// The session at a terminal: GNU readline with line editing, history and Tab
// completion of command names and their first argument where the build has
// readline; plain line reading elsewhere (Windows).
#pragma once

#include "session/session.h"

namespace simhost_app {

// Reads and runs lines until end of input (Ctrl+D) or quit. One terminal
// session at a time.
void RunAtTerminal(Session& session);

}  // namespace simhost_app
