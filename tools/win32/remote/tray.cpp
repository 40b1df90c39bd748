#include "tray.h"

#include "deadline.h"
#include "window_search.h"

#include <algorithm>
#include <commctrl.h>
#include <functional>

namespace petarino::remote {
namespace {

// The icon id the program adds its only icon with.
constexpr WPARAM kIconId = 1;
constexpr std::wstring_view kStandaloneTray = L"__winex11_standalone_tray";

HWND VisibleMenu(DWORD processId) {
    for (HWND menu : TopLevelWindows(L"#32768", processId))
        if (IsWindowVisible(menu)) return menu;
    return nullptr;
}

// Keys go to the menu the process opens within the time; true once every menu has closed.
bool TypeIntoMenu(DWORD processId, const std::function<void(HWND)>& keys, unsigned long timeoutMs) {
    HWND menu = nullptr;
    if (!WaitFor([&] { return (menu = VisibleMenu(processId)) != nullptr; }, timeoutMs))
        return false;
    keys(menu);
    return WaitFor([&] { return VisibleMenu(processId) == nullptr; }, timeoutMs);
}

} // namespace

void PostTrayEvent(HWND iconOwner, UINT mouseMessage) {
    PostMessageW(iconOwner, kTrayCallback, kIconId, static_cast<LPARAM>(mouseMessage));
}

bool ChooseMenuItem(DWORD processId, wchar_t mnemonic, unsigned long timeoutMs) {
    HWND menu = nullptr;
    if (!WaitFor([&] { return (menu = VisibleMenu(processId)) != nullptr; }, timeoutMs))
        return false;
    // A key that reaches the menu while it still sets itself up is lost under load; a menu
    // still open a while later has not taken it, so the key goes once more.
    constexpr unsigned long kRetypeMs = 2000;
    for (unsigned long waited = 0; waited < timeoutMs; waited += kRetypeMs) {
        PostMessageW(menu, WM_CHAR, mnemonic, 0);
        if (WaitFor([&] { return VisibleMenu(processId) == nullptr; }, kRetypeMs)) return true;
    }
    return false;
}

// The menu's loop reads every key of its thread, whichever of its windows it was posted to,
// and applies it to the submenu open at the moment.
bool ChooseLastOfSubmenu(DWORD processId, wchar_t submenu, unsigned long timeoutMs) {
    return TypeIntoMenu(
        processId,
        [&](HWND menu) {
            PostMessageW(menu, WM_CHAR, submenu, 0);
            PostMessageW(menu, WM_KEYDOWN, VK_END, 0);
            PostMessageW(menu, WM_CHAR, L'\r', 0);
        },
        timeoutMs);
}

bool ChooseInSubmenu(DWORD processId, wchar_t submenu, int place, unsigned long timeoutMs) {
    return TypeIntoMenu(
        processId,
        [&](HWND menu) {
            PostMessageW(menu, WM_CHAR, submenu, 0);
            PostMessageW(menu, WM_KEYDOWN, VK_HOME, 0);
            for (int down = 0; down < place; ++down)
                PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageW(menu, WM_CHAR, L'\r', 0);
        },
        timeoutMs);
}

bool ChooseFromSubmenu(DWORD processId, wchar_t submenu, wchar_t item, unsigned long timeoutMs) {
    return TypeIntoMenu(
        processId,
        [&](HWND menu) {
            PostMessageW(menu, WM_CHAR, submenu, 0);
            PostMessageW(menu, WM_CHAR, item, 0);
        },
        timeoutMs);
}

std::vector<HWND> WineTrayIcons() {
    std::vector<HWND> icons;
    for (HWND tray : TopLevelWindows(kStandaloneTray))
        for (HWND icon : ChildWindows(tray, L"__winex11_tray_icon"))
            icons.push_back(icon);
    return icons;
}

std::optional<std::wstring> WineTrayBalloon() {
    const std::vector<HWND> trays = TopLevelWindows(kStandaloneTray);
    for (HWND tip : TopLevelWindows(TOOLTIPS_CLASSW))
        if (IsWindowVisible(tip) && (GetWindowLongPtrW(tip, GWL_STYLE) & TTS_BALLOON) &&
            std::find(trays.begin(), trays.end(), GetWindow(tip, GW_OWNER)) != trays.end())
            return TextOf(tip);
    return std::nullopt;
}

} // namespace petarino::remote
