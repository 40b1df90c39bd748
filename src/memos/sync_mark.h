// What sync keeps of a memo between runs, and what a memo's id looks like.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace petarino {

// The id, made once and kept for good; the version counters as last written to or taken
// from the sync folder (a JSON object's text); a fingerprint of what travelled then, so
// an edit made since is told apart from one made elsewhere; and what those counters do not
// say of the content (sync/version_vector.h, Lineage), empty while they say it all.
struct SyncMark {
    std::string id;
    std::string versions;
    std::string base;
    std::string lineage;
    friend bool operator==(const SyncMark&, const SyncMark&) = default;
};

// The ids of sync: memos, devices and sync folders are named by a GUID written in lower case
// without braces, 8-4-4-4-12 hex digits, so every PC writes and compares the same text.
constexpr bool IsSyncId(std::string_view text) {
    if (text.size() != 36) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

} // namespace petarino
