// An in-memory status list that behaves as the list box does: replacing the rows drops
// the selection, and selecting a row that does not exist selects nothing.
#pragma once

#include "memos/status_list.h"

#include <vector>

namespace petarino {

class FakeStatusList final : public StatusList {
public:
    int SelectedRow() const override { return selected_; }
    void SelectRow(int row) override;
    void ReplaceRows(std::span<const MemoText> rows) override;

    const std::vector<MemoText>& Rows() const { return rows_; }

private:
    std::vector<MemoText> rows_;
    int selected_ = -1;
};

} // namespace petarino
