#include "sync/pending_deletions.h"

#include "memos/sync_mark.h"

#include <nlohmann/json.hpp>

namespace petarino::sync {

std::string PendingDeletionsText(const PendingDeletions& pending) {
    if (pending.empty()) return {};
    std::string text = "{";
    for (const auto& [id, versions] : pending) {
        if (text.size() > 1) text += ',';
        text += '"' + id + "\":" + VersionsText(versions);
    }
    return text + '}';
}

PendingDeletions ParsePendingDeletions(std::string_view text) {
    PendingDeletions pending;
    const auto json = nlohmann::json::parse(text, nullptr, false);
    if (!json.is_object()) return pending;
    for (const auto& [id, versions] : json.items())
        if (const auto parsed = ParseVersions(versions.dump()); IsSyncId(id) && parsed)
            pending[id] = *parsed;
    return pending;
}

} // namespace petarino::sync
