#include "forms/memo_see_through.h"

#include "memos/memo_opacity.h"

namespace petarino::forms {

// While opaque the pointer is not followed: it may rest on the memo already when the memo
// turns see-through, and its leaving is no longer asked for when it turns opaque.
void MemoSeeThrough::SetPercent(int32_t percent) {
    percent_ = percent;
    pointer_ = false;
    if (!SeeThrough()) StopTracking();
    const HWND part = SeeThrough() ? PartUnderPointer() : nullptr;
    if (part)
        PointerOver(part);
    else
        Apply();
}

void MemoSeeThrough::StopTracking() {
    if (!tracked_) return;
    TRACKMOUSEEVENT track{.cbSize = sizeof track,
                          .dwFlags = static_cast<DWORD>(TME_CANCEL | TME_LEAVE |
                                                        (trackedNonClient_ ? TME_NONCLIENT : 0)),
                          .hwndTrack = tracked_};
    TrackMouseEvent(&track);
    tracked_ = nullptr;
}

// One request a part: the system then tells its leaving once.
void MemoSeeThrough::PointerOver(HWND part, bool nonClient) {
    if (!SeeThrough()) return;
    if (!pointer_) {
        pointer_ = true;
        Apply();
    }
    if (tracked_ == part && trackedNonClient_ == nonClient) return;
    TRACKMOUSEEVENT track{.cbSize = sizeof track,
                          .dwFlags =
                              static_cast<DWORD>(TME_LEAVE | (nonClient ? TME_NONCLIENT : 0)),
                          .hwndTrack = part};
    if (TrackMouseEvent(&track)) {
        tracked_ = part;
        trackedNonClient_ = nonClient;
    }
}

// Moving from the strip into the text area, the strip reports the pointer gone while it is
// still over the memo: only a pointer outside the whole memo turns it see-through.
void MemoSeeThrough::PointerLeft(HWND part, bool nonClient) {
    if (part == tracked_ && nonClient == trackedNonClient_) tracked_ = nullptr;
    if (!pointer_ || PartUnderPointer()) return;
    pointer_ = false;
    Apply();
}

void MemoSeeThrough::SetKeyboard(bool here) {
    if (keyboard_ == here) return;
    keyboard_ = here;
    Apply();
}

bool MemoSeeThrough::SeeThrough() const {
    return percent_ < kOpaque;
}

HWND MemoSeeThrough::PartUnderPointer() const {
    POINT at;
    if (!GetCursorPos(&at)) return nullptr;
    const HWND under = WindowFromPoint(at);
    return under == window_ || IsChild(window_, under) ? under : nullptr;
}

// Whole while in use, yet still layered: dropping the style would repaint the whole memo at
// every pass of the pointer.
void MemoSeeThrough::Apply() {
    const auto exStyle = GetWindowLongPtrW(window_, GWL_EXSTYLE);
    if (!SeeThrough()) {
        if (exStyle & WS_EX_LAYERED)
            SetWindowLongPtrW(window_, GWL_EXSTYLE, exStyle & ~LONG_PTR{WS_EX_LAYERED});
        return;
    }
    if (!(exStyle & WS_EX_LAYERED))
        SetWindowLongPtrW(window_, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    const int32_t shown = pointer_ || keyboard_ ? kOpaque : percent_;
    SetLayeredWindowAttributes(window_, 0, static_cast<BYTE>(shown * 255 / 100), LWA_ALPHA);
}

} // namespace petarino::forms
