// The Wine benchmarks write the store of the prefix they run in: only where there is none or
// the one there is theirs, and they take away what they wrote.
#include "benchmark_prefix.h"

#include <windows.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace petarino::bench {
namespace {

void WriteStoreValue() {
    const DWORD total = 7;
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, StoreSubkey().c_str(), L"Total", REG_DWORD, &total,
                              sizeof total),
              ERROR_SUCCESS);
}

bool StoreExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, StoreSubkey().c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

TEST(BenchmarkPrefix, ClaimsOnlyAnEmptyPrefixOrItsOwnAndTakesAwayWhatItWrote) {
    ReleasePrefix();
    WriteStoreValue();
    EXPECT_FALSE(ClaimPrefix()) << "a user's store";
    EXPECT_TRUE(StoreExists()) << "a refused store is left as it is";

    RegDeleteTreeW(HKEY_CURRENT_USER, StoreSubkey().c_str());
    EXPECT_TRUE(ClaimPrefix()) << "no store";
    WriteStoreValue();
    EXPECT_TRUE(ClaimPrefix()) << "the store the benchmarks wrote";

    ReleasePrefix();
    EXPECT_FALSE(StoreExists());
    WriteStoreValue();
    EXPECT_FALSE(ClaimPrefix()) << "the claim went with the release";
    RegDeleteTreeW(HKEY_CURRENT_USER, StoreSubkey().c_str());
}

TEST(BenchmarkPrefix, TheReleaseTakesAwayTheSyncFolderWithEverythingInIt) {
    const platform::FilePath folder = BenchSyncFolder();
    const std::filesystem::path native(std::wstring(folder.units.begin(), folder.units.end()));
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    // Removed with everything in it: only ever in the temporary folder.
    EXPECT_EQ(native.parent_path(), std::filesystem::path(temp).parent_path());
    std::filesystem::create_directories(native / "_handled");
    std::ofstream(native / "petarino-sync.json") << "{}";
    std::ofstream(native / "_handled" / "a (2).json") << "{}";
    ReleasePrefix();
    EXPECT_FALSE(std::filesystem::exists(native));
}

} // namespace
} // namespace petarino::bench
