// The backups' folder, %LOCALAPPDATA%\Petarino\Backups: one file a backup, named by its local
// time of making. The automatic backups, those written before a restore or an import and those
// written before sync replaces memos are kept apart, the newest kKept of each kind, so neither
// stepping back through the list nor hours of another PC's edits push an automatic backup out.
#pragma once

#include "platform/files.h"
#include "platform/kernel.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace petarino::store {

enum class BackupKind {
    Automatic,     // "petarino-YYYYMMDD-HHMMSS.json"
    BeforeRestore, // "petarino-YYYYMMDD-HHMMSS-before.json"
    BeforeSync,    // "petarino-YYYYMMDD-HHMMSS-sync.json"
};

struct BackupEntry {
    platform::FilePath path;
    // "YYYY/MM/DD hh:nn:ss - N 枚", with "（復元前）" after it for a backup before a restore and
    // "（同期前）" for one before sync.
    std::string row;
};

class BackupFolder {
public:
    static constexpr int kKept = 20;

    explicit BackupFolder(platform::Files& files) : files_(files) {}

    // Writes the text through WriteWhole, named by the time; a time that is not after the
    // newest name of any kind takes that name's next second, so the names follow the order
    // of writing whatever the clock did. Then removes all but the newest kKept of the kind,
    // never the file just written nor `spared`. Throws what the files throw; the path of the
    // file written.
    platform::FilePath Write(std::string_view text, const platform::LocalTime& at, BackupKind kind,
                             const std::optional<platform::FilePath>& spared = std::nullopt);
    // Newest first. The count is read from the start of each file only, so showing the list
    // costs little however large the backups; a file whose count is not there is read whole.
    // A file that is no backup of this version shows "?" for its count.
    std::vector<BackupEntry> List();

private:
    struct Named {
        std::string name;
        platform::LocalTime time;
        BackupKind kind;
    };

    platform::FilePath Folder();
    // The backups of every kind, oldest first.
    std::vector<Named> Names();

    platform::Files& files_;
};

struct BackupName {
    platform::LocalTime time;
    BackupKind kind;
};

// The name's time and kind, for a name the folder gives its backups; nullopt for any other.
std::optional<BackupName> BackupNameOf(std::string_view name);

} // namespace petarino::store
