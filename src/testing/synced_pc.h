// One PC that syncs, as the tests of sync drive it: what its user does, what its system does,
// and what it shows. The fault cases and the simulation of several PCs know a PC only
// through this, so the program's core can run behind it in place of today's test world.
#pragma once

#include "platform/files.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace petarino {

struct ShownMemo {
    std::string id;
    std::string title;
    std::string text;
    std::string content;  // the travelling values' fingerprint
    std::string versions; // as sync last counted them
    friend bool operator==(const ShownMemo&, const ShownMemo&) = default;
    friend auto operator<=>(const ShownMemo&, const ShownMemo&) = default;
};

class SyncedPc {
public:
    virtual ~SyncedPc() = default;

    // The user. A memo is named by its place in Memos().
    virtual bool Create(std::string_view title, std::string_view text) = 0; // false: no room
    virtual void Edit(std::size_t memo, std::string_view text) = 0;
    virtual void Destroy(std::size_t memo) = 0;
    virtual bool Join() = 0; // sync on, with this PC's folder; false when it was refused
    virtual void Stop() = 0;
    virtual void LookNow() = 0;
    // The memos as they are now, written out through "書き出し..." to be put back later.
    virtual void KeepBackup() = 0;
    // That file put back, as the page "拡張" restores a backup; false when nothing was replaced
    // (none kept, or the question answered No).
    virtual bool RestoreBackup() = 0;
    // Another PC's memos, exported there, the file brought here and read through "読み込み...".
    virtual bool Import(SyncedPc& from) = 0;
    // How the next question (sync's, or a restore's) is answered, and what the user does while
    // it is open.
    virtual void AnswerNextQuestion(bool yes, std::function<void()> meanwhile = {}) = 0;

    // The system.
    virtual void Seconds(int count) = 0;
    virtual void Restart() = 0; // the exit's look and save, then the next run on the same store
    // The process ends where it stands and nothing of the exit runs: the next run has the store as
    // the last save left it. What throws platform::SimulatedCrash (a write of a file or a
    // registry call stopped dead) ends in this.
    virtual void Crash() = 0;
    // The registry stops dead at that call from now, a save cut anywhere; 0: at none.
    virtual void CrashAtStoreCall(int calls) = 0;
    virtual void MoveClock(int days) = 0;

    // What it shows.
    virtual std::vector<ShownMemo> Memos() const = 0;
    virtual bool SyncOn() const = 0;
    virtual std::vector<std::string> Told() const = 0;
    virtual std::vector<std::string> Questions() const = 0;
    virtual platform::FilePath Folder() = 0;
};

// Over the test world of today (testing/sync_world.h); pc names its ids and its folder.
std::unique_ptr<SyncedPc> MakeSyncedPc(platform::Files& files, int pc);

} // namespace petarino
