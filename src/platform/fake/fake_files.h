// File services on real files in a folder of their own, on the system the tests run on. A
// name is taken byte for byte, with "\" between characters as the separator, so CP932 names
// reach the disk as they are, and a listing gives them back as they are. A write can be made
// to fail midway, as on a full disk.
#pragma once

#include "platform/files.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace petarino::platform {

class FakeFiles final : public Files {
public:
    FakeFiles();
    ~FakeFiles() override;
    FakeFiles(const FakeFiles&) = delete;
    FakeFiles& operator=(const FakeFiles&) = delete;

    FilePath ProgramFolder() override;

    FilePath ProgramFile() override;
    // The separator put between is "\"; "/" ends a folder as well.
    FilePath InFolder(const FilePath& folder, std::string_view name) override;
    std::string Display(const FilePath& path) override;
    // A target without write permission counts as read-only, whoever runs the tests.
    void WriteWhole(const FilePath& path, std::string_view bytes) override;
    std::string ReadWhole(const FilePath& path, std::uint64_t maxBytes) override;
    std::string ReadStart(const FilePath& path, std::size_t bytes) override;
    // The subfolder "local" of the root; it exists only once something creates it.
    FilePath LocalAppDataFolder() override;
    void CreateFolder(const FilePath& folder) override;
    std::vector<std::string> FileNames(const FilePath& folder, std::string_view extension) override;
    bool RemoveFile(const FilePath& path) override;
    std::optional<std::uint64_t> FileSize(const FilePath& path) override;
    // The stamp is the file system's last-write time in its own ticks.
    std::optional<std::vector<FolderEntry>> ListFolder(const FilePath& folder) override;
    bool FolderExists(const FilePath& folder) override;
    bool MoveIntoFolder(const FilePath& file, const FilePath& folder) override;

    // Everything lives below the root, which goes with the fake. The program folder is its
    // subfolder "program", so a name that escapes it lands where a test can see it.
    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path ProgramDirectory() const { return root_ / "program"; }
    // The file a path names, on this system.
    std::filesystem::path Native(const FilePath& path) const;

    // The next write puts this many bytes into its temporary file, then fails.
    void FailNextWriteAfter(std::size_t bytes) { failAfter_ = bytes; }

private:
    std::filesystem::path root_;
    std::optional<std::size_t> failAfter_;
};

} // namespace petarino::platform
