#include "forms/extended_page.h"

#include "desk/desk.h"
#include "forms/refusal_balloon.h"

#include <commctrl.h>

namespace petarino::forms {

void ExtendedPage::Bind(HWND backups, const std::array<HWND, kGlobalHotkeyCount>& boxes,
                        const std::array<HWND, kGlobalHotkeyCount>& inUseMarks, HWND refusal) {
    backupList_.Bind(backups);
    boxes_ = boxes;
    inUseMarks_ = inUseMarks;
    refusal_ = refusal;
}

void ExtendedPage::Shown() {
    backupList_.Show(desk_.Backups());
    desk_.RetryTakenHotkeys();
    ShowTakenHotkeys();
}

void ExtendedPage::bRestoreClick() {
    if (const auto path = backupList_.Selected()) desk_.RestoreBackup(*path);
    backupList_.Show(desk_.Backups());
}

void ExtendedPage::bExportClick() {
    desk_.ExportBackup();
    backupList_.Show(desk_.Backups());
}

void ExtendedPage::bImportClick() {
    desk_.ImportBackup();
    backupList_.Show(desk_.Backups());
}

void ExtendedPage::HotkeyChanged(GlobalHotkey which) {
    const HWND box = boxes_[static_cast<size_t>(which)];
    if (const auto refusal = desk_.HotkeyChanged(which))
        ShowRefusal(refusal_, box, *refusal);
    else if (SendMessageW(box, HKM_GETHOTKEY, 0, 0) != 0) // a key taken: the refusal is past
        HideRefusal(refusal_);
    ShowTakenHotkeys();
}

void ExtendedPage::ShowTakenHotkeys() {
    for (const GlobalHotkey which : kGlobalHotkeys)
        ShowWindow(inUseMarks_[static_cast<size_t>(which)],
                   desk_.HotkeyTaken(which) ? SW_SHOW : SW_HIDE);
}

} // namespace petarino::forms
