#include "platform/fake/fake_files.h"

#include "text/cp932.h"

#include <algorithm>
#include <fstream>
#include <iterator>
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

FilePath FakeFiles::InFolder(const FilePath& folder, std::string_view name) {
    FilePath path = folder;
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

    const fs::path temporary = target.parent_path() / "~petarino.tmp";
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
    if (!file) throw EFOpenError(Display(path));
    const auto size = FileSize(path);
    if (size && *size > maxBytes) throw EFTooLarge(Display(path));
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
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

} // namespace petarino::platform
