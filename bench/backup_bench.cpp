// A backup of the largest store, on the in-memory registry: the snapshot, the JSON text, and
// the reading that checks a file before a restore, without the system's registry or disk.
#include "largest_store.h"
#include "platform/fake/fake_registry.h"
#include "store/backup_file.h"

#include <benchmark/benchmark.h>

namespace petarino {
namespace {

struct SavedLargestStore {
    SavedLargestStore() {
        FillWithLargestStore(world);
        world.store.SaveDatas();
    }
    std::string Text() {
        return store::BackupText(world.store.ReadSnapshot(), {}, world.macro.kernel);
    }

    platform::FakeRegistry registry;
    DeskWorld world{registry};
};

void BackupWriteOf101Memos(benchmark::State& state) {
    SavedLargestStore saved;
    for (auto _ : state)
        benchmark::DoNotOptimize(saved.Text());
    state.counters["bytes"] = static_cast<double>(saved.Text().size());
}
BENCHMARK(BackupWriteOf101Memos)->Unit(benchmark::kMillisecond);

void BackupReadOf101Memos(benchmark::State& state) {
    SavedLargestStore saved;
    const std::string text = saved.Text();
    for (auto _ : state)
        benchmark::DoNotOptimize(store::ParseBackup(text, saved.world.macro.kernel));
}
BENCHMARK(BackupReadOf101Memos)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace petarino
