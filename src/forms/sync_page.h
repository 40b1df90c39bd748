// The page "同期" of the properties window as the sync engine sees it: what the page shows
// and what its buttons do.
#pragma once

#include <functional>
#include <string>

namespace petarino::forms {

// Any of them may be left empty: the page then shows no folder, or the status kNotSyncing, and
// the button does nothing.
struct SyncPageActions {
    std::function<std::wstring()> folder; // UTF-16, as a folder may be named outside CP932
    std::function<std::string()> status;  // one line, CP932
    std::function<void()> browse, stop, now;
};

inline constexpr char kNotSyncing[] = "同期していません";

} // namespace petarino::forms
