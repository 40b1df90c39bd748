// The page "拡張": the backups with the roads that restore, write and read them, and the rows of
// the global hotkeys, each with the mark of a key another program holds.
#pragma once

#include "forms/backup_list.h"
#include "memos/hotkey_settings.h"

#include <windows.h>
#include <array>

namespace petarino {
class Desk;
}

namespace petarino::forms {

class ExtendedPage {
public:
    explicit ExtendedPage(Desk& desk) : desk_(desk) {}

    // The page's controls, once they are made: the backups' list and the hotkeys' marks.
    void Bind(HWND backups, const std::array<HWND, kGlobalHotkeyCount>& inUseMarks);
    // The backups anew, and the keys another program held tried again: they may be free by now.
    void Shown();
    // Restoring and reading write a backup of the memos they replace, which the list shows at
    // once.
    void bRestoreClick();
    void bExportClick();
    void bImportClick();
    // A key another program holds shows as in use in its box, with no message: a message box
    // opened while the user presses a combination would take the keys' releases from the box.
    void HotkeyChanged(GlobalHotkey which);

private:
    void ShowTakenHotkeys();

    Desk& desk_;
    BackupList backupList_;
    std::array<HWND, kGlobalHotkeyCount> inUseMarks_{};
};

} // namespace petarino::forms
