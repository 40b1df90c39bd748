// One look at the sync folder: a single listing, and only the files whose size or time
// changed since the last look opened. Everything that is no memo file is left alone; a memo
// file that cannot be read is skipped, and told once when it is still bad a look later.
#pragma once

#include "platform/files.h"
#include "platform/kernel.h"
#include "sync/memo_file.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace petarino::sync {

enum class FolderState {
    Ready,
    Missing,     // not there, or cannot be listed: an unmounted share, a drive taken away
    NoHeader,    // no petarino-sync.json: not (or no longer) a sync folder
    OtherFolder, // the header names another sync folder
};

struct FoundFile {
    platform::FilePath path;
    std::string name;
    MemoFile file;
    bool own = false; // named after its id; any other name is a copy a sync engine made
};

struct BadFile {
    std::string name;
    std::string reason;
};

struct Look {
    FolderState state = FolderState::Ready;
    std::string folderId;
    // Memo files new or changed since the last look, those named after their id first.
    std::vector<FoundFile> changed;
    // Every id whose own file is in the folder, changed or not.
    std::set<std::string> ownFiles;
    // Bad for a second look in a row: to be told, once.
    std::vector<BadFile> stillBad;
    int filesOpened = 0;
};

inline constexpr std::string_view kHandledFolderName = "_handled";

class FolderLook {
public:
    FolderLook(platform::Files& files, platform::Kernel& kernel) : files_(files), kernel_(kernel) {}

    Look Take(const platform::FilePath& folder);
    // Every file is read anew at the next look: another folder, or after a pause.
    void Forget() { seen_.clear(); }

private:
    enum class Kind { Header, Memo, Foreign, Bad };
    struct Seen {
        std::uint64_t size = 0;
        std::uint64_t modified = 0;
        Kind kind = Kind::Foreign;
        std::string id;     // a memo file's
        std::string detail; // a header's folder id, a bad file's reason
        bool own = false;
        int badLooks = 0;
        bool told = false;
    };

    // Nullopt when the file could not be opened (held by the sync engine): tried again next look.
    std::optional<Seen> Read(const platform::FolderEntry& entry, Look& look);

    platform::Files& files_;
    platform::Kernel& kernel_;
    std::map<std::string, Seen> seen_;
};

} // namespace petarino::sync
