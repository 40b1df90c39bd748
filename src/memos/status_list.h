// The status list of the properties window: one row per memo it lists, in slot order.
#pragma once

#include "text/memo_text.h"

#include <span>

namespace petarino {

class StatusList {
public:
    virtual ~StatusList() = default;

    // -1 when no row is selected.
    virtual int SelectedRow() const = 0;
    // -1 selects nothing; the caller passes only rows that exist.
    virtual void SelectRow(int row) = 0;
    // The old rows go, and with them the selection.
    virtual void ReplaceRows(std::span<const MemoText> rows) = 0;
};

} // namespace petarino
