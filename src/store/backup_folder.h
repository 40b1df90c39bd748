// The backups' folder, %LOCALAPPDATA%\Petarino\Backups: one file a backup, named by its local
// time of making. The automatic backups and those written before a restore or an import are
// kept apart, the newest kKept of each kind, so stepping back through the list never pushes an
// automatic backup out.
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
};

struct BackupEntry {
    platform::FilePath path;
    // "YYYY/MM/DD hh:nn:ss - N 枚", with "（復元前）" after it for a backup before a restore.
    std::string row;
};

class BackupFolder {
public:
    static constexpr int kKept = 20;

    explicit BackupFolder(platform::Files& files) : files_(files) {}

    // Writes the text through WriteWhole, named by the time; a time that is not after the
    // newest name of either kind takes that name's next second, so the names follow the order
    // of writing whatever the clock did. Then removes all but the newest kKept of the kind,
    // never the file just written nor `spared`. Throws what the files throw; the path of the
    // file written.
    platform::FilePath Write(std::string_view text, const platform::LocalTime& at, BackupKind kind,
                             const std::optional<platform::FilePath>& spared = std::nullopt);
    // Newest first. A file that is no backup of this version shows "?" for its count.
    std::vector<BackupEntry> List();

private:
    struct Named {
        std::string name;
        platform::LocalTime time;
        BackupKind kind;
    };

    platform::FilePath Folder();
    // The backups of both kinds, oldest first.
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
