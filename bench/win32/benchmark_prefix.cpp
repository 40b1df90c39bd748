#include "benchmark_prefix.h"

#include "platform/win32/cp932_win32.h"
#include "store/store_layout.h"

#include <windows.h>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace petarino::bench {
namespace {

constexpr const wchar_t* kMarkerSubkey = L"Software\\Mivora\\PetarinoBenchmarks";

bool KeyExists(const std::wstring& subkey) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool UnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

} // namespace

std::wstring BuildFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.resize(folder.find_last_of(L'\\'));
    return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring PetarinoPath() {
    return BuildFolder() + L"\\src\\petarino.exe";
}

std::wstring StoreSubkey() {
    return win32::ToWide(store::kProgramKey.substr(1));
}

bool ClaimPrefix() {
    if (!UnderWine()) {
        std::fprintf(stderr, "Runs only under Wine (scripts/wine.sh), never on a user's store.\n");
        return false;
    }
    if (KeyExists(kMarkerSubkey)) return true;
    if (KeyExists(StoreSubkey())) {
        std::fprintf(stderr, "A store exists under HKCU%s: not touching it.\n",
                     std::string(store::kProgramKey).c_str());
        return false;
    }
    HKEY marker = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kMarkerSubkey, 0, nullptr, 0, KEY_WRITE, nullptr,
                        &marker, nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(marker);
    return true;
}

platform::FilePath TempFolderNamed(std::wstring_view name) {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    std::wstring folder = std::wstring(temp, length) + std::wstring(name);
    return {std::u16string(folder.begin(), folder.end())};
}

platform::FilePath BenchSyncFolder() {
    return TempFolderNamed(L"petarino-bench-sync");
}

void RemoveFolder(const platform::FilePath& folder) {
    std::error_code ignored;
    std::filesystem::remove_all(std::wstring(folder.units.begin(), folder.units.end()), ignored);
}

void ReleasePrefix() {
    RegDeleteTreeW(HKEY_CURRENT_USER, StoreSubkey().c_str());
    RemoveFolder(BenchSyncFolder());
    RegDeleteTreeW(HKEY_CURRENT_USER, kMarkerSubkey);
}

} // namespace petarino::bench
