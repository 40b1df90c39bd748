// Start-up time and resident memory of petarino.exe against the bare program in the same run,
// started alternately (a synced desktop: against petarino on the same memos without sync), and
// the store preparation, wait and close that the CPU benchmark (cpu_usage.sh) drives the
// programs with. Run it with scripts/wine.sh:
//   startup_timing [--runs N] [DESKTOP...]  time start-ups, by default over empty and mixed
//   startup_timing --prepare DESKTOP        write DESKTOP's store and leave
//   startup_timing --wait PROGRAM MEMOS     wait until PROGRAM shows MEMOS memos and is idle
//   startup_timing --close PROGRAM          close PROGRAM through its own route, wait for its exit
//   startup_timing --release                remove the store and sync folder the benchmarks wrote
// PROGRAM is petarino or bare; DESKTOP one of the names in kDesktops. It runs only under Wine
// and only where no store exists but one it wrote itself, so no one's memos are touched.
#include "benchmark_prefix.h"
#include "memo_desktop.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/unique_handle.h"
#include "process_figures.h"
#include "synced_world.h"
#include "testing/desk_world.h"

#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace petarino::bench {
namespace {

constexpr DWORD kPatienceMs = 120'000;
// After the start is complete, so memory is read once the first tick has run.
constexpr DWORD kSettleMs = 1'500;

using UniqueKernelHandle = win32::UniqueHandle<HANDLE, CloseHandle>;

enum class Clocks { none, tenWithSeconds, tenWithoutSeconds, allWithSeconds };

// A store the program starts over, and what the bare program shows for it. A synced store
// names a sync folder that holds its memos' files as the program's last run left them.
struct Desktop {
    const char* name;
    const char* what;
    int memos;
    Clocks clocks;
    bool synced = false;
};

constexpr Desktop kDesktops[] = {
    {"empty", "empty store", 0, Clocks::none},
    {"mixed", "101 memos, layouts 0..5, ten clocks with seconds", kMemoCount,
     Clocks::tenWithSeconds},
    {"seconds", "101 clocks with seconds", kMemoCount, Clocks::allWithSeconds},
    {"plain", "101 plain memos, layouts 0..5", kMemoCount, Clocks::none},
    {"minutes", "101 memos, ten clocks without seconds", kMemoCount, Clocks::tenWithoutSeconds},
    {"synced", "101 plain memos, layouts 0..5, sync on against sync off (plain)", kMemoCount,
     Clocks::none, true},
};

struct Program {
    const char* name;
    std::wstring path;
    const wchar_t* ownerClass; // hidden; a close request to it ends the program
    const wchar_t* formClass;  // another hidden window that must exist, or none
    const wchar_t* memoClass;
};

Program Petarino() {
    return {"petarino", PetarinoPath(), L"TApplication", L"TDouguForm", L"TMemoForm"};
}

Program Bare() {
    return {"bare", BuildFolder() + L"\\bench\\bare_memos.exe", kBareOwnerClass, nullptr,
            kBareMemoClass};
}

std::optional<Program> ProgramNamed(const char* name) {
    if (std::strcmp(name, "petarino") == 0) return Petarino();
    if (std::strcmp(name, "bare") == 0) return Bare();
    return std::nullopt;
}

const Desktop* DesktopNamed(const char* name) {
    for (const Desktop& desktop : kDesktops)
        if (std::strcmp(desktop.name, name) == 0) return &desktop;
    return nullptr;
}

// What the bare program is told to show for a desktop: its memos, ticking when they do.
std::wstring BareArguments(const Desktop& desktop) {
    return std::to_wstring(desktop.memos) +
           (desktop.clocks == Clocks::allWithSeconds ? L" --tick" : L"");
}

std::optional<std::string> ClockSource(Clocks clocks, int slot) {
    const bool tenth = slot % 10 == 5;
    if (clocks == Clocks::allWithSeconds || (clocks == Clocks::tenWithSeconds && tenth))
        return "N#{hh:nn:ss#}";
    if (clocks == Clocks::tenWithoutSeconds && tenth) return "N#{hh:nn#}";
    return std::nullopt;
}

// Written by the program's own store code, so the layout is exactly the one it loads; a
// synced desktop's folder by its own sync engine.
bool WriteStore(const Desktop& desktop) {
    RegDeleteTreeW(HKEY_CURRENT_USER, StoreSubkey().c_str());
    win32::Win32Registry registry;
    SyncedWorld synced(registry);
    DeskWorld& world = synced.world;
    for (int slot = 0; slot < desktop.memos; ++slot) {
        const std::optional<std::string> source = ClockSource(desktop.clocks, slot);
        Memo& memo = source ? world.CreateMacro("時計 " + std::to_string(slot), *source)
                            : world.Create("メモ " + std::to_string(slot), MemoText(slot));
        const RECT bounds = MemoBounds(slot);
        memo.SetBounds(bounds.left, bounds.top, bounds.right - bounds.left,
                       bounds.bottom - bounds.top);
        memo.SetTitleBar(slot % 6);
    }
    if (desktop.synced && !synced.JoinNewFolder(BenchSyncFolder())) return false;
    world.store.SaveDatas();
    return true;
}

struct Windows {
    HWND owner = nullptr;
    bool form = false;
    int visibleMemos = 0;
};

struct WindowSearch {
    const Program& program;
    DWORD processId;
    Windows found;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM lp) {
    auto& search = *reinterpret_cast<WindowSearch*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId) return TRUE;
    wchar_t name[64];
    GetClassNameW(window, name, 64);
    if (std::wcscmp(name, search.program.ownerClass) == 0) search.found.owner = window;
    if (search.program.formClass && std::wcscmp(name, search.program.formClass) == 0)
        search.found.form = true;
    if (std::wcscmp(name, search.program.memoClass) == 0 && IsWindowVisible(window))
        ++search.found.visibleMemos;
    return TRUE;
}

Windows FindWindows(const Program& program, DWORD processId) {
    WindowSearch search{program, processId, {}};
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The start is complete when the program has idled once and its hidden windows and every
// visible memo exist. The tray icon needs no look: Shell_NotifyIconW returns once the tray
// holds it, and both programs add it while their windows are made, before their first idle.
bool WaitUntilStarted(HANDLE process, DWORD processId, const Program& program, int memos) {
    if (WaitForInputIdle(process, kPatienceMs) != 0) return false;
    const ULONGLONG deadline = GetTickCount64() + kPatienceMs;
    while (GetTickCount64() < deadline) {
        const Windows windows = FindWindows(program, processId);
        if (windows.owner && (windows.form || !program.formClass) && windows.visibleMemos == memos)
            return true;
        if (WaitForSingleObject(process, 1) == WAIT_OBJECT_0) return false;
    }
    return false;
}

// A close request to the owner window: the program's own route out, saving its store.
bool Close(HANDLE process, DWORD processId, const Program& program) {
    HWND owner = FindWindows(program, processId).owner;
    if (!owner || !PostMessageW(owner, WM_CLOSE, 0, 0)) return false;
    return WaitForSingleObject(process, kPatienceMs) == WAIT_OBJECT_0;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

struct Start {
    double milliseconds;
    Memory memory;
};

std::optional<Start> TimeStart(const Program& program, const std::wstring& arguments, int memos) {
    std::wstring commandLine = L"\"" + program.path + L"\" " + arguments;
    STARTUPINFOW startup{.cb = sizeof(STARTUPINFOW)};
    PROCESS_INFORMATION created{};
    LARGE_INTEGER begin;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&begin);
    if (!CreateProcessW(program.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &created)) {
        std::fprintf(stderr, "%s: cannot start (error %lu)\n", program.name, GetLastError());
        return std::nullopt;
    }
    const UniqueKernelHandle process(created.hProcess);
    const UniqueKernelHandle thread(created.hThread);
    const bool started = WaitUntilStarted(process.get(), created.dwProcessId, program, memos);
    QueryPerformanceCounter(&end);
    std::optional<Start> result;
    if (started) {
        Sleep(kSettleMs);
        result = Start{Milliseconds(begin, end), ReadMemory(process.get())};
    } else {
        std::fprintf(stderr, "%s: did not show its windows\n", program.name);
    }
    if (!Close(process.get(), created.dwProcessId, program)) {
        std::fprintf(stderr, "%s: did not end on its close request; terminated\n", program.name);
        TerminateProcess(process.get(), 1);
        return std::nullopt;
    }
    return result;
}

template <typename Value> double Median(std::vector<Value> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2
               ? static_cast<double>(values[middle])
               : (static_cast<double>(values[middle - 1]) + static_cast<double>(values[middle])) /
                     2;
}

struct Figures {
    std::vector<double> milliseconds;
    std::vector<SIZE_T> workingSets;
    std::vector<SIZE_T> privateBytes;

    void Add(const Start& start) {
        milliseconds.push_back(start.milliseconds);
        workingSets.push_back(start.memory.workingSet);
        privateBytes.push_back(start.memory.privateBytes);
    }
    bool Empty() const { return milliseconds.empty(); }
};

constexpr double kMiB = 1024.0 * 1024.0;

void PrintRow(const char* name, const Figures& figures) {
    std::printf("  %-10s %8.1f ms (min %7.1f, %zu runs)   working set %6.1f MiB   private %6.1f "
                "MiB\n  %-10s  runs:",
                name, Median(figures.milliseconds),
                *std::min_element(figures.milliseconds.begin(), figures.milliseconds.end()),
                figures.milliseconds.size(), Median(figures.workingSets) / kMiB,
                Median(figures.privateBytes) / kMiB, "");
    for (double milliseconds : figures.milliseconds)
        std::printf(" %.0f", milliseconds);
    std::printf(" ms\n");
}

// One program of a comparison: started over the store of a desktop, or on arguments alone.
struct Side {
    const char* name;
    Program program;
    const Desktop* store;
    std::wstring arguments;
    Figures figures;
};

// The program against the bare program; a synced desktop against the program on the same
// memos without sync, so only what sync adds shows.
std::pair<Side, Side> SidesOf(const Desktop& desktop) {
    if (desktop.synced)
        return {Side{"sync on", Petarino(), &desktop, L"", {}},
                Side{"sync off", Petarino(), DesktopNamed("plain"), L"", {}}};
    return {Side{"petarino", Petarino(), &desktop, L"", {}},
            Side{"bare", Bare(), nullptr, BareArguments(desktop), {}}};
}

void PrintComparison(const Desktop& desktop, const Side& first, const Side& second) {
    std::printf("%s (medians):\n", desktop.what);
    for (const Side* side : {&first, &second})
        if (side->figures.Empty())
            std::printf("  %-10s no complete run\n", side->name);
        else
            PrintRow(side->name, side->figures);
    const Figures& a = first.figures;
    const Figures& b = second.figures;
    if (!a.Empty() && !b.Empty())
        std::printf("  ratio      start-up %.2fx   working set %.2fx   private %.2fx\n",
                    Median(a.milliseconds) / Median(b.milliseconds),
                    Median(a.workingSets) / Median(b.workingSets),
                    Median(a.privateBytes) / Median(b.privateBytes));
    std::printf("\n");
    std::fflush(stdout);
}

// One run of each program first, not counted: the first start reads the files from disk.
void TimeDesktop(const Desktop& desktop, int runs) {
    auto [first, second] = SidesOf(desktop);
    const auto run = [&](Side& side, bool counted) {
        if (side.store && !WriteStore(*side.store)) return;
        const std::optional<Start> start = TimeStart(side.program, side.arguments, desktop.memos);
        if (start && counted) side.figures.Add(*start);
    };
    run(first, false);
    run(second, false);
    for (int round = 0; round < runs; ++round) {
        // Alternating which goes first, so neither always follows the other's exit.
        if (round % 2) {
            run(second, true);
            run(first, true);
        } else {
            run(first, true);
            run(second, true);
        }
    }
    PrintComparison(desktop, first, second);
}

int TimeStarts(int runs, const std::vector<const Desktop*>& desktops) {
    if (!ClaimPrefix()) return 1;
    for (const Desktop* desktop : desktops)
        TimeDesktop(*desktop, runs);
    ReleasePrefix();
    std::printf("Start-up: from CreateProcessW until the program has idled once "
                "(WaitForInputIdle) and its\nhidden windows and every visible memo exist. "
                "Memory %.1f s later: working set from GetProcessMemoryInfo,\nprivate bytes "
                "the committed private regions (VirtualQueryEx) where it reports none.\n",
                kSettleMs / 1000.0);
    return 0;
}

// The running copy of a program, found by its owner window.
struct Running {
    UniqueKernelHandle process;
    DWORD processId = 0;
};

std::optional<Running> FindRunning(const Program& program) {
    const ULONGLONG deadline = GetTickCount64() + kPatienceMs;
    while (GetTickCount64() < deadline) {
        if (HWND owner = FindWindowW(program.ownerClass, nullptr)) {
            Running running;
            GetWindowThreadProcessId(owner, &running.processId);
            running.process = UniqueKernelHandle(
                OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE,
                            running.processId));
            if (running.process) return running;
        }
        Sleep(10);
    }
    std::fprintf(stderr, "%s is not running\n", program.name);
    return std::nullopt;
}

int WaitForStart(const Program& program, int memos) {
    std::optional<Running> running = FindRunning(program);
    if (!running) return 1;
    if (!WaitUntilStarted(running->process.get(), running->processId, program, memos)) {
        std::fprintf(stderr, "%s did not show its %d memos\n", program.name, memos);
        return 1;
    }
    const Memory memory = ReadMemory(running->process.get());
    std::printf("%s started: working set %.1f MiB, private %.1f MiB\n", program.name,
                static_cast<double>(memory.workingSet) / kMiB,
                static_cast<double>(memory.privateBytes) / kMiB);
    return 0;
}

int CloseRunning(const Program& program) {
    std::optional<Running> running = FindRunning(program);
    if (!running) return 1;
    if (!Close(running->process.get(), running->processId, program)) {
        std::fprintf(stderr, "%s did not end on its close request\n", program.name);
        return 1;
    }
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: startup_timing [--runs N] [DESKTOP...] | --prepare DESKTOP | "
                         "--wait PROGRAM MEMOS | --close PROGRAM | --release\n"
                         "  PROGRAM: petarino, bare   DESKTOP:");
    for (const Desktop& desktop : kDesktops)
        std::fprintf(stderr, " %s", desktop.name);
    std::fprintf(stderr, "\n");
    return 64;
}

int Main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode.empty() || mode == "--runs" || DesktopNamed(mode.c_str())) {
        int runs = 9;
        int next = 1;
        if (mode == "--runs" && argc > 2) {
            runs = std::max(1, std::atoi(argv[2]));
            next = 3;
        }
        std::vector<const Desktop*> desktops;
        for (; next < argc; ++next)
            if (const Desktop* desktop = DesktopNamed(argv[next]))
                desktops.push_back(desktop);
            else
                return Usage();
        if (desktops.empty()) desktops = {DesktopNamed("empty"), DesktopNamed("mixed")};
        return TimeStarts(runs, desktops);
    }
    if (mode == "--prepare" && argc == 3) {
        const Desktop* desktop = DesktopNamed(argv[2]);
        if (!desktop) return Usage();
        if (!ClaimPrefix()) return 1;
        return WriteStore(*desktop) ? 0 : 1;
    }
    if (mode == "--release" && argc == 2) {
        if (!ClaimPrefix()) return 1;
        ReleasePrefix();
        return 0;
    }
    const std::optional<Program> program = argc > 2 ? ProgramNamed(argv[2]) : std::nullopt;
    if (mode == "--wait" && argc == 4 && program) return WaitForStart(*program, std::atoi(argv[3]));
    if (mode == "--close" && argc == 3 && program) return CloseRunning(*program);
    return Usage();
}

} // namespace
} // namespace petarino::bench

int main(int argc, char** argv) {
    return petarino::bench::Main(argc, argv);
}
