// Files as a sync folder shows them at its worst, over real ones: reads of a file refused (an
// online-only file that cannot be fetched, one the sync engine holds), an entry missing from
// one listing, and every opening and listing counted.
#pragma once

#include "platform/fake/forwarding_files.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>

namespace petarino {

class FaultyFiles final : public platform::ForwardingFiles {
public:
    using ForwardingFiles::ForwardingFiles;

    // By the file's name, in any folder.
    std::set<std::string> refusedReads;
    std::set<std::string> missingFromNextListing;
    int opens = 0;
    int listings = 0;

    std::string ReadWhole(const platform::FilePath& path, std::uint64_t maxBytes) override {
        Open(path);
        return files_.ReadWhole(path, maxBytes);
    }
    std::string ReadStart(const platform::FilePath& path, std::size_t bytes) override {
        Open(path);
        return files_.ReadStart(path, bytes);
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

private:
    void Open(const platform::FilePath& path) {
        ++opens;
        const std::string shown = files_.Display(path);
        for (const std::string& name : refusedReads)
            if (shown.ends_with(name)) throw std::runtime_error("the file cannot be fetched");
    }
};

} // namespace petarino
