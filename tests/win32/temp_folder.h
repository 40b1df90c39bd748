// A folder of the test's own under the system's temporary folder, empty at the start and
// removed with everything in it at the end.
#pragma once

#include <filesystem>
#include <string_view>
#include <windows.h>

namespace petarino::win32 {

class TempFolder {
public:
    explicit TempFolder(std::wstring_view name) {
        wchar_t temp[MAX_PATH + 1];
        GetTempPathW(MAX_PATH + 1, temp);
        path_ = std::filesystem::path(temp) / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace petarino::win32
