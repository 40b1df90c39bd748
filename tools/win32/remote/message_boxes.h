// Message boxes of another program: found by their dialog class, read and answered like a
// user reading the text and pressing a button.
#pragma once

#include <windows.h>
#include <optional>
#include <string>

namespace petarino::remote {

struct MessageBoxView {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
};

// A message box that the process shows within the time.
std::optional<MessageBoxView> WaitForMessageBox(DWORD processId, unsigned long timeoutMs);
// Whether the process shows a message box at this moment.
bool ShowsMessageBox(DWORD processId);
// Presses the button with the id (IDOK, IDYES, IDNO) and waits until the box is gone; false
// when it stays.
bool Answer(const MessageBoxView& box, int buttonId);

} // namespace petarino::remote
