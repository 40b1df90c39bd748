// The desk as the program runs it, over real files: sync meets the folder as it lies on the
// disk; the registry is the caller's.
#pragma once

#include "benchmark_prefix.h"
#include "platform/win32/files_win32.h"
#include "testing/desk_world.h"

#include <cstdio>

namespace petarino::bench {

struct SyncedWorld {
    explicit SyncedWorld(platform::Registry& registry) : world(registry, 96, &files) {}

    // The folder made anew and joined: its header and every memo's file written, as the user's
    // first "参照..." leaves it. False, saying why, when the engine refused or reported.
    bool JoinNewFolder(const platform::FilePath& folder) {
        RemoveFolder(folder);
        files.CreateFolder(folder);
        world.desk.JoinSyncFolder(folder);
        for (const platform::ShownMessageBox& shown : world.macro.windows.Shown())
            std::fprintf(stderr, "sync: %s\n", shown.text.c_str());
        return sync.On() && world.macro.windows.Shown().empty();
    }

    win32::Win32Files files;
    DeskWorld world;
    sync::FolderSync& sync = world.desk.Sync();
};

} // namespace petarino::bench
