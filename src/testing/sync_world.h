// One PC that syncs, as far as the sync engine sees it: a running copy of the program over a
// registry of its own, and a folder shared with the other PCs of a test.
#pragma once

#include "platform/fake/fake_files.h"
#include "platform/fake/fake_registry.h"
#include "sync/folder_sync.h"
#include "testing/store_world.h"

#include <cstdint>
#include <string>
#include <vector>

namespace petarino {

struct SyncPc {
    // Each PC's ids begin differently, as random ones would. The next run of a PC is made on
    // the registry of the last one.
    SyncPc(platform::Files& folderFiles, std::uint16_t guidSpace,
           platform::FakeRegistry* lastRun = nullptr)
        : files(folderFiles), registry(lastRun ? *lastRun : ownRegistry), world(registry) {
        world.macro.kernel.SetGuidSpace(guidSpace);
    }

    platform::FilePath Folder() { return files.InFolder(files.LocalAppDataFolder(), "Sync"); }
    // A second of the uptime, then the tick.
    void Seconds(int count) {
        platform::FakeKernel& kernel = world.macro.kernel;
        for (int i = 0; i < count; ++i) {
            kernel.SetUptimeMilliseconds(kernel.UptimeMilliseconds() + 1000);
            sync.Tick();
        }
    }
    std::vector<const Memo*> Memos() const {
        std::vector<const Memo*> memos;
        for (int slot = 0; slot <= world.table.MaxForm(); ++slot)
            memos.push_back(&world.table.Memos(slot));
        return memos;
    }
    const Memo* Find(std::string_view title) const {
        for (const Memo* memo : Memos())
            if (memo->Hint() == title) return memo;
        return nullptr;
    }

    platform::Files& files;
    platform::FakeRegistry ownRegistry;
    platform::FakeRegistry& registry;
    StoreWorld world;
    std::vector<std::string> told;
    int backups = 0;
    int foundFolder = 0;
    bool busy = false;
    sync::FolderSync sync{sync::SyncServices{
        .files = files,
        .kernel = world.macro.kernel,
        .windows = world.macro.windows,
        .settings = world.sync,
        .memos = world.table,
        .expander = world.macro.expander,
        .host = world.clock,
        .pixelsPerInch = 96,
        .save = [] {},
        .backUp = [this] { ++backups; },
        .tell = [this](std::string_view text) { told.emplace_back(text); },
        .busy = [this] { return busy; },
        .foundFolder = [this] { ++foundFolder; },
    }};
};

} // namespace petarino
