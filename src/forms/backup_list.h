// The page "拡張"'s list of backups: the rows of the folder's backups, newest first, and the
// file behind the selected row.
#pragma once

#include "platform/files.h"
#include "store/backup_folder.h"

#include <windows.h>
#include <optional>
#include <vector>

namespace petarino::forms {

class BackupList {
public:
    void Bind(HWND listBox) { listBox_ = listBox; }
    // The rows anew; the selection goes.
    void Show(std::vector<store::BackupEntry> entries);
    std::optional<platform::FilePath> Selected() const;

private:
    HWND listBox_ = nullptr;
    std::vector<store::BackupEntry> entries_;
};

} // namespace petarino::forms
