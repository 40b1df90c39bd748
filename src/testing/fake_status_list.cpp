#include "testing/fake_status_list.h"

namespace petarino {

void FakeStatusList::SelectRow(int row) {
    selected_ = row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
}

void FakeStatusList::ReplaceRows(std::span<const MemoText> rows) {
    rows_.assign(rows.begin(), rows.end());
    selected_ = -1;
}

} // namespace petarino
