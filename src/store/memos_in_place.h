// The one road by which memos from elsewhere (a restored backup, an imported file) take the
// place of the running ones: each memo of the same id is updated where it stands, through the
// same one-memo restore that the start-up load and sync use, a memo no longer there is
// destroyed, and a new one made.
#pragma once

#include "macro_memos/macro_expander.h"
#include "store/program_state.h"
#include "store/stored_state.h"

#include <vector>

namespace petarino::store {

// The table ends holding the memos given, in their order, as many as it has room for.
void PutMemosInPlace(const std::vector<StoredMemo>& memos, const ProgramState& state,
                     MacroExpander& expander, int pixelsPerInch);

} // namespace petarino::store
