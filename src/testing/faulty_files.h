// Files as a sync folder shows them at its worst, over real ones: reads of a file refused (an
// online-only file that cannot be fetched, one the sync engine holds), an entry missing from
// one listing, the power lost in the middle of a write, and every opening and listing counted.
#pragma once

#include "platform/fake/fake_registry.h"
#include "platform/fake/forwarding_files.h"

#include <algorithm>
#include <optional>
#include <random>
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
    // The write this counts down to is cut between its two steps: the new file is written
    // beside its target and the process ends before it takes the target's place.
    std::optional<int> crashAtWrite;
    int opens = 0;
    int listings = 0;

    void WriteWhole(const platform::FilePath& path, std::string_view bytes) override {
        if (crashAtWrite && --*crashAtWrite <= 0) {
            crashAtWrite.reset();
            files_.WriteWhole(Beside(path), bytes);
            throw platform::SimulatedCrash{};
        }
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
    // In an order of its own, drawn from this: the system's order follows how the disk hashed
    // the names, which differs from run to run, and a seed must give one run.
    std::mt19937_64 listingOrder;

    std::optional<std::vector<platform::FolderEntry>>
    ListFolder(const platform::FilePath& folder) override {
        ++listings;
        auto entries = files_.ListFolder(folder);
        if (entries) {
            std::erase_if(*entries, [&](const platform::FolderEntry& entry) {
                return missingFromNextListing.contains(entry.name);
            });
            std::sort(entries->begin(), entries->end(),
                      [](const auto& a, const auto& b) { return a.name < b.name; });
            std::shuffle(entries->begin(), entries->end(), listingOrder);
        }
        missingFromNextListing.clear();
        return entries;
    }

private:
    // "~$" + the target's stem + ".tmp", as a write names its new file.
    static platform::FilePath Beside(const platform::FilePath& path) {
        const std::u16string& units = path.units;
        const std::size_t name = units.find_last_of(u"\\/") + 1;
        const std::size_t dot = units.rfind(u'.');
        const std::size_t stemEnd = dot == std::u16string::npos || dot < name ? units.size() : dot;
        return {units.substr(0, name) + u"~$" + units.substr(name, stemEnd - name) + u".tmp"};
    }
    void Open(const platform::FilePath& path) {
        ++opens;
        const std::string shown = files_.Display(path);
        for (const std::string& name : refusedReads)
            if (shown.ends_with(name)) throw std::runtime_error("the file cannot be fetched");
    }
};

} // namespace petarino
