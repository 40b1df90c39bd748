// A memo as it lies in the sync folder: one UTF-8 JSON file "<id>.json" with the memo's
// version counters, who wrote it and when, whether it was deleted, and its values as a backup
// writes them. Beside the memos, "petarino-sync.json" names the folder.
#pragma once

#include "platform/kernel.h"
#include "store/store_snapshot.h"
#include "sync/version_vector.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace petarino::sync {

inline constexpr std::string_view kMemoFileFormat = "petarino-memo";
inline constexpr int kMemoFileVersion = 1;
// A bigger file is refused before it is read.
inline constexpr std::uint64_t kMostMemoFileBytes = 256 * 1024;

inline constexpr std::string_view kFolderHeaderName = "petarino-sync.json";

struct MemoFile {
    std::string id;         // IsSyncId
    VersionVector versions; // never empty
    std::string device;     // the writer's, IsSyncId
    std::string updated;    // UpdatedText of the writing
    bool deleted = false;   // a tombstone: the memo was deleted at these versions
    std::vector<store::NamedValue> values;
    // The counters its content was written under, where a merge has since counted past them
    // (empty: `versions`): a version that has seen them has seen this content.
    VersionVector written;
    // The deletions this version outlived, merged: a content they had seen stays deleted.
    VersionVector removed;
    friend bool operator==(const MemoFile&, const MemoFile&) = default;
};

// The counters the content at `versions` was written under.
inline const VersionVector& WrittenUnder(const VersionVector& versions,
                                         const VersionVector& written) {
    return written.empty() ? versions : written;
}

// The same MemoFile always gives the same bytes, so an unchanged memo need not be written.
std::string MemoFileText(const MemoFile& memo, platform::Kernel& kernel);

enum class MemoFileKind {
    Memo,
    NotMemoFile, // not JSON, or another format: left alone without a word
    Newer,       // written by a newer Petarino
    Malformed,   // ours, but something in it is wrong
};

struct MemoFileRead {
    MemoFileKind kind = MemoFileKind::NotMemoFile;
    MemoFile memo;      // for Memo
    std::string reason; // for Newer and Malformed, to be shown beside the file's name
};

MemoFileRead ReadMemoFile(std::string_view text, platform::Kernel& kernel);

// "2026-12-08T12:34:56Z", from a time in UTC.
std::string UpdatedText(const platform::LocalTime& utc);

std::string FolderHeaderText(std::string_view folderId);
// The folder's id; nullopt for anything but a header of this version with a sound id.
std::optional<std::string> ReadFolderHeader(std::string_view text);

} // namespace petarino::sync
