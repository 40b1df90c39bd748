// A backup file: one UTF-8 JSON text holding the store, every value with its name, its
// registry type and its data, after a header. Texts that convert to UTF-8 and back exactly
// are written as text, DWORDs as numbers, everything else as base64, so a restored store
// is the saved one byte for byte.
#pragma once

#include "platform/kernel.h"
#include "store/store_snapshot.h"

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace petarino::store {

inline constexpr std::string_view kBackupFormat = "petarino-backup";
inline constexpr int kBackupVersion = 1;

// Why a file is no backup the program can take; the caller adds the file's name.
class EBackupRefused : public std::runtime_error {
public:
    explicit EBackupRefused(const std::string& reason) : std::runtime_error(reason) {}
};

struct Backup {
    StoreSnapshot snapshot;
    int memoCount = 0; // the memos a load of it makes
};

// The code page conversions come from the kernel; `created` is the local time of making.
std::string BackupText(const StoreSnapshot& snapshot, const platform::LocalTime& created,
                       platform::Kernel& kernel);

// The whole text checked before anything is taken from it: the header, every field's type,
// at most one memo key a table slot, and the store it holds read by the load's own reader,
// which must read every value and find MaxForm sound. Throws EBackupRefused.
Backup ParseBackup(std::string_view text, platform::Kernel& kernel);

// Only the header's memo count, for listing backups without checking each whole; nullopt
// when the text is no backup of this version.
std::optional<int> BackupMemoCount(std::string_view text);
// The backup's start that holds its header: the count comes before the values, which make a
// backup of the largest store ten megabytes.
inline constexpr std::size_t kBackupHeaderBytes = 4096;
// The memo count from the header alone, in the first bytes of a backup, without reading on;
// nullopt when they hold no header of this version with a count (a backup written otherwise,
// or no backup: the whole text tells).
std::optional<int> BackupHeaderMemoCount(std::string_view start);

} // namespace petarino::store
