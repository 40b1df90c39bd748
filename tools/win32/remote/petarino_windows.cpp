#include "petarino_windows.h"

#include "window_search.h"

#include <algorithm>
#include <regex>

namespace petarino::remote {
namespace {

// The seconds a running-time text such as "1時間 1分 2秒" stands for; -1 for other texts.
int RunningSeconds(const std::wstring& text) {
    static const std::wregex format(L"(\\d+)時間([ \\d]\\d)分([ \\d]\\d)秒");
    std::wsmatch parts;
    if (!std::regex_match(text, parts, format)) return -1;
    return std::stoi(parts[1]) * 3600 + std::stoi(parts[2]) * 60 + std::stoi(parts[3]);
}

} // namespace

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

std::vector<std::wstring> MemoTexts(DWORD processId) {
    std::vector<std::wstring> texts;
    for (HWND memo : MemoWindows(processId))
        texts.push_back(TextOf(TextAreaOf(memo)));
    return texts;
}

std::optional<int> AlphaOf(HWND window) {
    if (!(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED)) return std::nullopt;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA))
        return -1;
    return alpha;
}

HWND MemoShowing(DWORD processId, std::wstring_view text) {
    for (HWND memo : MemoWindows(processId))
        if (TextOf(TextAreaOf(memo)) == text) return memo;
    return nullptr;
}

int ShownRunningSeconds(HWND propertiesWindow) {
    for (HWND label : ChildWindows(propertiesWindow, L"Static"))
        if (const int seconds = RunningSeconds(TextOf(label)); seconds >= 0) return seconds;
    return -1;
}

} // namespace petarino::remote
