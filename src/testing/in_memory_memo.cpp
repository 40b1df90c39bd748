#include "testing/in_memory_memo.h"

#include <utility>

namespace petarino {

InMemoryMemo::InMemoryMemo(std::function<void(InMemoryMemo&)> onClose)
    : onClose_(std::move(onClose)) {}

void InMemoryMemo::SetDrag(int32_t x, int32_t y) {
    dragX_ = x;
    dragY_ = y;
}

void InMemoryMemo::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void InMemoryMemo::WriteText(MemoTextView text) {
    text_ = text;
    ++textWrites_;
}

void InMemoryMemo::Close() {
    // The owner may free this memo: nothing of it is touched after the call.
    if (auto onClose = std::exchange(onClose_, nullptr)) onClose(*this);
}

} // namespace petarino
