#include "forms/form_controls.h"

#include "platform/win32/cp932_win32.h"

#include <system_error>

namespace petarino::forms {

UniqueWindow CreateForm(const wchar_t* className, void* form, HWND owner, std::string_view caption,
                        DWORD style, DWORD exStyle, SIZE client) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RECT outer{0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    UniqueWindow window(CreateWindowExW(exStyle, className, win32::ToWide(caption).c_str(), style,
                                        0, 0, outer.right - outer.left, outer.bottom - outer.top,
                                        owner, nullptr, instance, form));
    if (!window)
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "CreateWindowExW");
    return window;
}

HWND CreateControl(HWND parent, const wchar_t* windowClass, std::string_view caption, DWORD style,
                   const Place& place, int id, HFONT font, DWORD exStyle) {
    const HWND control = CreateWindowExW(
        exStyle, windowClass, win32::ToWide(caption).c_str(), WS_CHILD | WS_VISIBLE | style,
        place.left, place.top, place.width, place.height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!control)
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "CreateWindowExW");
    if (font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void FitToCaption(HWND label) {
    const std::wstring caption = win32::ToWide(TextOf(label));
    const HDC dc = GetDC(label);
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = SelectObject(dc, font);
    RECT bounds{};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &bounds,
              DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, previous);
    ReleaseDC(label, dc);
    SetWindowPos(label, nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CentreOnScreen(HWND form) {
    RECT outer{};
    GetWindowRect(form, &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    SetWindowPos(form, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

win32::UniqueFont CreateFormFont() {
    Font font;
    font.charset = SHIFTJIS_CHARSET;
    return win32::CreateFontOf(font);
}

std::string TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return win32::FromWide(text);
}

void SetText(HWND window, std::string_view text) {
    SetWindowTextW(window, win32::ToWide(text).c_str());
}

MemoText MemoTextOf(HWND window) {
    MemoText text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()),
                                                   static_cast<int>(text.size()))));
    return text;
}

void SetMemoText(HWND window, MemoTextView text) {
    const std::wstring wide(text.begin(), text.end());
    SetWindowTextW(window, wide.c_str());
}

bool Checked(HWND checkBox) {
    return SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Check(HWND checkBox, bool checked) {
    SendMessageW(checkBox, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

} // namespace petarino::forms
