// Backups of the memos: the automatic ones after an exit save and after the first autosave
// of a day, those before sync replaces memos, the list the page "拡張" shows, and the roads that
// put a backup in place of the running memos, backing them up first, or write one where the user
// chooses. Every road reports its own failures through the general error report, and a backup that
// cannot be made never stops the save it follows.
#pragma once

#include "platform/choosers.h"
#include "platform/files.h"
#include "platform/kernel.h"
#include "platform/window_system.h"
#include "store/backup_folder.h"
#include "store/registry_store.h"

#include <functional>
#include <optional>
#include <vector>

namespace petarino::store {

class MemoBackups {
public:
    // `dialogOpen` tells whether a memo's dialog or the destroy question is open: they hold a
    // memo that a restore would free.
    MemoBackups(RegistryStore& store, platform::Files& files, platform::Kernel& kernel,
                platform::WindowSystem& windows, platform::Choosers& choosers,
                std::function<bool()> dialogOpen = {})
        : store_(store), files_(files), kernel_(kernel), windows_(windows), choosers_(choosers),
          dialogOpen_(std::move(dialogOpen)), folder_(files) {}

    // The exit save succeeded.
    void AfterExitSave() { Write(BackupKind::Automatic); }
    // Before sync replaces or removes memos here: kept apart from the automatic ones, which
    // another PC's edits of a few hours would otherwise push out.
    void BeforeSync() { Write(BackupKind::BeforeSync); }
    // An autosave succeeded: the first of each local day writes one.
    void AfterAutosave();

    std::vector<BackupEntry> List() { return folder_.List(); }

    // The file is read and checked whole, then the user is asked; on Yes the running memos
    // are saved and backed up first, so the road can be undone from the list, and only then
    // replaced. An open dialog (told, and nothing read), a file refused, a No, or a backup of
    // the present state that cannot be made leaves everything as it was. True when the memos
    // were replaced.
    bool Restore(const platform::FilePath& path);
    // "読み込み...": Restore with a file the user picks; with a dialog open nothing is picked.
    bool Import();
    // "書き出し...": the memos saved, then written as a backup where the user chooses.
    void Export();

private:
    // False when it could not be made; the failure is reported.
    bool Write(BackupKind kind, const std::optional<platform::FilePath>& spared = std::nullopt);
    std::string CurrentBackupText();
    // True, after telling the user, while a memo's dialog is open.
    bool RefusedForDialog();

    RegistryStore& store_;
    platform::Files& files_;
    platform::Kernel& kernel_;
    platform::WindowSystem& windows_;
    platform::Choosers& choosers_;
    std::function<bool()> dialogOpen_;
    BackupFolder folder_;
    std::optional<int32_t> dayOfLastDaily_;
};

} // namespace petarino::store
