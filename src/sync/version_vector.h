// Version counters: one per device that changed a memo, counted up at each of its changes.
// They order two versions of a memo by what each has seen, never by a clock, so a PC whose
// clock is wrong still merges right.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace petarino::sync {

// Device id (IsSyncId) -> counter; a counter of zero is not stored.
using VersionVector = std::map<std::string, std::uint64_t>;

enum class Order {
    Equal,
    Before,    // a < b: b has seen everything a has, and more
    After,     // a > b
    Concurrent // each has seen a change the other has not
};

Order Compare(const VersionVector& a, const VersionVector& b);

// Each counter the larger of the two.
VersionVector Merged(const VersionVector& a, const VersionVector& b);

VersionVector Bumped(VersionVector versions, std::string_view device);

// Compact JSON, keys sorted: {"<device>":3,...}.
std::string VersionsText(const VersionVector& versions);

// Nullopt for anything but a JSON object of sync ids to integers in [0, 2^53], which every
// JSON reader takes exactly; the zeros are dropped.
std::optional<VersionVector> ParseVersions(std::string_view text);

} // namespace petarino::sync
