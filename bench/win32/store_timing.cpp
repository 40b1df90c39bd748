// SaveDatas and the start-up load of the largest store on the real registry, timed with
// QueryPerformanceCounter (Google Benchmark has no mingw build here). Run it with
// scripts/wine.sh; it refuses to run where a store exists, so no one's memos are touched.
#include "largest_store.h"
#include "platform/win32/cp932_win32.h"
#include "platform/win32/registry_win32.h"
#include "store/store_layout.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>
#include <windows.h>

namespace petarino {
namespace {

constexpr int kRepetitions = 20;

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

// Times `timed` after `prepare`, each repetition on its own; prints the minimum and median.
void Report(const char* what, const std::function<void()>& prepare,
            const std::function<void()>& timed) {
    std::vector<double> times;
    for (int repetition = 0; repetition < kRepetitions; ++repetition) {
        prepare();
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        timed();
        QueryPerformanceCounter(&end);
        times.push_back(Milliseconds(start, end));
    }
    std::sort(times.begin(), times.end());
    std::printf("%-32s min %8.2f ms   median %8.2f ms   (%d runs)\n", what, times.front(),
                times[times.size() / 2], kRepetitions);
}

int Run() {
    if (StoreExists()) {
        std::fprintf(stderr, "A store exists under HKCU%s: not timing over it.\n",
                     std::string(store::kProgramKey).c_str());
        return 1;
    }
    win32::Win32Registry registry;
    {
        StoreWorld saving(registry);
        FillWithLargestStore(saving);
        Report(
            "SaveDatas, 101 memos of 2 KB", [] {}, [&] { saving.store.SaveDatas(); });
    }
    std::unique_ptr<StoreWorld> loading;
    Report(
        "start-up load, 101 memos of 2 KB",
        [&] {
            loading.reset();
            loading = std::make_unique<StoreWorld>(registry);
        },
        [&] { loading->store.LoadAtStart(); });
    loading.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, StoreSubkey().c_str());
    return 0;
}

} // namespace
} // namespace petarino

int main() {
    return petarino::Run();
}
