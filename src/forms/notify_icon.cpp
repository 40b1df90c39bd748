#include "forms/notify_icon.h"

#include "platform/win32/cp932_win32.h"

#include <algorithm>

namespace petarino::forms {
namespace {

constexpr std::wstring_view kTip = L"ペタリノ";

} // namespace

NotifyIcon::NotifyIcon(HWND owner, HICON icon)
    : data_{.cbSize = sizeof(NOTIFYICONDATAW),
            .hWnd = owner,
            .uID = 1,
            .uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP,
            .uCallbackMessage = kNotifyIconMessage,
            .hIcon = icon} {
    kTip.copy(data_.szTip, kTip.size());
    Shell_NotifyIconW(NIM_ADD, &data_);
}

NotifyIcon::~NotifyIcon() {
    Shell_NotifyIconW(NIM_DELETE, &data_);
}

void NotifyIcon::AddAgain() {
    Shell_NotifyIconW(NIM_ADD, &data_);
}

void NotifyIcon::ShowBalloon(std::string_view title, std::string_view text) {
    NOTIFYICONDATAW balloon = data_;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = NIIF_INFO;
    const std::wstring wideTitle = win32::ToWide(title);
    const std::wstring wideText = win32::ToWide(text);
    wideTitle.copy(balloon.szInfoTitle, std::size(balloon.szInfoTitle) - 1);
    wideText.copy(balloon.szInfo, std::size(balloon.szInfo) - 1);
    Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

UINT NotifyIcon::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

} // namespace petarino::forms
