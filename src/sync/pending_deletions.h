// Memos destroyed here whose tombstones are not written yet (the folder was away), kept with
// the program's settings: a run that ends before the folder is back must not let their files
// bring them back at the next start.
#pragma once

#include "sync/version_vector.h"

#include <map>
#include <string>
#include <string_view>

namespace petarino::sync {

using PendingDeletions = std::map<std::string, VersionVector>; // id -> tombstone's counters

// {"<id>": {"<device>": 3}, ...}; empty when there are none.
std::string PendingDeletionsText(const PendingDeletions& pending);
// What of the text is sound: entries of another form are dropped.
PendingDeletions ParsePendingDeletions(std::string_view text);

} // namespace petarino::sync
