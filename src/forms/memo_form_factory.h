// Makes the memo windows for the memo table and keeps track of those still open, which go
// with the factory (the properties window owns it).
#pragma once

#include "forms/memo_window.h"
#include "forms/memo_window_owner.h"
#include "memos/memo_factory.h"

#include <windows.h>
#include <cstdint>
#include <vector>

namespace petarino::forms {

class MemoFormFactory final : public MemoFactory {
public:
    // `application` is the hidden window that owns every window of the program; `owner`
    // serves what the memo windows ask of the rest. Both outlive the factory.
    MemoFormFactory(HWND application, MemoWindowOwner& owner);
    MemoFormFactory(const MemoFormFactory&) = delete;
    MemoFormFactory& operator=(const MemoFormFactory&) = delete;
    ~MemoFormFactory() override;

    // Hidden, with a client of 318 × 93 at 96 dots per inch scaled with the screen's density,
    // where the window system would place a new window; or at `at`. Either way it takes a
    // place in the cascade, so new memos go where they went before.
    TMemoForm& NewMemo(const std::optional<Bounds>& at = std::nullopt) override;
    int LiveMemos() const { return static_cast<int>(live_.size()); }

private:
    friend class TMemoForm;
    void Forget(const TMemoForm& form);
    Bounds CascadeBounds() const;

    HWND application_;
    MemoWindowOwner& owner_;
    SIZE newMemoSize_;
    int32_t cascadeStep_;
    int64_t made_ = 0;
    std::vector<TMemoForm*> live_;
};

} // namespace petarino::forms
