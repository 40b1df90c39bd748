// Regenerates a macro memo's shown text from its source; the properties window runs it
// for every memo on every tick and for each macro memo as the store loads it.
#pragma once

#include "macro/macro_replacements.h"
#include "memos/memo.h"
#include "memos/memo_text_code_page.h"
#include "platform/window_system.h"

#include <unordered_map>

namespace petarino {

class MacroExpander {
public:
    MacroExpander(const MacroServices& services, platform::WindowSystem& windows)
        : services_(services), windows_(windows) {}

    // A memo that is not read-only is left alone. A date that does not parse stops the
    // host's timer, then shows the error; the memo keeps the text it had.
    void ExpandMacros(Memo& memo, MacroHost& host);

private:
    // The source as the engine reads it, made once for each source: a tick reads every clock's
    // source, which changes only when the user writes another.
    const Cp932View& SourceOf(const MemoText& macroText);

    MacroServices services_;
    platform::WindowSystem& windows_;
    std::unordered_map<MemoText, Cp932View> sources_;
};

} // namespace petarino
