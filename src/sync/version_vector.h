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

// Whether a version at `versions` has seen the change counted at `change`.
bool HasSeen(const VersionVector& versions, const VersionVector& change);

// What a version's counters do not say of the content it holds: the counters the content
// was written under, where a merge has since counted past them (empty: the versions), and
// the deletions that version outlived, merged.
struct Lineage {
    VersionVector written;
    VersionVector removed;
    friend bool operator==(const Lineage&, const Lineage&) = default;
};

// {"removed":{...},"written":{...}}, each only where it says something; empty when neither
// does.
std::string LineageText(const Lineage& lineage, const VersionVector& versions);
// Empty for anything unsound.
Lineage ParseLineage(std::string_view text);

// Compact JSON, keys sorted: {"<device>":3,...}.
std::string VersionsText(const VersionVector& versions);

// Nullopt for anything but a JSON object of sync ids to integers in [0, 2^53], which every
// JSON reader takes exactly; the zeros are dropped.
std::optional<VersionVector> ParseVersions(std::string_view text);

} // namespace petarino::sync
