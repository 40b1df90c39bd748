// One PC that syncs: a running copy of the program, the real desk on the fakes, over a registry
// of its own and files shared with the other PCs of a test, the sync folder among them.
#pragma once

#include "platform/fake/fake_files.h"
#include "platform/fake/fake_registry.h"
#include "testing/desk_world.h"

#include <cstdint>
#include <string>
#include <vector>

namespace petarino {

struct SyncPc {
    // Each PC's ids begin differently, as random ones would. The next run of a PC is made on
    // the registry of the last one.
    SyncPc(platform::Files& folderFiles, std::uint16_t guidSpace,
           platform::FakeRegistry* lastRun = nullptr)
        : files(folderFiles), registry(lastRun ? *lastRun : ownRegistry),
          world(registry, 96, &folderFiles) {
        world.macro.kernel.SetGuidSpace(guidSpace);
    }

    platform::FilePath Folder() { return files.InFolder(files.LocalAppDataFolder(), "Sync"); }
    void Seconds(int count) { world.Seconds(count); }
    std::vector<const Memo*> Memos() const {
        std::vector<const Memo*> memos;
        for (int slot = 0; slot <= world.table.MaxForm(); ++slot)
            memos.push_back(&world.table.Memos(slot));
        return memos;
    }
    const Memo* Find(std::string_view title) const {
        for (const Memo* memo : Memos())
            if (memo->Hint() == AsMemoText(title)) return memo;
        return nullptr;
    }
    // The notices sync gave through the notification icon.
    std::vector<std::string> Told() const {
        std::vector<std::string> told;
        for (const FakeDeskView::Balloon& balloon : world.view.balloons)
            told.push_back(balloon.text);
        return told;
    }
    // The backups written before the folder replaced memos here.
    int Backups() { return static_cast<int>(world.desk.Backups().size()); }

    platform::Files& files;
    platform::FakeRegistry ownRegistry;
    platform::FakeRegistry& registry;
    DeskWorld world;
    sync::FolderSync& sync = world.desk.Sync();
};

} // namespace petarino
