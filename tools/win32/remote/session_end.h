// The end of the user's session as the system announces it to a program.
#pragma once

#include <windows.h>

namespace petarino::remote {

// Asks every top-level window of the process whether the session may end
// (WM_QUERYENDSESSION), stopping at the first no, then tells the windows asked whether it ends
// (WM_ENDSESSION). Blocks while the program asks its user; true when the program agreed.
bool EndSession(DWORD processId);

} // namespace petarino::remote
