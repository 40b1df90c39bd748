// Makes memo windows for the table, so the table needs no window system of its own.
#pragma once

#include "memos/memo.h"

namespace petarino {

class MemoFactory {
public:
    virtual ~MemoFactory() = default;

    // A hidden memo window with the defaults of a new one, owned by the properties window
    // and freed by its own Close or with that window. Throws when none can be made.
    virtual Memo& NewMemo() = 0;
};

} // namespace petarino
