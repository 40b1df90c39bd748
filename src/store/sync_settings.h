// Where this PC syncs its memos, kept with the program's settings: the folder the user
// picked (empty when sync is off), this PC's id among the PCs that share it, and the id of
// the sync folder joined, so that another one put in its place is never taken for it; and the
// memos destroyed here while the folder was away.
#pragma once

#include "platform/files.h"

#include <string>

namespace petarino::store {

struct SyncSettings {
    platform::FilePath folder;
    std::string device;
    std::string folderId;
    // Tombstones not written yet, as sync/pending_deletions.h writes them.
    std::string pendingDeletions;
    // What the engine's decisions need across runs, as sync/engine_state.h writes it.
    std::string engineState;
};

} // namespace petarino::store
