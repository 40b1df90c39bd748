#include "platform/fake/fake_files.h"

#include "text/cp932.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace petarino::platform {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const FilePath& path) {
    std::string bytes;
    for (const char16_t unit : path.units)
        bytes += unit < 0x100 ? static_cast<char>(unit) : '?';
    return bytes;
}

fs::path NewFolderIn(const fs::path& parent) {
    std::random_device random;
    for (;;) {
        fs::path folder = parent / ("petarino-files-" + std::to_string(random()));
        if (fs::create_directory(folder)) return folder;
    }
}

bool ReadOnly(const fs::path& file) {
    return (fs::status(file).permissions() & fs::perms::owner_write) == fs::perms::none;
}

// A name may follow directly: after nothing, or after "\" or "/" as a character of its own,
// not as the second byte of a double-byte one.
bool NameFollowsDirectly(std::string_view folder) {
    if (folder.empty()) return true;
    size_t last = 0;
    for (size_t at = 0; at < folder.size(); at += CharacterBytes(folder.substr(at)))
        last = at;
    return last + 1 == folder.size() && (folder[last] == '\\' || folder[last] == '/');
}

// "~$" + the target's stem + ".tmp", as Files::WriteWhole names it: a leftover file is
// removed, a name still taken gives way to a number after the stem. Empty when none is free.
fs::path TemporaryBeside(const fs::path& target) {
    const std::string stem = "~$" + target.stem().string();
    for (int number = 1; number <= 100; ++number) {
        fs::path candidate =
            target.parent_path() / (stem + (number == 1 ? "" : std::to_string(number)) + ".tmp");
        std::error_code failed;
        if (!fs::exists(fs::symlink_status(candidate, failed)) ||
            (fs::is_regular_file(candidate, failed) && fs::remove(candidate, failed)))
            return candidate;
    }
    return {};
}

std::uint64_t Stamp(fs::file_time_type time) {
    return static_cast<std::uint64_t>(time.time_since_epoch().count());
}

} // namespace

FakeFiles::FakeFiles() : root_(NewFolderIn(fs::temp_directory_path())) {
    fs::create_directory(ProgramDirectory());
}

FakeFiles::~FakeFiles() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

FilePath FakeFiles::ProgramFolder() {
    return InFolder({}, ProgramDirectory().string() + "/");
}

FilePath FakeFiles::ProgramFile() {
    return InFolder(ProgramFolder(), "petarino.exe");
}

FilePath FakeFiles::InFolder(const FilePath& folder, std::string_view name) {
    FilePath path = folder;
    if (!NameFollowsDirectly(Bytes(folder))) path.units += u'\\';
    for (const char byte : name)
        path.units += static_cast<char16_t>(static_cast<unsigned char>(byte));
    return path;
}

std::string FakeFiles::Display(const FilePath& path) {
    return Bytes(path);
}

fs::path FakeFiles::Native(const FilePath& path) const {
    std::string native = Bytes(path);
    for (size_t at = 0; at < native.size();
         at += CharacterBytes(std::string_view(native).substr(at)))
        if (native[at] == '\\') native[at] = '/';
    return native;
}

void FakeFiles::WriteWhole(const FilePath& path, std::string_view bytes) {
    const fs::path target = Native(path);
    if (fs::exists(target) && (!fs::is_regular_file(target) || ReadOnly(target)))
        throw EFCreateError(Display(path));

    const fs::path temporary = TemporaryBeside(target);
    if (temporary.empty()) throw EFCreateError(Display(path));
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!file) throw EFCreateError(Display(path));
    const size_t fits = std::min(failAfter_.value_or(bytes.size()), bytes.size());
    failAfter_.reset();
    file.write(bytes.data(), static_cast<std::streamsize>(fits));
    file.close();
    std::error_code ignored;
    if (fits < bytes.size() || !file) {
        fs::remove(temporary, ignored);
        throw EWriteError();
    }
    std::error_code failed;
    fs::rename(temporary, target, failed);
    if (failed) {
        fs::remove(temporary, ignored);
        throw EFCreateError(Display(path));
    }
}

std::string FakeFiles::ReadWhole(const FilePath& path, std::uint64_t maxBytes) {
    std::ifstream file(Native(path), std::ios::binary);
    const auto size = FileSize(path);
    if (!file || !size) throw EFOpenError(Display(path));
    if (*size > maxBytes) throw EFTooLarge(Display(path));
    // No more than the size checked: what a file grew by since is not read.
    std::string bytes(*size, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return bytes;
}

std::string FakeFiles::ReadStart(const FilePath& path, std::size_t bytes) {
    std::ifstream file(Native(path), std::ios::binary);
    if (!file || !FileSize(path)) throw EFOpenError(Display(path));
    std::string start(bytes, '\0');
    file.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(file.gcount()));
    return start;
}

FilePath FakeFiles::LocalAppDataFolder() {
    return InFolder({}, (root_ / "local").string() + "/");
}

void FakeFiles::CreateFolder(const FilePath& folder) {
    std::error_code failed;
    fs::create_directories(Native(folder), failed);
    if (failed || !fs::is_directory(Native(folder))) throw EFCreateError(Display(folder));
}

std::vector<std::string> FakeFiles::FileNames(const FilePath& folder, std::string_view extension) {
    std::vector<std::string> names;
    std::error_code failed;
    for (const auto& entry : fs::directory_iterator(Native(folder), failed))
        if (entry.is_regular_file() && entry.path().extension() == extension)
            names.push_back(entry.path().filename().string());
    return names;
}

bool FakeFiles::RemoveFile(const FilePath& path) {
    std::error_code failed;
    return fs::is_regular_file(Native(path)) && fs::remove(Native(path), failed);
}

std::optional<std::uint64_t> FakeFiles::FileSize(const FilePath& path) {
    std::error_code failed;
    const auto size = fs::file_size(Native(path), failed);
    if (failed || !fs::is_regular_file(Native(path))) return std::nullopt;
    return size;
}

std::optional<std::vector<FolderEntry>> FakeFiles::ListFolder(const FilePath& folder) {
    std::vector<FolderEntry> entries;
    std::error_code failed;
    for (auto at = fs::directory_iterator(Native(folder), failed);
         !failed && at != fs::directory_iterator(); at.increment(failed)) {
        const bool isFolder = at->is_directory(failed);
        const std::string name = at->path().filename().string();
        entries.push_back({
            .name = name,
            .path = InFolder(folder, name),
            .folder = isFolder,
            .size = isFolder ? 0 : at->file_size(failed),
            .modified = Stamp(at->last_write_time(failed)),
        });
    }
    if (failed) return std::nullopt;
    return entries;
}

bool FakeFiles::FolderExists(const FilePath& folder) {
    std::error_code failed;
    return fs::is_directory(Native(folder), failed);
}

bool FakeFiles::MoveIntoFolder(const FilePath& file, const FilePath& folder) {
    const fs::path source = Native(file);
    const fs::path into = Native(folder);
    std::error_code failed;
    fs::create_directories(into, failed);
    if (!fs::is_directory(into, failed) || !fs::exists(source, failed)) return false;
    const std::string stem = source.stem().string();
    const std::string extension = source.extension().string();
    for (int number = 1; number <= 9999; ++number) {
        const fs::path target =
            into / (number == 1 ? source.filename().string()
                                : stem + " (" + std::to_string(number) + ")" + extension);
        // A rename here replaces a file of the target's name: a taken name is passed over first.
        if (fs::exists(fs::symlink_status(target, failed))) continue;
        fs::rename(source, target, failed);
        return !failed;
    }
    return false;
}

} // namespace petarino::platform
