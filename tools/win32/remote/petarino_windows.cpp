#include "petarino_windows.h"

#include "window_search.h"

#include <algorithm>

namespace petarino::remote {

HWND WaitForPropertiesWindow(DWORD processId, unsigned long timeoutMs) {
    return WaitForTopLevelWindow(kPropertiesClass, processId, timeoutMs);
}

HWND ApplicationWindowOf(HWND propertiesWindow) {
    return GetWindow(propertiesWindow, GW_OWNER);
}

std::vector<HWND> MemoWindows(DWORD processId) {
    return TopLevelWindows(kMemoClass, processId);
}

std::vector<HWND> VisibleMemoWindows(DWORD processId) {
    std::vector<HWND> memos = MemoWindows(processId);
    std::erase_if(memos, [](HWND memo) { return !IsWindowVisible(memo); });
    return memos;
}

HWND TextAreaOf(HWND memoWindow) {
    const auto edits = ChildWindows(memoWindow, L"Edit");
    return edits.empty() ? nullptr : edits.front();
}

} // namespace petarino::remote
