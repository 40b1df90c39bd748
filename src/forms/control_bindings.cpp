#include "forms/control_bindings.h"

#include "forms/form_controls.h"
#include "platform/win32/cp932_win32.h"

#include <commctrl.h>

namespace petarino::forms {
int ListBoxStatusList::SelectedRow() const {
    return static_cast<int>(SendMessageW(listBox_, LB_GETCURSEL, 0, 0));
}

void ListBoxStatusList::SelectRow(int row) {
    SendMessageW(listBox_, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

void ListBoxStatusList::ReplaceRows(std::span<const std::string> rows) {
    // One redraw for the whole list, not one per row.
    SendMessageW(listBox_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(listBox_, LB_RESETCONTENT, 0, 0);
    for (const std::string& row : rows)
        SendMessageW(listBox_, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(win32::ToWide(row).c_str()));
    SendMessageW(listBox_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listBox_, nullptr, TRUE);
}

int16_t UpDownAutosaveSettings::Period() const {
    return static_cast<int16_t>(SendMessageW(upDown_, UDM_GETPOS32, 0, 0));
}

void UpDownAutosaveSettings::SetPeriod(int16_t minutes) {
    SendMessageW(upDown_, UDM_SETPOS32, 0, minutes);
}

bool UpDownAutosaveSettings::Enabled() const {
    return Checked(checkBox_);
}
void UpDownAutosaveSettings::SetEnabled(bool enabled) {
    Check(checkBox_, enabled);
}

bool CheckBoxExitSettings::ExportAtExit() const {
    return Checked(exportBox_);
}
void CheckBoxExitSettings::SetExportAtExit(bool exportAtExit) {
    Check(exportBox_, exportAtExit);
}
bool CheckBoxExitSettings::AskBeforeExit() const {
    return Checked(askBox_);
}
void CheckBoxExitSettings::SetAskBeforeExit(bool askBeforeExit) {
    Check(askBox_, askBeforeExit);
}

uint16_t HotkeyControlSettings::Key(GlobalHotkey which) const {
    return static_cast<uint16_t>(SendMessageW(Control(which), HKM_GETHOTKEY, 0, 0));
}
void HotkeyControlSettings::SetKey(GlobalHotkey which, uint16_t key) {
    SendMessageW(Control(which), HKM_SETHOTKEY, key, 0);
}

} // namespace petarino::forms
