// Every way a user or the system asks Petarino to end.
#pragma once

#include "running_petarino.h"

#include <future>
#include <ostream>

namespace petarino::e2e {

enum class CloseRoute {
    TrayMenu,          // "終了(&X)" in the notification icon's menu
    ExitButton,        // "終了(&X)" on the properties window
    CloseBox,          // the properties window's close box or system menu
    ApplicationWindow, // a close request to the hidden application window
    EndOfSession,      // the system's query and end of session at logoff or shutdown
};

std::ostream& operator<<(std::ostream& out, CloseRoute route);

// Asks for the close and returns while the program may still be asking its user; the result
// is the system's answer for the end of the session and true for the other routes once the
// request was made.
std::future<bool> RequestClose(const RunningPetarino& petarino, CloseRoute route);

} // namespace petarino::e2e
