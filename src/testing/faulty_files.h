// Files as a sync folder shows them at its worst, over real ones: reads of a file refused (an
// online-only file that cannot be fetched, one the sync engine holds), an entry missing from
// one listing, and every opening and listing counted.
#pragma once

#include "platform/files.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>

namespace petarino {

class FaultyFiles final : public platform::Files {
public:
    explicit FaultyFiles(platform::Files& files) : files_(files) {}

    // By the file's name, in any folder.
    std::set<std::string> refusedReads;
    std::set<std::string> missingFromNextListing;
    int opens = 0;
    int listings = 0;

    platform::FilePath ProgramFolder() override { return files_.ProgramFolder(); }
    platform::FilePath ProgramFile() override { return files_.ProgramFile(); }
    platform::FilePath InFolder(const platform::FilePath& folder, std::string_view name) override {
        return files_.InFolder(folder, name);
    }
    std::string Display(const platform::FilePath& path) override { return files_.Display(path); }
    void WriteWhole(const platform::FilePath& path, std::string_view bytes) override {
        files_.WriteWhole(path, bytes);
    }
    std::string ReadWhole(const platform::FilePath& path, std::uint64_t maxBytes) override {
        Open(path);
        return files_.ReadWhole(path, maxBytes);
    }
    std::string ReadStart(const platform::FilePath& path, std::size_t bytes) override {
        Open(path);
        return files_.ReadStart(path, bytes);
    }
    platform::FilePath LocalAppDataFolder() override { return files_.LocalAppDataFolder(); }
    void CreateFolder(const platform::FilePath& folder) override { files_.CreateFolder(folder); }
    std::vector<std::string> FileNames(const platform::FilePath& folder,
                                       std::string_view extension) override {
        return files_.FileNames(folder, extension);
    }
    bool RemoveFile(const platform::FilePath& path) override { return files_.RemoveFile(path); }
    std::optional<std::uint64_t> FileSize(const platform::FilePath& path) override {
        return files_.FileSize(path);
    }
    std::optional<std::vector<platform::FolderEntry>>
    ListFolder(const platform::FilePath& folder) override {
        ++listings;
        auto entries = files_.ListFolder(folder);
        if (entries)
            std::erase_if(*entries, [&](const platform::FolderEntry& entry) {
                return missingFromNextListing.contains(entry.name);
            });
        missingFromNextListing.clear();
        return entries;
    }
    bool FolderExists(const platform::FilePath& folder) override {
        return files_.FolderExists(folder);
    }
    bool MoveIntoFolder(const platform::FilePath& file, const platform::FilePath& folder) override {
        return files_.MoveIntoFolder(file, folder);
    }

private:
    void Open(const platform::FilePath& path) {
        ++opens;
        const std::string shown = files_.Display(path);
        for (const std::string& name : refusedReads)
            if (shown.ends_with(name)) throw std::runtime_error("the file cannot be fetched");
    }

    platform::Files& files_;
};

} // namespace petarino
