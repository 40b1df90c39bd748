// The sync engine over a DeskWorld's memos as the program runs it: the real files and kernel,
// the world's table, settings and macro services; nothing told, asked or backed up.
#pragma once

#include "benchmark_prefix.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/kernel_win32.h"
#include "sync/folder_sync.h"
#include "testing/desk_world.h"

#include <cstdio>

namespace petarino::bench {

struct SyncedWorld {
    explicit SyncedWorld(DeskWorld& over)
        : world(over), sync(sync::SyncServices{
                           .files = files,
                           .kernel = kernel,
                           .windows = over.macro.windows,
                           .settings = over.sync,
                           .memos = over.table,
                           .expander = over.macro.expander,
                           .host = over.clock,
                           .pixelsPerInch = over.graphics.ScreenPixelsPerInch(),
                           .save = [] {},
                           .backUp = {},
                           .tell = {},
                           .busy = {},
                       }) {}

    // The folder made anew and joined: its header and every memo's file written, as the user's
    // first "参照..." leaves it. False, saying why, when the engine refused or reported.
    bool JoinNewFolder(const platform::FilePath& folder) {
        RemoveFolder(folder);
        files.CreateFolder(folder);
        sync.Join(folder);
        for (const platform::ShownMessageBox& shown : world.macro.windows.Shown())
            std::fprintf(stderr, "sync: %s\n", shown.text.c_str());
        return sync.On() && world.macro.windows.Shown().empty();
    }

    DeskWorld& world;
    win32::Win32Files files;
    win32::KernelWin32 kernel;
    sync::FolderSync sync;
};

} // namespace petarino::bench
