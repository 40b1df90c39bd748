#include "window_search.h"

#include "deadline.h"

namespace petarino::remote {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

struct Search {
    std::wstring_view className;
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    if (ClassOf(window) == search.className &&
        (search.processId == 0 || ProcessOf(window) == search.processId))
        search.found.push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> TopLevelWindows(std::wstring_view className, DWORD processId) {
    Search search{className, processId, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

namespace {

HWND WaitForWindow(std::wstring_view className, DWORD processId, unsigned long timeoutMs,
                   bool shown) {
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (HWND window : TopLevelWindows(className, processId))
                if (!shown || IsWindowVisible(window)) {
                    found = window;
                    break;
                }
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

} // namespace

HWND WaitForTopLevelWindow(std::wstring_view className, DWORD processId, unsigned long timeoutMs) {
    return WaitForWindow(className, processId, timeoutMs, false);
}

HWND WaitForShownWindow(std::wstring_view className, DWORD processId, unsigned long timeoutMs) {
    return WaitForWindow(className, processId, timeoutMs, true);
}

std::vector<HWND> ChildWindows(HWND parent, std::wstring_view className) {
    Search search{className, 0, {}};
    EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ChildWithText(HWND parent, std::wstring_view className, std::wstring_view text) {
    for (HWND child : ChildWindows(parent, className))
        if (TextOf(child) == text) return child;
    return nullptr;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied))
        return {};
    text.resize(copied);
    return text;
}

std::vector<std::wstring> ListRows(HWND list) {
    std::vector<std::wstring> rows;
    for (LRESULT row = 0; row < Send(list, LB_GETCOUNT); ++row) {
        std::wstring text(static_cast<size_t>(Send(list, LB_GETTEXTLEN, row)) + 1, L'\0');
        text.resize(static_cast<size_t>(
            Send(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()))));
        rows.push_back(text);
    }
    return rows;
}

bool HasFocus(HWND control) {
    GUITHREADINFO thread{.cbSize = sizeof thread};
    return GetGUIThreadInfo(GetWindowThreadProcessId(control, nullptr), &thread) &&
           thread.hwndFocus == control;
}

DWORD ProcessOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

RECT BoundsOf(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return bounds;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

} // namespace petarino::remote
