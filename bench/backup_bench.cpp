// A backup of the largest store, on the in-memory registry: the snapshot, the JSON text, and
// the reading that checks a file before a restore, without the system's registry or disk; and
// the list of a full backups folder on disk, as the page "拡張" shows it.
#include "largest_store.h"
#include "platform/fake/fake_choosers.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_registry.h"
#include "store/backup_file.h"
#include "store/memo_backups.h"

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

// Two kinds of 20 backups each, of 101 memos of 60 KB: about 10 MB a file.
void BackupListOf40LongBackups(benchmark::State& state) {
    platform::FakeRegistry registry;
    DeskWorld world{registry};
    std::string text;
    while (text.size() < 60 * 1024)
        text += "今日の買い物：牛乳、卵、パン。\r\n";
    for (int slot = 0; slot < MemoTable::kSlots; ++slot)
        world.Create("メモ" + std::to_string(slot), text);
    world.store.SaveDatas();
    platform::FakeFiles files;
    platform::FakeChoosers choosers;
    store::MemoBackups backups{world.store, files, world.macro.kernel, world.macro.windows,
                               choosers};
    for (int i = 0; i < store::BackupFolder::kKept; ++i) {
        backups.AfterExitSave();
        backups.BeforeSync();
    }
    const auto listed = backups.List();
    if (listed.size() != 40 || !listed.front().row.ends_with(" - 101 枚（同期前）"))
        state.SkipWithError("the folder does not hold 40 backups of 101 memos");
    for (auto _ : state)
        benchmark::DoNotOptimize(backups.List());
    state.counters["file bytes"] = static_cast<double>(*files.FileSize(listed.front().path));
}
BENCHMARK(BackupListOf40LongBackups)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace petarino
