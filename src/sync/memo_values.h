// A memo as the values of its registry key, without the registry: what a save would write,
// and what the load would make of such values. A memo file carries exactly these, so a memo
// travels between PCs as it lies in each one's store.
#pragma once

#include "memos/memo.h"
#include "platform/kernel.h"
#include "store/store_snapshot.h"
#include "store/stored_state.h"

#include <vector>

namespace petarino::sync {

// Every value a save writes for the memo, in the save's order.
// A text the code page cannot hold is kept as the registry keeps it, with its wide form.
std::vector<store::NamedValue> MemoKeyValues(const Memo& memo, int pixelsPerInch,
                                             platform::Kernel& kernel);

// The values read as the load reads a memo key; a value the load cannot use is absent.
store::StoredMemo StoredMemoOf(const std::vector<store::NamedValue>& values,
                               platform::Kernel& kernel);

} // namespace petarino::sync
