#include "testing/in_memory_memo_factory.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace petarino {

InMemoryMemo& InMemoryMemoFactory::NewMemo(const std::optional<Bounds>& at) {
    if (std::exchange(failNext_, false)) throw std::runtime_error("no memo window");
    auto memo = std::make_unique<InMemoryMemo>([this](InMemoryMemo& closed) {
        std::erase_if(live_, [&](const auto& owned) { return owned.get() == &closed; });
    });
    if (at) memo->SetBounds(at->left, at->top, at->width, at->height);
    ++made_;
    return *live_.emplace_back(std::move(memo));
}

bool InMemoryMemoFactory::IsLive(const Memo* memo) const {
    return std::any_of(live_.begin(), live_.end(),
                       [&](const auto& owned) { return owned.get() == memo; });
}

} // namespace petarino
