#include "sync/folder_look.h"

#include "text/ascii.h"

#include <algorithm>
#include <exception>

namespace petarino::sync {
namespace {

bool EndsWithJson(std::string_view name) {
    constexpr std::string_view extension = ".json";
    return name.size() > extension.size() &&
           EqualIgnoringAsciiCase(name.substr(name.size() - extension.size()), extension);
}

// The sync engines' own files in the making, and everything that is no JSON, are not ours.
bool MayBeOurs(const platform::FolderEntry& entry) {
    return !entry.folder && !entry.name.starts_with("~$") && EndsWithJson(entry.name);
}

std::string OwnName(std::string_view id) {
    return std::string(id) + ".json";
}

} // namespace

std::optional<FolderLook::Seen> FolderLook::Read(const platform::FolderEntry& entry, Look& look) {
    Seen seen{.size = entry.size, .modified = entry.modified};
    if (entry.size > kMostMemoFileBytes) {
        seen.kind = Kind::Bad;
        seen.detail = "256 KB を超えています";
        return seen;
    }
    std::string text;
    try {
        text = files_.ReadWhole(entry.path, kMostMemoFileBytes);
        ++look.filesOpened;
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (EqualIgnoringAsciiCase(entry.name, kFolderHeaderName)) {
        seen.kind = Kind::Header;
        seen.detail = ReadFolderHeader(text).value_or("");
        return seen;
    }
    MemoFileRead read = ReadMemoFile(text, kernel_);
    switch (read.kind) {
    case MemoFileKind::NotMemoFile: seen.kind = Kind::Foreign; break;
    case MemoFileKind::Newer:
    case MemoFileKind::Malformed:
        seen.kind = Kind::Bad;
        seen.detail = read.reason;
        break;
    case MemoFileKind::Memo:
        seen.kind = Kind::Memo;
        seen.id = read.memo.id;
        seen.own = EqualIgnoringAsciiCase(entry.name, OwnName(read.memo.id));
        look.changed.push_back({entry.path, entry.name, std::move(read.memo), seen.own});
        break;
    }
    return seen;
}

Look FolderLook::Take(const platform::FilePath& folder) {
    Look look;
    const auto entries = files_.ListFolder(folder);
    if (!entries) {
        look.state = FolderState::Missing;
        return look;
    }
    std::map<std::string, Seen> seenNow;
    bool header = false;
    for (const platform::FolderEntry& entry : *entries) {
        if (!MayBeOurs(entry)) continue;
        const auto before = seen_.find(entry.name);
        const bool unchanged = before != seen_.end() && before->second.size == entry.size &&
                               before->second.modified == entry.modified;
        std::optional<Seen> seen;
        if (unchanged)
            seen = before->second;
        else
            seen = Read(entry, look);
        if (!seen) continue;
        if (seen->kind == Kind::Bad) {
            // Bad at the last look too, whether it changed or not: a file still being written
            // gets one look's grace.
            seen->badLooks = before != seen_.end() && before->second.kind == Kind::Bad
                                 ? before->second.badLooks + 1
                                 : 1;
            seen->told = before != seen_.end() && before->second.told;
            if (seen->badLooks >= 2 && !seen->told) {
                look.stillBad.push_back({entry.name, seen->detail});
                seen->told = true;
            }
        }
        if (seen->kind == Kind::Header) {
            header = true;
            look.folderId = seen->detail;
        }
        if (seen->kind == Kind::Memo && seen->own) look.ownFiles.insert(seen->id);
        seenNow.emplace(entry.name, *seen);
    }
    seen_ = std::move(seenNow);
    std::stable_partition(look.changed.begin(), look.changed.end(),
                          [](const FoundFile& found) { return found.own; });
    if (!header) look.state = FolderState::NoHeader;
    return look;
}

} // namespace petarino::sync
