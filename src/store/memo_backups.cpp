#include "store/memo_backups.h"

#include "macro/date_time.h"
#include "store/backup_file.h"
#include "store/error_report.h"

#include <exception>
#include <string>

namespace petarino::store {
namespace {

constexpr std::string_view kReplaceQuestion =
    "現在のメモを、選んだバックアップの内容に置き換えますか？";
constexpr std::u16string_view kExportName = u"petarino.json";
constexpr std::string_view kCloseDialogsFirst =
    "メモのダイアログを閉じてから、もう一度お試しください";

} // namespace

std::string MemoBackups::CurrentBackupText() {
    return BackupText(store_.ReadSnapshot(), kernel_.Now(), kernel_);
}

bool MemoBackups::Write(BackupKind kind, const std::optional<platform::FilePath>& spared) {
    try {
        folder_.Write(CurrentBackupText(), kernel_.Now(), kind, spared);
        return true;
    } catch (const std::exception& error) {
        ReportGeneralError(windows_,
                           std::string("メモのバックアップを作成できません：") + error.what());
        return false;
    }
}

void MemoBackups::AfterAutosave() {
    const platform::LocalTime now = kernel_.Now();
    const int32_t today = DayNumber({now.year, now.month, now.day});
    if (dayOfLastDaily_ == today) return;
    // Once a day whatever came of it: a failure is told once, not at every autosave.
    dayOfLastDaily_ = today;
    Write(BackupKind::Automatic);
}

bool MemoBackups::RefusedForDialog() {
    if (!dialogOpen_ || !dialogOpen_()) return false;
    windows_.ShowMessageBox(kCloseDialogsFirst, kApplicationTitle,
                            platform::MessageBoxStyle::Ok |
                                platform::MessageBoxStyle::IconInformation);
    return true;
}

bool MemoBackups::Restore(const platform::FilePath& path) {
    if (RefusedForDialog()) return false;
    Backup backup;
    try {
        backup = ParseBackup(files_.ReadWhole(path, platform::kMostBytesRead), kernel_);
    } catch (const EBackupRefused& error) {
        ReportGeneralError(windows_, "ファイル " + files_.Display(path) +
                                         " はバックアップとして読み込めません：" + error.what());
        return false;
    } catch (const std::exception& error) {
        ReportGeneralError(windows_, error.what());
        return false;
    }
    using namespace platform;
    if (windows_.ShowMessageBox(kReplaceQuestion, "確認",
                                MessageBoxStyle::YesNo | MessageBoxStyle::IconQuestion) !=
        DialogResult::Yes)
        return false;
    try {
        store_.SaveDatas();
    } catch (const std::exception& error) {
        ReportGeneralError(windows_, error.what());
        return false;
    }
    // The present memos are safe in a file before the store is touched, and the file being
    // restored stays listed.
    if (!Write(BackupKind::BeforeRestore, path)) return false;
    try {
        store_.ReplaceMemos(backup.snapshot);
    } catch (const std::exception& error) {
        ReportGeneralError(windows_, error.what());
        return false;
    }
    return true;
}

bool MemoBackups::Import() {
    if (RefusedForDialog()) return false;
    const auto path = choosers_.PickFileToLoad(platform::FileKind::Backup);
    return path && Restore(*path);
}

void MemoBackups::Export() {
    const auto path = choosers_.PickFileToSave(kExportName, platform::FileKind::Backup);
    if (!path) return;
    try {
        store_.SaveDatas();
        files_.WriteWhole(*path, CurrentBackupText());
    } catch (const std::exception& error) {
        ReportGeneralError(windows_, error.what());
    }
}

} // namespace petarino::store
