// Makes memo windows for the table, so the table needs no window system of its own.
#pragma once

#include "memos/memo.h"
#include "memos/memo_geometry.h"

#include <optional>

namespace petarino {

class MemoFactory {
public:
    virtual ~MemoFactory() = default;

    // A hidden memo window with the defaults of a new one, owned by the properties window
    // and freed by its own Close or with that window, made at `at` when given (the bounds a
    // load is about to restore, so the window is not made once more over). Throws when none
    // can be made.
    virtual Memo& NewMemo(const std::optional<Bounds>& at) = 0;
};

} // namespace petarino
