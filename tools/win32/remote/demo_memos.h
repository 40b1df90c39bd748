// The sample memos of a demonstration run: one of each title layout, a clock among them.
#pragma once

#include "memo_store.h"

#include <vector>

namespace petarino::remote {

std::vector<StoredMemo> DemoMemos();

} // namespace petarino::remote
