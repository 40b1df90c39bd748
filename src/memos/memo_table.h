// The table of memo windows that the properties window owns. Slots 0..MaxForm hold
// distinct live memos, the memo in slot i has tag i, and the order of the slots is the
// order of everything that walks the memos: the store, the status list, the tick and the
// export.
#pragma once

#include "memos/memo.h"
#include "memos/memo_factory.h"
#include "memos/status_list.h"
#include "platform/shift_state.h"
#include "platform/window_system.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace petarino {

class MemoTable {
public:
    static constexpr int kSlots = 101;

    // With `newId`, every memo made gets its id at once, so a dialog or a question can tell it
    // from whatever memo takes its place; a store's own id replaces it as the load restores.
    MemoTable(MemoFactory& factory, StatusList& statusList, platform::WindowSystem& windows,
              std::function<std::string()> newId = {});
    MemoTable(const MemoTable&) = delete;
    MemoTable& operator=(const MemoTable&) = delete;

    // The last occupied slot; -1 when there is no memo.
    int MaxForm() const { return maxForm_; }
    // Slots 0..MaxForm only; any other throws std::out_of_range.
    Memo& Memos(int slot) const;
    // Whether the memo is still in the table and still the one of that id: a memo that is gone
    // must not be read, and another may be made where it was (a dialog may outlive the memo it
    // was opened for, and a restore makes every memo anew).
    bool Holds(const Memo& memo, std::string_view id) const;

    // A new memo in the next slot, titled on the right in vertical writing and shown.
    // A full table refuses with a message and changes nothing; the result is then null.
    Memo* CreateMemo();
    // For the start-up load: a hidden memo with the defaults of a new window in the next
    // slot, tag set, made at `at` when given; null when the table is full. MaxForm always
    // names the last memo made, whatever ends the load.
    Memo* AddHidden(const std::optional<Bounds>& at = std::nullopt);
    // Closes the memo in the slot; the last memo takes its place and its tag.
    void DestForm(int slot);
    // The memos given take the first slots in their order, each its tag; the others follow in
    // the order they had. Memos not in the table are passed over.
    void Arrange(const std::vector<Memo*>& first);
    // The memo's destroy command: asks with its title, and destroys it on Yes.
    void ConfirmAndDestroy(int slot);

    // One row per listed memo in slot order, "○ - title" or "× - title". The selection follows
    // its memo to whatever row it has now; when the memo is no longer listed, no row is
    // selected.
    void RefreshStatusList();
    // Which memos the status list shows from now on; every memo when empty. The selected memo
    // stays selected while it is listed.
    void SetStatusFilter(std::function<bool(const Memo&)> listed);
    // The slot of the memo the row stands for since the last refresh; -1 for no such row or a
    // memo that has gone since.
    int SlotOfRow(int row) const;
    // Shows the memo of the row and selects the row; null when there is no such row.
    Memo* ShowRow(int row);
    // Shows or hides the memo of the selected row. The caller gives the keyboard focus back
    // to the properties window.
    void ToggleSelected();
    void DestroySelected();
    // The mouse release on the status list: exactly {Shift} toggles, exactly {Ctrl}
    // destroys. The released button itself is no longer part of the state.
    void StatusListMouseUp(platform::ShiftState shift);

private:
    bool Occupied(int slot) const { return slot >= 0 && slot <= maxForm_; }
    Memo* At(int slot) const { return memos_[static_cast<size_t>(slot)]; }
    void Put(int slot, Memo* memo) { memos_[static_cast<size_t>(slot)] = memo; }
    int SlotOf(const Memo* memo) const;
    std::optional<int> SlotHolding(const Memo* memo, std::string_view id) const;

    // A listed memo, known by its id as well: the pointer alone may be a memo made anew where
    // a destroyed one was.
    struct RowMemo {
        const Memo* memo = nullptr;
        std::string id;
    };
    RowMemo MemoOfRow(int row) const;
    // -1 when the memo is gone or not listed.
    int RowOf(const RowMemo& memo) const;

    MemoFactory& factory_;
    StatusList& statusList_;
    platform::WindowSystem& windows_;
    std::function<std::string()> newId_;
    std::array<Memo*, kSlots> memos_{};
    int maxForm_ = -1;
    std::function<bool(const Memo&)> listed_;
    // The memo of each row: with a filter a row is no longer its memo's slot, and a slot
    // changes its memo when another is destroyed.
    std::vector<RowMemo> rowMemos_;
};

} // namespace petarino
