// Files that pass every call on to other files: the base of a stand-in that changes a few
// calls of real or fake files and leaves the rest as they are.
#pragma once

#include "platform/files.h"

namespace petarino::platform {

class ForwardingFiles : public Files {
public:
    explicit ForwardingFiles(Files& files) : files_(files) {}

    FilePath ProgramFolder() override { return files_.ProgramFolder(); }
    FilePath ProgramFile() override { return files_.ProgramFile(); }
    FilePath InFolder(const FilePath& folder, std::string_view name) override {
        return files_.InFolder(folder, name);
    }
    std::string Display(const FilePath& path) override { return files_.Display(path); }
    void WriteWhole(const FilePath& path, std::string_view bytes) override {
        files_.WriteWhole(path, bytes);
    }
    std::string ReadWhole(const FilePath& path, std::uint64_t maxBytes) override {
        return files_.ReadWhole(path, maxBytes);
    }
    std::string ReadStart(const FilePath& path, std::size_t bytes) override {
        return files_.ReadStart(path, bytes);
    }
    FilePath LocalAppDataFolder() override { return files_.LocalAppDataFolder(); }
    void CreateFolder(const FilePath& folder) override { files_.CreateFolder(folder); }
    std::vector<std::string> FileNames(const FilePath& folder,
                                       std::string_view extension) override {
        return files_.FileNames(folder, extension);
    }
    bool RemoveFile(const FilePath& path) override { return files_.RemoveFile(path); }
    std::optional<std::uint64_t> FileSize(const FilePath& path) override {
        return files_.FileSize(path);
    }
    std::optional<std::vector<FolderEntry>> ListFolder(const FilePath& folder) override {
        return files_.ListFolder(folder);
    }
    bool FolderExists(const FilePath& folder) override { return files_.FolderExists(folder); }
    bool MoveIntoFolder(const FilePath& file, const FilePath& folder) override {
        return files_.MoveIntoFolder(file, folder);
    }

protected:
    Files& files_;
};

} // namespace petarino::platform
