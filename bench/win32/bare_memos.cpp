// The bare program petarino.exe is measured against: what any tray program showing the same
// memo windows needs, and nothing more. A hidden owner window with a tray icon, COUNT popup
// windows with a multi-line EDIT each, and with --tick the naive clock: every EDIT rewritten
// with the time every second, changed or not.
//   bare_memos.exe [COUNT] [--tick]        ends on WM_CLOSE to its owner window
#include "memo_desktop.h"
#include "platform/win32/unique_handle.h"

#include <windows.h>
#include <cwchar>
#include <shellapi.h>
#include <string>
#include <vector>

namespace petarino::bench {
namespace {

constexpr UINT_PTR kClockTimer = 1;
constexpr UINT kTrayMessage = WM_APP;

using UniqueFont = win32::UniqueHandle<HFONT, DeleteObject>;

struct Desktop {
    std::vector<HWND> edits;
    NOTIFYICONDATAW icon{};
};

struct Options {
    int memos = kMemoCount;
    bool tick = false;
};

Options ParseOptions() {
    Options options;
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int index = 1; arguments && index < count; ++index) {
        if (std::wcscmp(arguments[index], L"--tick") == 0)
            options.tick = true;
        else
            options.memos = static_cast<int>(std::wcstol(arguments[index], nullptr, 10));
    }
    LocalFree(arguments);
    return options;
}

std::wstring Wide(const std::string& cp932) {
    std::wstring wide(cp932.size(), L'\0');
    const int length = MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length));
    return wide;
}

void ShowTime(const Desktop& desktop) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t text[16];
    std::swprintf(text, 16, L"%02u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
    for (HWND edit : desktop.edits)
        SetWindowTextW(edit, text);
}

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wp, LPARAM lp) noexcept {
    auto* desktop = reinterpret_cast<Desktop*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_TIMER:
        if (wp == kClockTimer && desktop) ShowTime(*desktop);
        return 0;
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_DESTROY:
        if (desktop) Shell_NotifyIconW(NIM_DELETE, &desktop->icon);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wp, lp);
}

void RegisterClasses(HINSTANCE instance) {
    const WNDCLASSEXW owner{.cbSize = sizeof(WNDCLASSEXW),
                            .lpfnWndProc = OwnerProc,
                            .hInstance = instance,
                            .lpszClassName = kBareOwnerClass};
    RegisterClassExW(&owner);
    const WNDCLASSEXW memo{.cbSize = sizeof(WNDCLASSEXW),
                           .lpfnWndProc = DefWindowProcW,
                           .hInstance = instance,
                           .hCursor = LoadCursorW(nullptr, IDC_ARROW),
                           .hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                           .lpszClassName = kBareMemoClass};
    RegisterClassExW(&memo);
}

void AddTrayIcon(Desktop& desktop, HWND owner) {
    desktop.icon = {.cbSize = sizeof(NOTIFYICONDATAW),
                    .hWnd = owner,
                    .uID = 1,
                    .uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE,
                    .uCallbackMessage = kTrayMessage,
                    .hIcon = LoadIconW(nullptr, IDI_APPLICATION)};
    std::wcscpy(desktop.icon.szTip, L"bare");
    Shell_NotifyIconW(NIM_ADD, &desktop.icon);
}

void CreateMemo(Desktop& desktop, HWND owner, HFONT font, int slot, HINSTANCE instance) {
    const RECT bounds = MemoBounds(slot);
    HWND memo = CreateWindowExW(0, kBareMemoClass, L"", kMemoStyle, bounds.left, bounds.top,
                                bounds.right - bounds.left, bounds.bottom - bounds.top, owner,
                                nullptr, instance, nullptr);
    RECT client;
    GetClientRect(memo, &client);
    HWND edit =
        CreateWindowExW(0, L"EDIT", Wide(MemoText(slot)).c_str(),
                        WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0, 0,
                        client.right, client.bottom, memo, nullptr, instance, nullptr);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ShowWindow(memo, SW_SHOWNOACTIVATE);
    desktop.edits.push_back(edit);
}

int Run(HINSTANCE instance) {
    const Options options = ParseOptions();
    RegisterClasses(instance);
    // The memo font's default: 12 pixels of ＭＳ Ｐゴシック, one font for every EDIT.
    const UniqueFont font(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      DEFAULT_PITCH, L"ＭＳ Ｐゴシック"));
    Desktop desktop;
    HWND owner = CreateWindowExW(WS_EX_TOOLWINDOW, kBareOwnerClass, L"bare", WS_POPUP, 0, 0, 0, 0,
                                 nullptr, nullptr, instance, nullptr);
    SetWindowLongPtrW(owner, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&desktop));
    AddTrayIcon(desktop, owner);
    for (int slot = 0; slot < options.memos; ++slot)
        CreateMemo(desktop, owner, font.get(), slot, instance);
    if (options.tick) {
        ShowTime(desktop);
        SetTimer(owner, kClockTimer, 1000, nullptr);
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

} // namespace
} // namespace petarino::bench

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return petarino::bench::Run(instance);
}
