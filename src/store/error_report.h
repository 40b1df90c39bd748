// The general error report: where every failure that no handler of its own catches ends,
// after which the program goes on.
#pragma once

#include "platform/window_system.h"

#include <string_view>

namespace petarino {

inline constexpr std::string_view kApplicationTitle = "ペタリノ";

// A message box with the message, to which "." is added when its last character sorts
// after "." (a double-byte character always does); the application's title as caption,
// the error icon and OK.
void ReportGeneralError(platform::WindowSystem& windows, std::string_view message);

} // namespace petarino
