// Makes InMemoryMemos and frees each one when it is closed, as the window system frees a
// closed memo window; what is left goes with the factory.
#pragma once

#include "memos/memo_factory.h"
#include "testing/in_memory_memo.h"

#include <memory>
#include <vector>

namespace petarino {

class InMemoryMemoFactory final : public MemoFactory {
public:
    InMemoryMemo& NewMemo(const std::optional<Bounds>& at) override;

    // The next NewMemo throws, as a window that cannot be created does.
    void FailNextMemo() { failNext_ = true; }
    int MemosMade() const { return made_; }
    // Made and not yet closed.
    bool IsLive(const Memo* memo) const;
    int LiveMemos() const { return static_cast<int>(live_.size()); }

private:
    std::vector<std::unique_ptr<InMemoryMemo>> live_;
    int made_ = 0;
    bool failNext_ = false;
};

} // namespace petarino
