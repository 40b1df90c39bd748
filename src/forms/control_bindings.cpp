#include "forms/control_bindings.h"

#include "forms/form_controls.h"
#include "platform/win32/cp932_win32.h"

#include <algorithm>
#include <commctrl.h>

namespace petarino::forms {

int ListBoxStatusList::SelectedRow() const {
    if (!listBox_) return -1;
    return static_cast<int>(SendMessageW(listBox_, LB_GETCURSEL, 0, 0));
}

void ListBoxStatusList::SelectRow(int row) {
    if (listBox_) SendMessageW(listBox_, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

void ListBoxStatusList::ReplaceRows(std::span<const std::string> rows) {
    if (!listBox_) return;
    // One redraw for the whole list, not one per row.
    SendMessageW(listBox_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(listBox_, LB_RESETCONTENT, 0, 0);
    for (const std::string& row : rows)
        SendMessageW(listBox_, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(win32::ToWide(row).c_str()));
    SendMessageW(listBox_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listBox_, nullptr, TRUE);
}

void UpDownAutosaveSettings::Bind(HWND upDown, HWND checkBox) {
    upDown_ = upDown;
    checkBox_ = checkBox;
    SetPeriod(heldPeriod_);
    SetEnabled(heldEnabled_);
}

int16_t UpDownAutosaveSettings::Period() const {
    if (!upDown_) return heldPeriod_;
    return static_cast<int16_t>(SendMessageW(upDown_, UDM_GETPOS32, 0, 0));
}

void UpDownAutosaveSettings::SetPeriod(int16_t minutes) {
    if (!upDown_)
        heldPeriod_ = std::clamp(minutes, kShortestPeriod, kLongestPeriod);
    else
        SendMessageW(upDown_, UDM_SETPOS32, 0, minutes);
}

bool UpDownAutosaveSettings::Enabled() const {
    return checkBox_ ? Checked(checkBox_) : heldEnabled_;
}
void UpDownAutosaveSettings::SetEnabled(bool enabled) {
    if (!checkBox_)
        heldEnabled_ = enabled;
    else
        Check(checkBox_, enabled);
}

void CheckBoxExitSettings::Bind(HWND exportBox, HWND askBox) {
    exportBox_ = exportBox;
    askBox_ = askBox;
    SetExportAtExit(heldExport_);
    SetAskBeforeExit(heldAsk_);
}

bool CheckBoxExitSettings::ExportAtExit() const {
    return exportBox_ ? Checked(exportBox_) : heldExport_;
}
void CheckBoxExitSettings::SetExportAtExit(bool exportAtExit) {
    if (!exportBox_)
        heldExport_ = exportAtExit;
    else
        Check(exportBox_, exportAtExit);
}
bool CheckBoxExitSettings::AskBeforeExit() const {
    return askBox_ ? Checked(askBox_) : heldAsk_;
}
void CheckBoxExitSettings::SetAskBeforeExit(bool askBeforeExit) {
    if (!askBox_)
        heldAsk_ = askBeforeExit;
    else
        Check(askBox_, askBeforeExit);
}

void HotkeyControlSettings::Bind(HWND newMemo, HWND front) {
    controls_[0] = newMemo;
    controls_[1] = front;
    for (const GlobalHotkey which : {GlobalHotkey::NewMemo, GlobalHotkey::Front})
        SetKey(which, heldKeys_[Index(which)]);
}

uint16_t HotkeyControlSettings::Key(GlobalHotkey which) const {
    const HWND control = controls_[Index(which)];
    if (!control) return heldKeys_[Index(which)];
    return static_cast<uint16_t>(SendMessageW(control, HKM_GETHOTKEY, 0, 0));
}
void HotkeyControlSettings::SetKey(GlobalHotkey which, uint16_t key) {
    const HWND control = controls_[Index(which)];
    if (!control)
        heldKeys_[Index(which)] = key;
    else
        SendMessageW(control, HKM_SETHOTKEY, key, 0);
}

} // namespace petarino::forms
