// The sync engine's looks at a folder of 101 memo files on the system's files, timed with
// QueryPerformanceCounter, their CPU time with GetProcessTimes: the first look after a start,
// which reads every file, and the looks at the folder unchanged since, which open none. Run it
// with scripts/wine.sh; it works in a folder of its own in the temporary folder and on an
// in-memory registry.
#include "benchmark_prefix.h"
#include "memo_desktop.h"
#include "platform/fake/fake_registry.h"
#include "sync/memo_values.h"
#include "sync/travelling_values.h"
#include "platform/win32/kernel_win32.h"
#include "synced_world.h"

#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace petarino::bench {
namespace {

constexpr int kRepetitions = 21;
// The engine's own pace when nothing is reported: one look a minute.
constexpr double kLookSpacingMs = 60'000;
// A reported change is gathered this long before the look.
constexpr DWORD kGatheringMs = 2'100;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// User and kernel time of the process, in milliseconds.
double CpuMilliseconds() {
    FILETIME created;
    FILETIME exited;
    FILETIME kernel;
    FILETIME user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto hundredNs = [](FILETIME t) {
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(hundredNs(kernel) + hundredNs(user)) / 10'000.0;
}

// Wall time of each run, and the CPU time of all of them: the system counts CPU time in
// ticks of several milliseconds, so a single run's is mostly zero.
struct Runs {
    std::vector<double> wall;
    double cpu = 0;

    void Time(const std::function<void()>& timed) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        const double cpuBefore = CpuMilliseconds();
        QueryPerformanceCounter(&start);
        timed();
        QueryPerformanceCounter(&end);
        cpu += CpuMilliseconds() - cpuBefore;
        wall.push_back(Milliseconds(start, end));
    }
    double CpuPerRun() const { return cpu / static_cast<double>(wall.size()); }
};

void Report(const char* what, Runs runs) {
    std::sort(runs.wall.begin(), runs.wall.end());
    std::printf("%-46s median %8.2f ms  min %8.2f ms  CPU %7.2f ms a look (%zu runs)\n", what,
                runs.wall[runs.wall.size() / 2], runs.wall.front(), runs.CpuPerRun(),
                runs.wall.size());
}

void ReportPerMinute(const char* what, const Runs& runs) {
    std::printf("  %-44s %.4f %% of a core at one look every %.0f s\n", what,
                100.0 * runs.CpuPerRun() / kLookSpacingMs, kLookSpacingMs / 1000);
}

// The plain desktop's memos, given their ids, versions and files by joining a new folder, and
// saved as the program's exit would leave them.
bool WriteSyncedStore(platform::Registry& registry, const platform::FilePath& folder) {
    SyncedWorld synced(registry);
    for (int slot = 0; slot < kMemoCount; ++slot)
        synced.world.Create("メモ " + std::to_string(slot), MemoText(slot)).SetTitleBar(slot % 6);
    if (!synced.JoinNewFolder(folder)) return false;
    synced.world.store.SaveDatas();
    return true;
}

// A program just started over that store: its memos loaded, its engine yet to look.
struct Started {
    explicit Started(platform::Registry& registry) : synced(registry) {
        synced.world.store.LoadAtStart();
    }
    SyncedWorld synced;
};

int Run() {
    const platform::FilePath folder = TempFolderNamed(L"petarino-sync-timing");
    platform::FakeRegistry registry;
    if (!WriteSyncedStore(registry, folder)) return 1;
    win32::Win32Files files;
    win32::KernelWin32 kernel;
    // A listing of its own beside the engine's, which tells what the looks wrote.
    sync::FolderLook watch(files, kernel);
    const int filesInFolder = watch.Take(folder).filesOpened;

    // The first tick of each start looks: every file read, every memo fingerprinted.
    Runs first;
    std::unique_ptr<Started> started;
    for (int repetition = 0; repetition < kRepetitions; ++repetition) {
        started = std::make_unique<Started>(registry);
        first.Time([&] { started->synced.sync.Tick(); });
    }
    int filesWritten = watch.Take(folder).filesOpened;
    Runs reading;
    for (int repetition = 0; repetition < kRepetitions; ++repetition) {
        sync::FolderLook fresh(files, kernel);
        reading.Time([&] { fresh.Take(folder); });
    }

    // From here on every file is known. "今すぐ同期" fingerprints every memo for edits; a look
    // at the engine's own pace, or after a reported change, only when an edit was seen.
    sync::FolderSync& engine = started->synced.sync;
    Runs lookNow;
    for (int repetition = 0; repetition < kRepetitions; ++repetition)
        lookNow.Time([&] { engine.LookNow(); });
    Runs paced;
    for (int repetition = 0; repetition < kRepetitions; ++repetition) {
        engine.FolderChanged();
        Sleep(kGatheringMs);
        paced.Time([&] { engine.Tick(); });
    }
    filesWritten += watch.Take(folder).filesOpened;

    Runs listing;
    int filesOpened = 0;
    for (int repetition = 0; repetition < kRepetitions; ++repetition)
        listing.Time([&] { filesOpened += watch.Take(folder).filesOpened; });
    Runs fingerprints;
    DeskWorld& world = started->synced.world;
    const int pixelsPerInch = world.graphics.ScreenPixelsPerInch();
    for (int repetition = 0; repetition < kRepetitions; ++repetition)
        fingerprints.Time([&] {
            for (int slot = 0; slot <= world.table.MaxForm(); ++slot)
                sync::ContentFingerprint(
                    sync::MemoKeyValues(world.table.Memos(slot), pixelsPerInch));
        });
    RemoveFolder(folder);

    std::printf("A sync folder of %d files (the header and one a memo), %d memos here.\n",
                filesInFolder, world.table.MaxForm() + 1);
    Report("first look after a start (every file read)", first);
    Report("  of which FolderLook::Take alone", reading);
    Report("look, unchanged folder (Tick)", paced);
    Report("look, unchanged folder (LookNow)", lookNow);
    Report("  of which FolderLook::Take alone", listing);
    Report("  of which the memos fingerprinted", fingerprints);
    std::printf("Files opened by %d listings of the unchanged folder: %d; files written by all "
                "the looks: %d.\n",
                kRepetitions, filesOpened, filesWritten);
    std::printf("CPU of this process alone (the wineserver's share not counted):\n");
    ReportPerMinute("look, unchanged folder (Tick)", paced);
    ReportPerMinute("look, unchanged folder (LookNow)", lookNow);
    return 0;
}

} // namespace
} // namespace petarino::bench

int main() {
    return petarino::bench::Run();
}
