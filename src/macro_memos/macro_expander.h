// Regenerates a macro memo's shown text from its source; the properties window runs it
// for every memo on every tick and for each macro memo as the store loads it.
#pragma once

#include "macro/macro_replacements.h"
#include "memos/memo.h"
#include "platform/window_system.h"

namespace petarino {

class MacroExpander {
public:
    MacroExpander(const MacroServices& services, platform::WindowSystem& windows)
        : services_(services), windows_(windows) {}

    // A memo that is not read-only is left alone. A date that does not parse stops the
    // host's timer, then shows the error; the memo keeps the text it had.
    void ExpandMacros(Memo& memo, MacroHost& host);

private:
    MacroServices services_;
    platform::WindowSystem& windows_;
};

} // namespace petarino
