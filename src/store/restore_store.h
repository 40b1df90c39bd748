// The start-up load's second half: what was read goes into the clock, the settings and new
// memo windows, in the order of the layout, each memo shown or hidden last. Macro memos are
// expanded as soon as their source is in, and may show the macro error.
#pragma once

#include "clock/expand_macros.h"
#include "store/program_state.h"
#include "store/stored_state.h"

namespace petarino::store {

// The memos go into the table's next slots, as many as it has room for. Throws what a memo
// window that cannot be made throws; the memos restored before it stay.
void RestoreStore(const StoredState& stored, const ProgramState& state, MacroExpander& expander,
                  int pixelsPerInch);

// Only the memos, as RestoreStore makes them: the clock and the settings are left alone.
void RestoreMemos(const std::vector<StoredMemo>& memos, const ProgramState& state,
                  MacroExpander& expander, int pixelsPerInch);

} // namespace petarino::store
