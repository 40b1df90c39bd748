#include "forms/control_bindings.h"

#include "forms/form_controls.h"
#include "platform/win32/cp932_win32.h"

#include <algorithm>
#include <commctrl.h>

namespace petarino::forms {

void HeldCheckBox::Bind(HWND box) {
    box_ = box;
    Check(held_);
}
bool HeldCheckBox::Checked() const {
    return box_ ? forms::Checked(box_) : held_;
}
void HeldCheckBox::Check(bool checked) {
    if (!box_)
        held_ = checked;
    else
        forms::Check(box_, checked);
}

int ListBoxStatusList::SelectedRow() const {
    if (!listBox_) return -1;
    return static_cast<int>(SendMessageW(listBox_, LB_GETCURSEL, 0, 0));
}

void ListBoxStatusList::SelectRow(int row) {
    if (listBox_) SendMessageW(listBox_, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

void ListBoxStatusList::ReplaceRows(std::span<const MemoText> rows) {
    if (!listBox_) return;
    // One redraw for the whole list, not one per row.
    SendMessageW(listBox_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(listBox_, LB_RESETCONTENT, 0, 0);
    for (const MemoText& row : rows)
        SendMessageW(listBox_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    SendMessageW(listBox_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listBox_, nullptr, TRUE);
}

void UpDownAutosaveSettings::Bind(HWND upDown, HWND checkBox) {
    upDown_ = upDown;
    SetPeriod(heldPeriod_);
    checkBox_.Bind(checkBox);
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
    return checkBox_.Checked();
}
void UpDownAutosaveSettings::SetEnabled(bool enabled) {
    checkBox_.Check(enabled);
}

void CheckBoxExitSettings::Bind(HWND exportBox, HWND askBox) {
    exportBox_.Bind(exportBox);
    askBox_.Bind(askBox);
}

bool CheckBoxExitSettings::ExportAtExit() const {
    return exportBox_.Checked();
}
void CheckBoxExitSettings::SetExportAtExit(bool exportAtExit) {
    exportBox_.Check(exportAtExit);
}
bool CheckBoxExitSettings::AskBeforeExit() const {
    return askBox_.Checked();
}
void CheckBoxExitSettings::SetAskBeforeExit(bool askBeforeExit) {
    askBox_.Check(askBeforeExit);
}

void HotkeyControlSettings::Bind(std::span<const HWND, kGlobalHotkeyCount> controls) {
    std::ranges::copy(controls, controls_.begin());
    for (const GlobalHotkey which : kGlobalHotkeys)
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
