// What sync keeps of a memo between runs, and what a memo's id looks like.
#pragma once

#include <string>
#include <string_view>

namespace petarino {

// The id, made once and kept for good; the version counters as last written to or taken
// from the sync folder (a JSON object's text); and a fingerprint of what travelled then, so
// an edit made since is told apart from one made elsewhere.
struct SyncMark {
    std::string id;
    std::string versions;
    std::string base;
    friend bool operator==(const SyncMark&, const SyncMark&) = default;
};

// A GUID in lower case without braces: 8-4-4-4-12 hex digits.
bool IsMemoId(std::string_view text);

} // namespace petarino
