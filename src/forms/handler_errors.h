// Nothing a handler throws leaves a window procedure: it goes to a report, and the message's
// answer is 0. Not the default handling: for WM_CLOSE that would destroy the window the failed
// handler meant to keep, and 0 refuses an end-of-session query.
#pragma once

#include <windows.h>
#include <exception>
#include <string_view>

namespace petarino::forms {

inline constexpr std::string_view kUnknownError = "予期しないエラーが発生しました";

// `report(std::string_view)` shows the message; what it throws itself has nobody left to go to.
template <typename Handler, typename Report>
LRESULT ReportingErrors(Handler&& handler, Report&& report) noexcept {
    try {
        try {
            return handler();
        } catch (const std::exception& error) {
            report(std::string_view(error.what()));
        } catch (...) {
            report(kUnknownError);
        }
    } catch (...) {
    }
    return 0;
}

} // namespace petarino::forms
