// A memo's opacity on the screen: below 100 % a layered window with that alpha, at 100 % a
// plain one. It shows whole while the pointer is over any part of the memo or the memo has
// the keyboard, so what the user reads or types is never faint.
#pragma once

#include <windows.h>
#include <cstdint>

namespace petarino::forms {

class MemoSeeThrough {
public:
    explicit MemoSeeThrough(HWND window) : window_(window) {}

    int32_t Percent() const { return percent_; }
    void SetPercent(int32_t percent);

    // The pointer moved over `part`, the memo window or one of its children: its leaving is
    // asked for (WM_MOUSELEAVE, or WM_NCMOUSELEAVE over the sizing frame). Only a see-through
    // memo asks: a system may find the leaving by looking where the pointer is several times
    // a second for as long as it rests on the memo.
    void PointerOver(HWND part, bool nonClient = false);
    // `part` reported the pointer gone; it may have gone on to another part of the memo.
    void PointerLeft(HWND part, bool nonClient = false);
    // The window was activated or its text area took the focus, or the keyboard went away.
    void SetKeyboard(bool here);

private:
    bool SeeThrough() const;
    void StopTracking();
    // The memo window or the child of it under the pointer; null when the pointer is elsewhere.
    HWND PartUnderPointer() const;
    void Apply();

    HWND window_;
    int32_t percent_ = 100;
    bool pointer_ = false;
    bool keyboard_ = false;
    HWND tracked_ = nullptr;
    bool trackedNonClient_ = false;
};

} // namespace petarino::forms
