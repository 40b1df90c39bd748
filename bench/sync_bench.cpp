// A look at a sync folder of 101 memo files on the fakes (real files in a temporary folder): the
// first after a start, which reads every file and fingerprints every memo, against those at the
// folder unchanged since, which open none.
#include "largest_store.h"
#include "testing/sync_world.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace petarino {
namespace {

// One PC that synced the largest store, every file of its folder known.
struct SyncedLargestStore {
    SyncedLargestStore() {
        files.CreateFolder(pc.Folder());
        FillWithLargestStore(pc.world);
        pc.sync.Join(pc.Folder());
        pc.sync.LookNow(); // the files the join wrote, read back once
        pc.world.store.SaveDatas();
    }

    platform::FakeFiles files;
    SyncPc pc{files, 1};
};

// The first tick of a start: the memos loaded with their sync state, nothing of the folder known.
void FirstLookAt101Memos(benchmark::State& state) {
    SyncedLargestStore synced;
    const store::StoreSnapshot saved = synced.pc.world.store.ReadSnapshot();
    for (auto _ : state) {
        state.PauseTiming();
        auto started = std::make_unique<SyncPc>(synced.files, 1);
        started->world.sync = synced.pc.world.sync;
        started->world.store.ReplaceMemos(saved);
        state.ResumeTiming();
        started->sync.Tick();
        state.PauseTiming();
        started.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(FirstLookAt101Memos)->Unit(benchmark::kMillisecond);

// The look a reported change or the minute's pace brings: no edit seen, so no fingerprint.
void LookAtUnchanged101Memos(benchmark::State& state) {
    SyncedLargestStore synced;
    for (auto _ : state) {
        synced.pc.sync.FolderChanged();
        synced.pc.Seconds(2);
    }
}
BENCHMARK(LookAtUnchanged101Memos)->Unit(benchmark::kMillisecond);

// "今すぐ同期": every memo fingerprinted for edits.
void LookNowAtUnchanged101Memos(benchmark::State& state) {
    SyncedLargestStore synced;
    for (auto _ : state)
        synced.pc.sync.LookNow();
}
BENCHMARK(LookNowAtUnchanged101Memos)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace petarino
