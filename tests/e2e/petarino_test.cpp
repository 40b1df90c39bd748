#include "petarino_test.h"

#include "deadline.h"
#include "memo_store.h"
#include "unix_path.h"
#include "window_search.h"

#include <windows.h>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <shlobj.h>
#include <stdexcept>

namespace petarino::e2e {
namespace {

std::wstring& ProgramUnderTest() {
    static std::wstring path;
    return path;
}

std::filesystem::path TempFolder() {
    wchar_t path[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, path);
    wchar_t longPath[MAX_PATH + 1];
    const DWORD length = GetLongPathNameW(path, longPath, MAX_PATH + 1);
    return length > 0 && length <= MAX_PATH ? longPath : path;
}

std::string BytesIn(UINT codePage, const std::wstring& text) {
    const int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

} // namespace

void SetProgramUnderTest(std::wstring path) {
    ProgramUnderTest() = remote::WindowsPathOf(std::move(path));
}

void PetarinoTest::SetUp() {
    remote::DeleteStore();
    static int count = 0;
    folder_ = TempFolder() / (L"petarino-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++count));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    ASSERT_TRUE(CopyFileW(ProgramUnderTest().c_str(), (folder_ / L"petarino.exe").c_str(), FALSE))
        << "cannot copy the program under test";
}

void PetarinoTest::TearDown() {
    for (RunningPetarino& copy : copies_)
        copy.Kill();
    copies_.clear();
    remote::DeleteStore();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

RunningPetarino& PetarinoTest::Launch() {
    return copies_.emplace_back(remote::Process::Start(folder_ / L"petarino.exe"));
}

std::wstring PetarinoTest::ProgramFolderText() const {
    return folder_.wstring() + L"\\";
}

bool TextChanges(HWND window) {
    const std::wstring before = remote::TextOf(window);
    return remote::WaitFor([&] { return remote::TextOf(window) != before; }, 3000);
}

std::filesystem::path BackupsFolder() {
    wchar_t local[MAX_PATH]{};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local)))
        throw std::runtime_error("no local application data folder");
    return std::filesystem::path(local) / L"Petarino" / L"Backups";
}

std::optional<int> StoredExec() {
    const auto settings = remote::ReadSettings();
    return settings ? std::optional(settings->exec) : std::nullopt;
}

std::string Cp932(const std::wstring& text) {
    return BytesIn(932, text);
}

std::string Utf8(const std::wstring& text) {
    return BytesIn(CP_UTF8, text);
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

std::vector<std::wstring> Listing(const std::filesystem::path& folder) {
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        names.push_back(entry.path().lexically_relative(folder).wstring());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace petarino::e2e
