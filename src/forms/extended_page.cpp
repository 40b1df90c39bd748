#include "forms/extended_page.h"

#include "desk/desk.h"

namespace petarino::forms {

void ExtendedPage::Bind(HWND backups, const std::array<HWND, kGlobalHotkeyCount>& inUseMarks) {
    backupList_.Bind(backups);
    inUseMarks_ = inUseMarks;
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
    desk_.HotkeyChanged(which);
    ShowTakenHotkeys();
}

void ExtendedPage::ShowTakenHotkeys() {
    for (const GlobalHotkey which : kGlobalHotkeys)
        ShowWindow(inUseMarks_[static_cast<size_t>(which)],
                   desk_.HotkeyTaken(which) ? SW_SHOW : SW_HIDE);
}

} // namespace petarino::forms
