#include "forms/notify_icon.h"

#include <string_view>

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

} // namespace petarino::forms
