// GoogleTest prints stored memos field by field, so a failed round trip shows what changed.
#pragma once

#include "memo_store.h"

#include <ostream>

namespace petarino::remote {

void PrintTo(const StoredMemo& memo, std::ostream* out);

} // namespace petarino::remote
