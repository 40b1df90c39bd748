// One look at the sync folder: a single listing, and only the files whose size or time
// changed since the last look opened. Everything that is no memo file is left alone; a memo
// file that cannot be read is skipped, and told once when it is still bad a look later.
#pragma once

#include "platform/files.h"
#include "platform/kernel.h"
#include "sync/engine_state.h"
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
    // Ids whose own file is there but does not read (a newer version's, a broken one, one
    // that cannot be opened): never written over, their memos wait.
    std::set<std::string> unreadable;
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
    // What was seen, kept across runs, so a look after a restart opens only what changed.
    const std::map<std::string, SeenFile>& Seen() const { return seen_; }
    void Resume(std::map<std::string, SeenFile> seen) { seen_ = std::move(seen); }
    // The file is read at the next look, changed or not: what it holds was not kept yet.
    void ReadAgain(const std::string& name) {
        if (const auto seen = seen_.find(name); seen != seen_.end()) seen->second.retry = true;
    }
    // This PC wrote these memo files (file name -> its size): one listing takes their stamps,
    // so the next look does not open them again. One whose size is not what was written was
    // replaced meanwhile, and is read.
    void Wrote(const platform::FilePath& folder, const std::map<std::string, std::uint64_t>& sizes);

private:
    SeenFile Read(const platform::FolderEntry& entry, Look& look);

    platform::Files& files_;
    platform::Kernel& kernel_;
    std::map<std::string, SeenFile> seen_;
};

} // namespace petarino::sync
