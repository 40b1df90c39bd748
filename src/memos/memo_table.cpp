#include "memos/memo_table.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace petarino {
namespace {

// Title strip on the right, vertical writing.
constexpr int32_t kTitleBarOfCreatedMemo = 2;

std::string StatusRow(const Memo& memo) {
    return (memo.Visible() ? "○" : "×") + std::string(" - ") + memo.Hint();
}

} // namespace

MemoTable::MemoTable(MemoFactory& factory, StatusList& statusList, platform::WindowSystem& windows,
                     std::function<std::string()> newId)
    : factory_(factory), statusList_(statusList), windows_(windows), newId_(std::move(newId)) {}

Memo& MemoTable::Memos(int slot) const {
    if (!Occupied(slot)) throw std::out_of_range("no memo in slot " + std::to_string(slot));
    return *At(slot);
}

std::optional<int> MemoTable::SlotHolding(const Memo* memo, std::string_view id) const {
    for (int slot = 0; slot <= maxForm_; ++slot)
        if (At(slot) == memo && At(slot)->Sync().id == id) return slot;
    return std::nullopt;
}

bool MemoTable::Holds(const Memo& memo, std::string_view id) const {
    return SlotHolding(&memo, id).has_value();
}

Memo* MemoTable::CreateMemo() {
    Memo* memo = AddHidden(std::nullopt);
    if (!memo) {
        windows_.ShowMessageBox("これ以上メモを作成できません。メモは101枚までです。", "ペタリノ",
                                platform::MessageBoxStyle::Ok |
                                    platform::MessageBoxStyle::IconInformation);
        return nullptr;
    }
    memo->SetTitleBar(kTitleBarOfCreatedMemo);
    memo->SetVisible(true);
    RefreshStatusList();
    return memo;
}

Memo* MemoTable::AddHidden(const std::optional<Bounds>& at) {
    if (maxForm_ + 1 >= kSlots) return nullptr;
    Memo& memo = factory_.NewMemo(at);
    ++maxForm_;
    Put(maxForm_, &memo);
    memo.SetTag(maxForm_);
    if (newId_) memo.SetSync({newId_(), "", ""});
    return &memo;
}

void MemoTable::DestForm(int slot) {
    if (!Occupied(slot)) return;
    Memo* closing = At(slot);
    // Out of the table before it closes: whatever the close runs never meets it there.
    if (slot != maxForm_) {
        Memo* last = At(maxForm_);
        Put(slot, last);
        last->SetTag(slot);
    }
    Put(maxForm_, nullptr);
    --maxForm_;
    closing->Close();
    RefreshStatusList();
}

void MemoTable::Arrange(const std::vector<Memo*>& first) {
    std::vector<Memo*> order;
    for (Memo* memo : first)
        if (SlotOf(memo) >= 0 && std::ranges::find(order, memo) == order.end())
            order.push_back(memo);
    for (int slot = 0; slot <= maxForm_; ++slot)
        if (std::ranges::find(order, At(slot)) == order.end()) order.push_back(At(slot));
    for (int slot = 0; slot <= maxForm_; ++slot) {
        Put(slot, order[static_cast<size_t>(slot)]);
        At(slot)->SetTag(slot);
    }
    RefreshStatusList();
}

void MemoTable::ConfirmAndDestroy(int slot) {
    if (!Occupied(slot)) return;
    const Memo* memo = At(slot);
    const std::string id = memo->Sync().id;
    const int answer = windows_.ShowMessageBox(
        "この「" + memo->Hint() + "」を破棄しますか？", "ペタリノの破棄",
        platform::MessageBoxStyle::YesNo | platform::MessageBoxStyle::IconQuestion);
    if (answer != platform::DialogResult::Yes) return;
    // The box ran a message loop: the memo may have moved to another slot meanwhile, or be
    // gone, with another made in its place.
    if (const auto now = SlotHolding(memo, id)) DestForm(*now);
}

void MemoTable::RefreshStatusList() {
    // The list box keeps a row number; the memo of that row is the one the user chose, and
    // after any change of the table it may stand on another row, or on none.
    const RowMemo selected = MemoOfRow(statusList_.SelectedRow());
    std::vector<std::string> rows;
    rowMemos_.clear();
    for (int slot = 0; slot <= maxForm_; ++slot)
        if (!listed_ || listed_(*At(slot))) {
            rows.push_back(StatusRow(*At(slot)));
            rowMemos_.push_back({At(slot), At(slot)->Sync().id});
        }
    statusList_.ReplaceRows(rows);
    statusList_.SelectRow(RowOf(selected));
}

void MemoTable::SetStatusFilter(std::function<bool(const Memo&)> listed) {
    listed_ = std::move(listed);
    RefreshStatusList();
}

int MemoTable::SlotOfRow(int row) const {
    const RowMemo memo = MemoOfRow(row);
    return memo.memo ? SlotHolding(memo.memo, memo.id).value_or(-1) : -1;
}

MemoTable::RowMemo MemoTable::MemoOfRow(int row) const {
    return row >= 0 && row < std::ssize(rowMemos_) ? rowMemos_[static_cast<size_t>(row)]
                                                   : RowMemo{};
}

int MemoTable::RowOf(const RowMemo& memo) const {
    // The rows were listed at the last refresh: each of their memos is live.
    const auto row = std::ranges::find_if(rowMemos_, [&](const RowMemo& listed) {
        return memo.memo && listed.memo == memo.memo && listed.id == memo.id;
    });
    return row != rowMemos_.end() ? static_cast<int>(row - rowMemos_.begin()) : -1;
}

Memo* MemoTable::ShowRow(int row) {
    const int slot = SlotOfRow(row);
    if (!Occupied(slot)) return nullptr;
    Memo& memo = *At(slot);
    memo.SetVisible(true);
    statusList_.SelectRow(row);
    RefreshStatusList();
    return &memo;
}

void MemoTable::ToggleSelected() {
    const int slot = SlotOfRow(statusList_.SelectedRow());
    if (Occupied(slot)) {
        Memo& memo = *At(slot);
        memo.SetVisible(!memo.Visible());
    }
    RefreshStatusList();
}

void MemoTable::DestroySelected() {
    const int slot = SlotOfRow(statusList_.SelectedRow());
    if (Occupied(slot)) ConfirmAndDestroy(slot);
}

void MemoTable::StatusListMouseUp(platform::ShiftState shift) {
    using platform::ShiftState;
    if (shift == ShiftState{ShiftState::Shift})
        ToggleSelected();
    else if (shift == ShiftState{ShiftState::Ctrl})
        DestroySelected();
}

int MemoTable::SlotOf(const Memo* memo) const {
    for (int slot = 0; slot <= maxForm_; ++slot)
        if (At(slot) == memo) return slot;
    return -1;
}

} // namespace petarino
