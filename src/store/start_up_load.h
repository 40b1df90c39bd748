// The start-up load's second half: what was read goes into the clock, the settings and new
// memo windows, in the order of the layout, each memo shown or hidden last. Macro memos are
// expanded as soon as their source is in, and may show the macro error.
#pragma once

#include "macro_memos/macro_expander.h"
#include "store/program_state.h"
#include "store/stored_state.h"

namespace petarino::store {

// The memos go into the table's next slots, as many as it has room for. Throws what a memo
// window that cannot be made throws; the memos restored before it stay.
void LoadStoredState(const StoredState& stored, const ProgramState& state, MacroExpander& expander,
                     int pixelsPerInch);

// One memo's values onto a memo, a new window or one shown with other values: a value the
// key lacks leaves the memo's as it is, but for those whose absence is a value (the layout's
// default bounds, an empty text, no alarm, no sync versions or base). A macro source makes the memo
// read-only and expanded, which may show the macro error; a plain text leaves read-only mode.
void RestoreMemo(const StoredMemo& stored, Memo& memo, MacroExpander& expander, MacroHost& host,
                 int pixelsPerInch);

} // namespace petarino::store
