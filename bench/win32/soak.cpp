// The long road of a program that stays resident for months: petarino.exe driven from outside
// through its own windows, and its memory and GDI and USER objects read before the road, at
// each quarter and after it. Run it with scripts/wine.sh:
//   soak [--visits N]   N visits of the road, 500 by default (the whole road)
// A visit shows the properties window from the tray icon, makes and destroys two memos with
// its buttons (the confirmation answered), hides it with OK, opens the memo properties dialog
// with Ctrl+M in the made memo and the palette from it, on two visits of five saves the memo's
// text through the dialog's file chooser, cancels, and runs 40 ticks of the clocks. It runs
// only under Wine and only where no store exists but one the benchmarks wrote.
#include "benchmark_prefix.h"
#include "deadline.h"
#include "file_chooser.h"
#include "memo_desktop.h"
#include "memo_store.h"
#include "message_boxes.h"
#include "petarino_windows.h"
#include "process.h"
#include "process_figures.h"
#include "tray.h"
#include "user_input.h"
#include "window_search.h"

#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace petarino::bench {
namespace {

// The store's clocks; the memo each visit makes is the 101st.
constexpr int kClocks = kMemoCount - 1;
constexpr int kRoadVisits = 500;
constexpr int kTicksPerVisit = 40;
constexpr int kExportsPerFiveVisits = 2;
// The properties window's one-second timer, whose message runs the same tick as the timer.
constexpr WPARAM kTickTimer = 1;
constexpr unsigned long kStartPatienceMs = 120'000;
// Before a sample, time for the program to finish what the last step left to idle time.
constexpr DWORD kSettleMs = 1'000;
constexpr double kAllowedGrowth = 0.02;

void Require(bool done, const char* step) {
    if (!done) throw std::runtime_error(step);
}

std::vector<remote::StoredMemo> Clocks() {
    std::vector<remote::StoredMemo> clocks;
    for (int slot = 0; slot < kClocks; ++slot) {
        const RECT bounds = MemoBounds(slot);
        clocks.push_back({.top = bounds.top,
                          .left = bounds.left,
                          .width = bounds.right - bounds.left,
                          .height = bounds.bottom - bounds.top,
                          .title = L"時計 " + std::to_wstring(slot),
                          .titleBar = slot % 6,
                          .text = L"N#{hh:nn:ss#}"});
    }
    return clocks;
}

std::wstring ExportPath() {
    wchar_t folder[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder, length) + L"petarino-soak-export.txt";
}

std::string Cp932(const std::wstring& text) {
    std::string bytes(text.size() * 2, '\0');
    const int length =
        WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(static_cast<size_t>(std::max(length, 0)));
    return bytes;
}

std::optional<std::string> FileBytes(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    if (!file) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), {});
}

struct Sample {
    const char* when;
    Memory memory;
    GuiObjects objects;
};

// The running program and the steps of the road, each as a user or the system takes it.
class Road {
public:
    explicit Road(remote::Process program) : program_(std::move(program)) {
        properties_ = remote::WaitForPropertiesWindow(Id(), kStartPatienceMs);
        Require(properties_, "the properties window did not appear");
        Require(remote::WaitFor([&] { return remote::VisibleMemoWindows(Id()).size() == kClocks; },
                                kStartPatienceMs),
                "the clocks were not shown");
        for (HWND clock : remote::MemoWindows(Id()))
            clocks_.insert(remote::TextAreaOf(clock));
        Require(remote::WaitFor([&] { return !remote::TextOf(*clocks_.begin()).empty(); }),
                "the clocks show no time");
    }

    void Visit(int visit) {
        remote::PostTrayEvent(properties_, WM_LBUTTONUP);
        Require(remote::WaitFor([&] { return IsWindowVisible(properties_) != FALSE; }),
                "the tray icon's click did not show the properties window");
        if (made_) DestroyMadeMemo();
        MakeMemo();
        DestroyMadeMemo();
        MakeMemo();
        Click(Control(properties_, L"&OK"));
        Require(remote::WaitFor([&] { return !IsWindowVisible(properties_); }),
                "OK did not hide the properties window");
        OpenAndCancelDialog(visit, visit % 5 < kExportsPerFiveVisits);
        for (int tick = 0; tick < kTicksPerVisit; ++tick)
            Tick();
    }

    Sample Take(const char* when) const {
        Sleep(kSettleMs);
        return {when, ReadMemory(program_.Handle()),
                ReadGuiObjects(program_.Handle(), program_.Id())};
    }

    // The road's end: the memo of the last visit destroyed, the program closed through its
    // application window as the system closes it.
    void Finish() {
        remote::PostTrayEvent(properties_, WM_LBUTTONUP);
        Require(remote::WaitFor([&] { return IsWindowVisible(properties_) != FALSE; }),
                "the properties window did not show for the last memo");
        if (made_) DestroyMadeMemo();
        PostMessageW(remote::ApplicationWindowOf(properties_), WM_CLOSE, 0, 0);
        Require(program_.WaitForExit(kStartPatienceMs).has_value(), "the program did not end");
    }

private:
    DWORD Id() const { return program_.Id(); }

    static HWND Control(HWND window, const wchar_t* caption) {
        HWND control = remote::ChildWithText(window, L"Button", caption);
        Require(control, "a button is missing");
        return control;
    }

    static void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

    HWND VisibleWindow(const wchar_t* className) const {
        for (HWND window : remote::TopLevelWindows(className, Id()))
            if (IsWindowVisible(window)) return window;
        return nullptr;
    }

    // A memo made by "新規メモ作成" is the only one that is not a clock.
    void MakeMemo() {
        Click(Control(properties_, L"新規メモ作成"));
        Require(remote::WaitFor([&] {
                    for (HWND memo : remote::VisibleMemoWindows(Id()))
                        if (!clocks_.contains(remote::TextAreaOf(memo))) made_ = memo;
                    return made_ != nullptr;
                }),
                "新規メモ作成 made no memo");
    }

    // Its row in the status list selected, then "メモの破棄" and Yes to the question.
    void DestroyMadeMemo() {
        const std::vector<HWND> lists = remote::ChildWindows(properties_, L"ListBox");
        Require(!lists.empty(), "the status list is missing");
        remote::Send(lists.front(), LB_SETCURSEL, kClocks);
        Click(Control(properties_, L"メモの破棄"));
        const auto question = remote::WaitForMessageBox(Id(), remote::kPatienceMs);
        Require(question && question->caption == L"ペタリノの破棄",
                "no question before destroying");
        Require(remote::Answer(*question, IDYES), "the question stayed");
        Require(remote::WaitFor([&] { return !IsWindow(made_); }), "the memo was not destroyed");
        made_ = nullptr;
    }

    // Ctrl+M in the made memo's text, the palette from the dialog, on an exporting visit the
    // text saved through the file chooser, then Cancel.
    void OpenAndCancelDialog(int visit, bool exporting) {
        const HWND text = remote::TextAreaOf(made_);
        const std::wstring typed = L"書き出し " + std::to_wstring(visit);
        ReplaceText(text, typed);
        SetForegroundWindow(made_);
        remote::ClickInto(text);
        remote::Press({VK_CONTROL, 'M'});
        HWND dialog = nullptr;
        Require(remote::WaitFor([&] { return (dialog = VisibleWindow(L"TMemoSet")) != nullptr; }),
                "Ctrl+M opened no dialog");
        Click(Control(dialog, L"マクロツール"));
        Require(remote::WaitFor([&] { return VisibleWindow(L"TMacroSet") != nullptr; }),
                "マクロツール showed no palette");
        if (exporting) Export(dialog, typed);
        Click(Control(dialog, L"ｷｬﾝｾﾙ"));
        Require(remote::WaitFor(
                    [&] { return !VisibleWindow(L"TMemoSet") && !VisibleWindow(L"TMacroSet"); }),
                "Cancel left the dialog or the palette open");
    }

    // The same file each time, removed first, so no question about replacing it comes.
    void Export(HWND dialog, const std::wstring& typed) {
        DeleteFileW(exportPath_.c_str());
        Click(Control(dialog, L"保存(&S)..."));
        Require(remote::ChooseFile(Id(), exportPath_, remote::kPatienceMs),
                "the file chooser did not take the name");
        // The chooser closes before the program writes.
        Require(remote::WaitFor([&] { return FileBytes(exportPath_) == Cp932(typed); }),
                "the saved file does not hold the text");
        ++exports_;
    }

    // Every clock's text is blanked first, as another program may, so each tick finds a text
    // that differs from its expansion and writes all of them again, as every new second does.
    void Tick() {
        for (HWND clock : clocks_)
            ReplaceText(clock, L"");
        remote::Send(properties_, WM_TIMER, kTickTimer);
        // A starved program may answer after the send has given up; the tick still comes.
        Require(remote::WaitFor([&] { return !remote::TextOf(*clocks_.begin()).empty(); },
                                remote::kPatienceMs),
                "the tick did not rewrite the clocks");
    }

    // The whole text replaced as a paste replaces it: the program hears of the change, which
    // a multi-line edit does not report for WM_SETTEXT.
    static void ReplaceText(HWND edit, const std::wstring& text) {
        remote::Send(edit, EM_SETSEL, 0, -1);
        remote::Send(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    }

    remote::Process program_;
    HWND properties_ = nullptr;
    std::set<HWND> clocks_;
    HWND made_ = nullptr;
    const std::wstring exportPath_ = ExportPath();
    int exports_ = 0;
};

constexpr double kMiB = 1024.0 * 1024.0;

void PrintSample(const Sample& sample) {
    std::printf("  %-10s %9.2f %9.2f %8lu %8lu\n", sample.when,
                static_cast<double>(sample.memory.privateBytes) / kMiB,
                static_cast<double>(sample.memory.workingSet) / kMiB, sample.objects.gdi,
                sample.objects.user);
    std::fflush(stdout);
}

// The growth from the first quarter's end to the last one's; true when within the allowance.
bool PrintGrowth(const char* name, double first, double last) {
    const double growth = first > 0 ? (last - first) / first : 0;
    const bool within = growth <= kAllowedGrowth;
    std::printf("  %-13s %+7.2f %%%s\n", name, growth * 100, within ? "" : "   GROWS");
    return within;
}

int Soak(int visits) {
    if (!ClaimPrefix()) return 1;
    remote::WriteStore({.saving = true, .saveTiming = 1}, Clocks());
    std::printf("Soak road: %d visits of %d (%.0f %% of the whole road): %d ticks of %d clocks "
                "and the made memo,\n%d memos made and destroyed, %d memo properties dialogs "
                "with the palette, %d times\nthe properties window shown and hidden, %d "
                "exports; autosave every minute of ticks.\n",
                visits, kRoadVisits, 100.0 * visits / kRoadVisits, visits * kTicksPerVisit, kClocks,
                visits * 2, visits, visits,
                (visits / 5) * kExportsPerFiveVisits + std::min(visits % 5, kExportsPerFiveVisits));
    std::printf("  %-10s %9s %9s %8s %8s\n", "", "private", "working", "GDI", "USER");
    std::printf("  %-10s %9s %9s %8s %8s\n", "", "MiB", "set MiB", "objects", "objects");
    const ULONGLONG began = GetTickCount64();
    std::vector<Sample> samples;
    int status = 0;
    try {
        Road road(remote::Process::Start(PetarinoPath()));
        samples.push_back(road.Take("before"));
        PrintSample(samples.back());
        static const char* const kQuarters[] = {"quarter 1", "quarter 2", "quarter 3", "quarter 4"};
        for (int quarter = 0; quarter < 4; ++quarter) {
            for (int visit = visits * quarter / 4; visit < visits * (quarter + 1) / 4; ++visit)
                road.Visit(visit);
            samples.push_back(road.Take(kQuarters[quarter]));
            PrintSample(samples.back());
        }
        road.Finish();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "The road stopped: %s\n", failure.what());
        status = 1;
    }
    DeleteFileW(ExportPath().c_str());
    ReleasePrefix();
    std::printf("  %.0f s on the road\n", static_cast<double>(GetTickCount64() - began) / 1000);
    if (samples.size() < 5) return 1;
    const Sample& first = samples[1];
    const Sample& last = samples[4];
    std::printf("Growth from the end of the first quarter to the end of the last:\n");
    bool within = PrintGrowth("private", static_cast<double>(first.memory.privateBytes),
                              static_cast<double>(last.memory.privateBytes));
    within &= PrintGrowth("working set", static_cast<double>(first.memory.workingSet),
                          static_cast<double>(last.memory.workingSet));
    within &= PrintGrowth("GDI objects", first.objects.gdi, last.objects.gdi);
    within &= PrintGrowth("USER objects", first.objects.user, last.objects.user);
    std::printf("GDI objects: %s; USER objects: %s.\n%s\n", NameOf(last.objects.gdiBy),
                NameOf(last.objects.userBy),
                within ? "No figure grew by more than 2 %." : "A figure grew by more than 2 %.");
    return status != 0 ? status : within ? 0 : 2;
}

int Main(int argc, wchar_t** argv) {
    int visits = kRoadVisits;
    if (argc == 3 && std::wcscmp(argv[1], L"--visits") == 0)
        visits = std::max(4, static_cast<int>(std::wcstol(argv[2], nullptr, 10)));
    else if (argc != 1) {
        std::fprintf(stderr, "usage: soak [--visits N]   (%d visits are the whole road)\n",
                     kRoadVisits);
        return 64;
    }
    return Soak(visits);
}

} // namespace
} // namespace petarino::bench

int wmain(int argc, wchar_t** argv) {
    return petarino::bench::Main(argc, argv);
}
