// The program's icon in the notification area, with the tip "ペタリノ"; its mouse events
// arrive at the owner window as message 1125, the event in lParam.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <string_view>

namespace petarino::forms {

inline constexpr UINT kNotifyIconMessage = WM_USER + 101; // 1125

class NotifyIcon {
public:
    // Adds the icon.
    NotifyIcon(HWND owner, HICON icon);
    // Removes the icon.
    ~NotifyIcon();
    NotifyIcon(const NotifyIcon&) = delete;
    NotifyIcon& operator=(const NotifyIcon&) = delete;

    // After the taskbar was made anew (its shell restarted) the icon must be added again: this
    // message tells every top-level window so.
    static UINT TaskbarCreatedMessage();
    void AddAgain();
    // A balloon from the icon, as the system shows notifications; texts cut to what it holds.
    void ShowBalloon(std::string_view title, std::string_view text);

private:
    NOTIFYICONDATAW data_;
};

} // namespace petarino::forms
