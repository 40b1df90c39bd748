// SaveDatas and the start-up load of the largest store on the real registry, timed with
// QueryPerformanceCounter (Google Benchmark has no mingw build here), and the load against a
// bare read of the same memos' values in the same run. Run it with scripts/wine.sh; it
// refuses to run where a store exists, so no one's memos are touched.
#include "largest_store.h"
#include "platform/win32/cp932_win32.h"
#include "platform/win32/kernel_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/unique_handle.h"
#include "store/backup_file.h"
#include "store/store_layout.h"

#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace petarino {
namespace {

constexpr int kRepetitions = 21;

std::wstring StoreSubkey() {
    return win32::ToWide(store::kProgramKey.substr(1));
}

bool StoreExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, StoreSubkey().c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

double Time(const std::function<void()>& timed) {
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    timed();
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end);
}

// Prints the minimum and the median; returns the median.
double Report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("%-36s min %8.2f ms   median %8.2f ms   (%zu runs)\n", what, times.front(), median,
                times.size());
    return median;
}

// The yardstick of the load: every value of the memo keys read with the bare W functions,
// once each into a buffer large enough for any of them, nothing converted or judged.
void RawReadOfMemoValues() {
    using namespace store::memo_value;
    static const std::wstring names[] = {
        win32::ToWide(kTop),         win32::ToWide(kLeft),
        win32::ToWide(kWidth),       win32::ToWide(kHeight),
        win32::ToWide(kTitle),       win32::ToWide(kTitleBar),
        win32::ToWide(kTitleText),   win32::ToWide(kTitleBackGround),
        win32::ToWide(kText),        win32::ToWide(kWordWrap),
        win32::ToWide(kVisible),     win32::ToWide(kFontName),
        win32::ToWide(kColor),       win32::ToWide(kFontStyle),
        win32::ToWide(kFontColor),   win32::ToWide(kFontSize),
        win32::ToWide(kStayOnTop),   win32::ToWide(kAlarmAt),
        win32::ToWide(kAlarmRepeat), win32::ToWide(kAlarmSound),
        win32::ToWide(kAlarmDay),    win32::ToWide(kOpacity)};
    std::vector<BYTE> buffer(64 * 1024);
    for (int slot = 0; slot < MemoTable::kSlots; ++slot) {
        HKEY opened = nullptr;
        const std::wstring path = win32::ToWide(store::MemoKeyPath(slot).substr(1));
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
            continue;
        const win32::UniqueHandle<HKEY, RegCloseKey> key(opened);
        for (const std::wstring& name : names) {
            DWORD type = REG_NONE;
            auto size = static_cast<DWORD>(buffer.size());
            RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, buffer.data(), &size);
        }
    }
}

int Run() {
    if (StoreExists()) {
        std::fprintf(stderr, "A store exists under HKCU%s: not timing over it.\n",
                     std::string(store::kProgramKey).c_str());
        return 1;
    }
    win32::Win32Registry registry;
    {
        DeskWorld saving(registry);
        FillWithLargestStore(saving);
        std::vector<double> times;
        for (int repetition = 0; repetition < kRepetitions; ++repetition)
            times.push_back(Time([&] { saving.store.SaveDatas(); }));
        Report("SaveDatas, 101 memos of 2 KB", times);
    }
    {
        // A backup reads every value of the store raw; a restore writes the memo keys anew
        // and loads them as at start.
        DeskWorld backing(registry);
        win32::KernelWin32 kernel;
        std::string text;
        std::vector<double> backups;
        for (int repetition = 0; repetition < kRepetitions; ++repetition)
            backups.push_back(
                Time([&] { text = store::BackupText(backing.store.ReadSnapshot(), {}, kernel); }));
        const store::Backup backup = store::ParseBackup(text, kernel);
        std::vector<double> restores;
        for (int repetition = 0; repetition < kRepetitions; ++repetition)
            restores.push_back(Time([&] { backing.store.ReplaceMemos(backup.snapshot); }));
        Report("backup text of the store, 101 memos", backups);
        Report("restore of it (write, then load)", restores);
        std::printf("backup file of 101 memos of 2 KB     %8zu bytes\n", text.size());
    }
    // One right after the other in each repetition, first one then the other, so that a
    // change in the machine's load falls on both alike; the ratio is taken repetition by
    // repetition.
    std::vector<double> loads;
    std::vector<double> rawReads;
    std::vector<double> ratios;
    for (int repetition = 0; repetition < kRepetitions; ++repetition) {
        DeskWorld loading(registry);
        const auto load = [&] { loads.push_back(Time([&] { loading.store.LoadAtStart(); })); };
        const auto rawRead = [&] { rawReads.push_back(Time(RawReadOfMemoValues)); };
        if (repetition % 2 == 0) {
            load();
            rawRead();
        } else {
            rawRead();
            load();
        }
        ratios.push_back(loads.back() / rawReads.back());
    }
    Report("start-up load, 101 memos of 2 KB", loads);
    Report("raw read of the memo keys' values", rawReads);
    std::sort(ratios.begin(), ratios.end());
    std::printf("load / raw read, median of the runs  %8.2f\n", ratios[ratios.size() / 2]);
    RegDeleteTreeW(HKEY_CURRENT_USER, StoreSubkey().c_str());
    return 0;
}

} // namespace
} // namespace petarino

int main() {
    return petarino::Run();
}
