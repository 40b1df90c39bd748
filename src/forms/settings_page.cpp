#include "forms/settings_page.h"

#include "desk/desk.h"
#include "platform/win32/cp932_win32.h"

namespace petarino::forms {

void SettingsPage::Bind(HWND label3, HWND startWithWindows) {
    label3_ = label3;
    startWithWindows_ = startWithWindows;
    if (!shownLabel3_.empty()) SetWindowTextW(label3_, win32::ToWide(shownLabel3_).c_str());
}

void SettingsPage::ShowRunningTime() {
    const std::string& caption = desk_.Clock().Label3Caption();
    if (caption == shownLabel3_) return;
    shownLabel3_ = caption;
    if (label3_) SetWindowTextW(label3_, win32::ToWide(shownLabel3_).c_str());
}

void SettingsPage::Shown() {
    SendMessageW(startWithWindows_, BM_SETCHECK,
                 desk_.StartsWithWindows() ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SettingsPage::StartWithWindowsClick() {
    desk_.SetStartWithWindows(SendMessageW(startWithWindows_, BM_GETCHECK, 0, 0) == BST_CHECKED);
    Shown();
}

} // namespace petarino::forms
