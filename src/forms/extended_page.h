// The page "拡張": the backups with the roads that restore, write and read them, and the rows of
// the global hotkeys, each with the mark of a key another program holds and the balloon that
// refuses a key another row holds.
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

    // The page's controls, once they are made: the backups' list, the hotkeys' boxes and
    // marks, and the balloon of a refused key.
    void Bind(HWND backups, const std::array<HWND, kGlobalHotkeyCount>& boxes,
              const std::array<HWND, kGlobalHotkeyCount>& inUseMarks, HWND refusal);
    // The backups anew, and the keys another program held tried again: they may be free by now.
    void Shown();
    // Restoring and reading write a backup of the memos they replace, which the list shows at
    // once.
    void bRestoreClick();
    void bExportClick();
    void bImportClick();
    // A key another program holds shows as in use in its box, and one another row holds is
    // refused in a balloon below the box, with no message box: one opened while the user
    // presses a combination would take the keys' releases from the box.
    void HotkeyChanged(GlobalHotkey which);

private:
    void ShowTakenHotkeys();

    Desk& desk_;
    BackupList backupList_;
    std::array<HWND, kGlobalHotkeyCount> boxes_{};
    std::array<HWND, kGlobalHotkeyCount> inUseMarks_{};
    HWND refusal_ = nullptr;
};

} // namespace petarino::forms
