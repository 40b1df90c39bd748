// The automatic backups' folder, %LOCALAPPDATA%\Petarino\Backups: one file a backup, named
// by its local time of making, the newest kKept kept.
#pragma once

#include "platform/files.h"
#include "platform/kernel.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace petarino::store {

struct BackupEntry {
    platform::FilePath path;
    std::string row; // "YYYY/MM/DD hh:nn:ss - N 枚"
};

class BackupFolder {
public:
    static constexpr int kKept = 20;

    explicit BackupFolder(platform::Files& files) : files_(files) {}

    // Writes the text as "petarino-YYYYMMDD-HHMMSS.json" of the time, or of the first later
    // second whose name is free, through WriteWhole; then removes all but the newest kKept.
    // Throws what the files throw; the path of the file written.
    platform::FilePath Write(std::string_view text, const platform::LocalTime& at);
    // Newest first. A file that is no backup of this version shows "?" for its count.
    std::vector<BackupEntry> List();

private:
    platform::FilePath Folder();
    // The backups' names, oldest first.
    std::vector<std::string> Names();

    platform::Files& files_;
};

// The name's time, for a name the folder gives its backups; nullopt for any other name.
std::optional<platform::LocalTime> BackupTimeOf(std::string_view name);

} // namespace petarino::store
