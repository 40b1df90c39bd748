#include "forms/backup_list.h"

#include "platform/win32/cp932_win32.h"

namespace petarino::forms {

void BackupList::Show(std::vector<store::BackupEntry> entries) {
    entries_ = std::move(entries);
    SendMessageW(listBox_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(listBox_, LB_RESETCONTENT, 0, 0);
    for (const store::BackupEntry& entry : entries_)
        SendMessageW(listBox_, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(win32::ToWide(entry.row).c_str()));
    SendMessageW(listBox_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listBox_, nullptr, TRUE);
}

std::optional<platform::FilePath> BackupList::Selected() const {
    const LRESULT row = SendMessageW(listBox_, LB_GETCURSEL, 0, 0);
    if (row < 0 || static_cast<size_t>(row) >= entries_.size()) return std::nullopt;
    return entries_[static_cast<size_t>(row)].path;
}

} // namespace petarino::forms
