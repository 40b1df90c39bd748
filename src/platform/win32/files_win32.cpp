#include "platform/win32/files_win32.h"

#include "platform/win32/cp932_win32.h"
#include "platform/win32/unique_handle.h"

#include <windows.h>
#include <algorithm>
#include <shlobj.h>
#include <string>
#include <system_error>
#include <utility>

namespace petarino::win32 {
namespace {

using platform::EFCreateError;
using platform::EFOpenError;
using platform::EWriteError;
using platform::FilePath;

static_assert(sizeof(wchar_t) == sizeof(char16_t), "a FilePath holds the W functions' units");

using UniqueFile = UniqueHandle<HANDLE, CloseHandle>;
using UniqueFind = UniqueHandle<HANDLE, FindClose>;

std::wstring Wide(const FilePath& path) {
    return {path.units.begin(), path.units.end()};
}

FilePath PathOf(std::wstring_view wide) {
    return {std::u16string(wide.begin(), wide.end())};
}

UniqueFile OpenFile(const std::wstring& name, DWORD access, DWORD share, DWORD disposition) {
    HANDLE file = CreateFileW(name.c_str(), access, share, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    return UniqueFile(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

// Where the name after the last separator begins.
size_t NameAt(std::wstring_view path) {
    const size_t cut = path.find_last_of(L"\\/:");
    return cut == std::wstring_view::npos ? 0 : cut + 1;
}

// Where a name's extension begins: at its last ".", unless that opens the name.
size_t ExtensionAt(std::wstring_view name) {
    const size_t dot = name.rfind(L'.');
    return dot == std::wstring_view::npos || dot == 0 ? name.size() : dot;
}

// A name may follow directly: after a separator, a drive's colon or nothing at all.
bool NameFollowsDirectly(std::wstring_view folder) {
    return folder.empty() || folder.back() == L'\\' || folder.back() == L'/' ||
           folder.back() == L':';
}

bool Taken(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// One level at a time from the top: the system makes no folder whose parent is missing.
bool MakeFolder(const std::wstring& path) {
    for (size_t at = path.find_first_of(L"\\/", 3); at != std::wstring::npos;
         at = path.find_first_of(L"\\/", at + 1))
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryW(path.c_str(), nullptr);
    return IsFolder(path);
}

std::uint64_t Joined(DWORD high, DWORD low) {
    return (std::uint64_t{high} << 32) | low;
}

std::wstring ModuleFileName() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                    "GetModuleFileNameW");
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2); // cut short: a long path
    }
}

// A new file of its own in the target's folder, on the same volume, so it can take the
// target's place in one step. It removes itself unless it was put in place.
class TemporaryFile {
public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        file_.Reset();
        if (!name_.empty()) DeleteFileW(name_.c_str());
    }

    // "~$" + the target's stem + ".tmp": engines that replicate a folder upload no name
    // beginning with "~$". A leftover of a write that never finished is removed; a name that
    // stays taken (a folder, the file of a write going on) gives way to a number after the
    // stem. False when the folder does not exist or takes no new file.
    bool Create(const std::wstring& target) {
        const size_t nameAt = NameAt(target);
        const std::wstring_view name = std::wstring_view(target).substr(nameAt);
        const std::wstring stem =
            target.substr(0, nameAt) + L"~$" + std::wstring(name.substr(0, ExtensionAt(name)));
        for (int number = 1; number <= 100; ++number) {
            std::wstring candidate =
                stem + (number == 1 ? std::wstring() : std::to_wstring(number)) + L".tmp";
            if (Taken(candidate) && !DeleteFileW(candidate.c_str())) continue;
            file_ = OpenFile(candidate, GENERIC_WRITE, 0, CREATE_NEW);
            if (file_) {
                name_ = std::move(candidate);
                return true;
            }
            if (!Taken(candidate)) return false;
        }
        return false;
    }

    // Every byte, then to the disk, or EWriteError.
    void Write(std::string_view bytes) {
        constexpr size_t kMostAtOnce = size_t{1} << 30;
        while (!bytes.empty()) {
            const auto size = static_cast<DWORD>(std::min(bytes.size(), kMostAtOnce));
            DWORD written = 0;
            if (!WriteFile(file_.get(), bytes.data(), size, &written, nullptr) || written != size)
                throw EWriteError();
            bytes.remove_prefix(size);
        }
        if (!FlushFileBuffers(file_.get())) throw EWriteError();
        file_.Reset();
    }

    // False when the target cannot be replaced or made; the target is then as it was.
    bool PutInPlaceOf(const std::wstring& target, bool targetExists) {
        const bool placed =
            targetExists ? Replace(target)
                         : MoveFileExW(name_.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
        if (placed) name_.clear();
        return placed;
    }

private:
    // The old file is moved aside first, so a replace the system gives up halfway can put
    // it back. Its attributes go over to the new file where the system can.
    bool Replace(const std::wstring& target) {
        const std::wstring aside = name_ + L".old";
        if (ReplaceFileW(target.c_str(), name_.c_str(), aside.c_str(),
                         REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
            DeleteFileW(aside.c_str());
            return true;
        }
        if (GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES)
            MoveFileExW(aside.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
        return false;
    }

    UniqueFile file_;
    std::wstring name_;
};

// At most `size` bytes from the file's start. A read that fails is as good as a file that
// cannot be opened; a file that shrank ends where it ends.
std::string ReadUpTo(HANDLE file, std::size_t size, const std::string& display) {
    std::string bytes(size, '\0');
    constexpr std::size_t kChunk = 1 << 20; // within ReadFile's DWORD count
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto wanted = static_cast<DWORD>(std::min(bytes.size() - done, kChunk));
        DWORD read = 0;
        if (!ReadFile(file, bytes.data() + done, wanted, &read, nullptr))
            throw EFOpenError(display);
        if (read == 0) break;
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

} // namespace

FilePath Win32Files::ProgramFolder() {
    const std::wstring program = ModuleFileName();
    return PathOf(std::wstring_view(program).substr(0, NameAt(program)));
}

FilePath Win32Files::ProgramFile() {
    return PathOf(ModuleFileName());
}

FilePath Win32Files::InFolder(const FilePath& folder, std::string_view name) {
    std::wstring path = Wide(folder);
    if (!NameFollowsDirectly(path)) path += L'\\';
    return PathOf(path + ToWide(name));
}

std::string Win32Files::Display(const FilePath& path) {
    return FromWideOrQuestionMark(Wide(path));
}

void Win32Files::WriteWhole(const FilePath& path, std::string_view bytes) {
    const std::wstring target = Wide(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // Refused before anything is written, as opening it for writing would be.
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        throw EFCreateError(Display(path));

    TemporaryFile temporary;
    if (!temporary.Create(target)) throw EFCreateError(Display(path));
    temporary.Write(bytes);
    if (!temporary.PutInPlaceOf(target, exists)) throw EFCreateError(Display(path));
}

std::string Win32Files::ReadWhole(const FilePath& path, std::uint64_t maxBytes) {
    const UniqueFile file = OpenFile(Wide(path), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    if (!file) throw EFOpenError(Display(path));
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) throw EFOpenError(Display(path));
    if (static_cast<std::uint64_t>(size.QuadPart) > maxBytes)
        throw platform::EFTooLarge(Display(path));
    // No more than the size checked: what a file grew by since is not read.
    return ReadUpTo(file.get(), static_cast<std::size_t>(size.QuadPart), Display(path));
}

std::string Win32Files::ReadStart(const FilePath& path, std::size_t bytes) {
    const UniqueFile file = OpenFile(Wide(path), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    if (!file) throw EFOpenError(Display(path));
    return ReadUpTo(file.get(), bytes, Display(path));
}

FilePath Win32Files::LocalAppDataFolder() {
    std::wstring folder(MAX_PATH, L'\0');
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                SHGFP_TYPE_CURRENT, folder.data())))
        throw std::runtime_error("ローカルアプリケーションデータのフォルダがわかりません");
    folder.resize(folder.find(L'\0'));
    if (!folder.empty() && folder.back() != L'\\') folder.push_back(L'\\');
    return PathOf(folder);
}

void Win32Files::CreateFolder(const FilePath& folder) {
    if (!MakeFolder(Wide(folder))) throw EFCreateError(Display(folder));
}

std::vector<std::string> Win32Files::FileNames(const FilePath& folder, std::string_view extension) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = Wide(folder) + L"*" + ToWide(extension);
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    const UniqueFind closer(search);
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(FromWideOrQuestionMark(found.cFileName));
    } while (FindNextFileW(search, &found));
    return names;
}

bool Win32Files::RemoveFile(const FilePath& path) {
    return DeleteFileW(Wide(path).c_str()) != 0;
}

std::optional<std::uint64_t> Win32Files::FileSize(const FilePath& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return Joined(data.nFileSizeHigh, data.nFileSizeLow);
}

// The find data carries sizes and stamps, so nothing is opened; the short names are not
// asked for, and the system fetches the entries in larger batches.
std::optional<std::vector<platform::FolderEntry>> Win32Files::ListFolder(const FilePath& folder) {
    const std::wstring path = Wide(InFolder(folder, {}));
    WIN32_FIND_DATAW found{};
    const HANDLE search =
        FindFirstFileExW((path + L"*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                         nullptr, FIND_FIRST_EX_LARGE_FETCH);
    std::vector<platform::FolderEntry> entries;
    // A drive's empty root holds not even "." and "..".
    if (search == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND && FolderExists(folder)
                   ? std::optional(entries)
                   : std::nullopt;
    const UniqueFind closer(search);
    do {
        const std::wstring_view name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entries.push_back({
            .name = FromWideOrQuestionMark(name),
            .path = PathOf(path + found.cFileName),
            .folder = isFolder,
            .size = isFolder ? 0 : Joined(found.nFileSizeHigh, found.nFileSizeLow),
            .modified =
                Joined(found.ftLastWriteTime.dwHighDateTime, found.ftLastWriteTime.dwLowDateTime),
        });
    } while (FindNextFileW(search, &found));
    // A listing broken off midway would pass for a folder without the rest.
    if (GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;
    return entries;
}

bool Win32Files::FolderExists(const FilePath& folder) {
    return IsFolder(Wide(folder));
}

bool Win32Files::MoveIntoFolder(const FilePath& file, const FilePath& folder) {
    const std::wstring source = Wide(file);
    const std::wstring_view name = std::wstring_view(source).substr(NameAt(source));
    if (name.empty() || !MakeFolder(Wide(folder))) return false;
    const std::wstring into = Wide(InFolder(folder, {}));
    const size_t extensionAt = ExtensionAt(name);
    for (int number = 1; number <= 9999; ++number) {
        const std::wstring target = number == 1 ? into + std::wstring(name)
                                                : into + std::wstring(name.substr(0, extensionAt)) +
                                                      L" (" + std::to_wstring(number) + L")" +
                                                      std::wstring(name.substr(extensionAt));
        // Never MOVEFILE_REPLACE_EXISTING: a taken name fails the move, and the next is tried.
        if (MoveFileExW(source.c_str(), target.c_str(),
                        MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

} // namespace petarino::win32
