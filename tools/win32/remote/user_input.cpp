#include "user_input.h"

#include "window_search.h"

#include <vector>

namespace petarino::remote {
namespace {

// With the scan code a keyboard sends along: controls that read the key back from the
// character's scan code (the hotkey control does) would otherwise see another key.
INPUT KeyInput(WORD key, DWORD flags) {
    const auto scanCode = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    return {.type = INPUT_KEYBOARD, .ki = {.wVk = key, .wScan = scanCode, .dwFlags = flags}};
}

} // namespace

void Press(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys)
        inputs.push_back(KeyInput(key, 0));
    for (auto key = keys.end(); key != keys.begin();)
        inputs.push_back(KeyInput(*--key, KEYEVENTF_KEYUP));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void ClickAt(POINT at, std::initializer_list<WORD> keys) {
    SetCursorPos(at.x, at.y);
    std::vector<INPUT> inputs;
    for (WORD key : keys)
        inputs.push_back(KeyInput(key, 0));
    inputs.push_back({.type = INPUT_MOUSE, .mi = {.dwFlags = MOUSEEVENTF_LEFTDOWN}});
    inputs.push_back({.type = INPUT_MOUSE, .mi = {.dwFlags = MOUSEEVENTF_LEFTUP}});
    for (auto key = keys.end(); key != keys.begin();)
        inputs.push_back(KeyInput(*--key, KEYEVENTF_KEYUP));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void ClickInto(HWND window) {
    const RECT bounds = BoundsOf(window);
    ClickAt({(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2});
}

} // namespace petarino::remote
