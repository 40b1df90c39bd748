#include "sync/folder_look.h"

#include "memos/sync_mark.h"
#include "text/ascii.h"

#include <algorithm>
#include <exception>

namespace petarino::sync {
namespace {

constexpr std::string_view kExtension = ".json";

bool EndsWithJson(std::string_view name) {
    return name.size() > kExtension.size() &&
           EqualIgnoringAsciiCase(name.substr(name.size() - kExtension.size()), kExtension);
}

// The sync engines' own files in the making, and everything that is no JSON, are not ours.
bool MayBeOurs(const platform::FolderEntry& entry) {
    return !entry.folder && !entry.name.starts_with("~$") && EndsWithJson(entry.name);
}

std::string OwnName(std::string_view id) {
    return std::string(id) + std::string(kExtension);
}

// The memo a file's name says it holds, "<id>.json" in any case; empty for any other name.
std::string IdOfName(std::string_view name) {
    if (!EndsWithJson(name)) return {};
    std::string id(name.substr(0, name.size() - kExtension.size()));
    std::transform(id.begin(), id.end(), id.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return IsSyncId(id) ? id : std::string();
}

} // namespace

SeenFile FolderLook::Read(const platform::FolderEntry& entry, Look& look) {
    SeenFile seen{.size = entry.size, .modified = entry.modified};
    const std::string namedId = IdOfName(entry.name);
    // Only a file that reads as a memo file, or is named as one, can be a bad one.
    const auto bad = [&](std::string reason) {
        seen.kind = namedId.empty() ? SeenKind::Foreign : SeenKind::Bad;
        seen.id = namedId;
        seen.own = !namedId.empty();
        seen.detail = std::move(reason);
        return seen;
    };
    if (entry.size > kMostMemoFileBytes) return bad("256 KB を超えています");
    std::string text;
    try {
        text = files_.ReadWhole(entry.path, kMostMemoFileBytes);
        ++look.filesOpened;
    } catch (const std::exception&) {
        // Held by the sync engine, or online only and not fetched: tried again at each look.
        seen.retry = true;
        return bad("開けません");
    }
    if (EqualIgnoringAsciiCase(entry.name, kFolderHeaderName)) {
        seen.kind = SeenKind::Header;
        seen.detail = ReadFolderHeader(text).value_or("");
        return seen;
    }
    MemoFileRead read = ReadMemoFile(text, kernel_);
    switch (read.kind) {
    case MemoFileKind::NotMemoFile:
        // A file still being written reads as no JSON: one named as a memo's is not ignored.
        if (!namedId.empty()) return bad("形式が正しくありません（JSON）");
        seen.kind = SeenKind::Foreign;
        break;
    case MemoFileKind::Newer:
    case MemoFileKind::Malformed:
        seen.kind = SeenKind::Bad;
        seen.detail = read.reason;
        seen.id = namedId;
        seen.own = !namedId.empty();
        break;
    case MemoFileKind::Memo:
        seen.kind = SeenKind::Memo;
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
    std::map<std::string, SeenFile> seenNow;
    bool header = false;
    for (const platform::FolderEntry& entry : *entries) {
        if (!MayBeOurs(entry)) continue;
        const auto before = seen_.find(entry.name);
        const bool unchanged = before != seen_.end() && !before->second.retry &&
                               before->second.size == entry.size &&
                               before->second.modified == entry.modified;
        SeenFile seen = unchanged ? before->second : Read(entry, look);
        if (seen.kind == SeenKind::Bad) {
            // Bad at the last look too, whether it changed or not: a file still being written
            // gets one look's grace.
            const bool badBefore = before != seen_.end() && before->second.kind == SeenKind::Bad;
            seen.badLooks = badBefore ? before->second.badLooks + 1 : 1;
            seen.told = badBefore && before->second.told;
            if (seen.badLooks >= 2 && !seen.told) {
                look.stillBad.push_back({entry.name, seen.detail});
                seen.told = true;
            }
            if (seen.own) look.unreadable.insert(seen.id);
        }
        if (seen.kind == SeenKind::Header) {
            header = true;
            look.folderId = seen.detail;
        }
        if (seen.kind == SeenKind::Memo && seen.own) look.ownFiles.insert(seen.id);
        seenNow.emplace(entry.name, std::move(seen));
    }
    seen_ = std::move(seenNow);
    std::stable_partition(look.changed.begin(), look.changed.end(),
                          [](const FoundFile& found) { return found.own; });
    if (!header) look.state = FolderState::NoHeader;
    return look;
}

void FolderLook::Wrote(const platform::FilePath& folder,
                       const std::map<std::string, std::uint64_t>& sizes) {
    const auto entries = files_.ListFolder(folder);
    if (!entries) return;
    for (const platform::FolderEntry& entry : *entries) {
        const auto written = sizes.find(entry.name);
        if (written == sizes.end() || entry.folder || entry.size != written->second) continue;
        seen_[entry.name] = {.size = entry.size,
                             .modified = entry.modified,
                             .kind = SeenKind::Memo,
                             .id = IdOfName(entry.name),
                             .own = true};
    }
}

} // namespace petarino::sync
