// The desktop both programs of the start-up benchmarks show, so the program under test and
// the bare program lay out the same windows: up to 101 memos with a client area of 318 x 93
// in a cascade that fits a 1280 x 1024 screen, each with a short text.
#pragma once

#include <windows.h>
#include <string>

namespace petarino::bench {

inline constexpr int kMemoCount = 101;
// The bare program's window classes: its hidden owner and its memos.
inline constexpr const wchar_t* kBareOwnerClass = L"BareMemosOwner";
inline constexpr const wchar_t* kBareMemoClass = L"BareMemo";
inline constexpr DWORD kMemoStyle = WS_POPUP | WS_THICKFRAME | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

// Outer bounds in screen pixels, sizing frame included, as the store keeps them.
inline RECT MemoBounds(int slot) {
    RECT bounds{.left = 0, .top = 0, .right = 318, .bottom = 93};
    AdjustWindowRectEx(&bounds, kMemoStyle, FALSE, 0);
    OffsetRect(&bounds, 20 + slot % 9 * 100 - bounds.left, 20 + slot / 9 * 75 - bounds.top);
    return bounds;
}

// A plain memo's text, in CP932.
inline std::string MemoText(int slot) {
    return "メモ " + std::to_string(slot) + "\r\n牛乳、卵、パン、バター。";
}

} // namespace petarino::bench
