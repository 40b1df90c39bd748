#include "sync/merge_decision.h"

#include "platform/registry_value.h"
#include "store/store_layout.h"
#include "sync/fnv1a.h"
#include "sync/travelling_values.h"
#include "text/ascii.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <tuple>

namespace petarino::sync {
namespace {

using store::NamedValue;

constexpr std::string_view kConflictPrefix = "競合: ";

// Counted up on this device as well, so that no other outcome is ever written under the
// same counters.
VersionVector Dominating(const LocalSide& local, const MemoFile& file, std::string_view device) {
    return Bumped(Merged(local.versions, file.versions), device);
}

// An edit and a deletion made apart: the edit lives on under both sides' counters, which every
// PC that meets the same two sides writes alike, so a later deletion that has seen the edit on
// one PC has seen it everywhere. Counted up here only where one side holds them all already
// (counters put back by a restore), so that no other outcome is written under them.
VersionVector Joined(const LocalSide& local, const MemoFile& file, std::string_view device) {
    VersionVector joined = Merged(local.versions, file.versions);
    if (joined == local.versions || joined == file.versions) joined = Bumped(joined, device);
    return joined;
}

// The side written later keeps the id, then the larger device id, then the larger
// fingerprint: every PC that meets the same two sides picks the same one.
bool LocalKeepsId(const LocalSide& local, std::string_view device, const MemoFile& file,
                  std::string_view fileFingerprint) {
    using Side = std::tuple<std::string_view, std::string_view, std::string_view>;
    return Side(local.updated, device, local.fingerprint) >=
           Side(file.updated, file.device, fileFingerprint);
}

Decision KeepBoth(const LocalSide& local, const MemoFile& file, std::string_view device,
                  const std::string& fileFingerprint) {
    const bool localKeeps = LocalKeepsId(local, device, file, fileFingerprint);
    std::string conflictId = ConflictId(file.id, localKeeps ? fileFingerprint : local.fingerprint);
    VersionVector conflictVersions = ConflictVersions(conflictId);
    return {.action = Action::KeepBoth,
            .versions = Dominating(local, file, device),
            .localKeepsId = localKeeps,
            .conflictId = std::move(conflictId),
            .conflictVersions = std::move(conflictVersions)};
}

// The outcome of the two sides' counters alone, or nullopt when they were made apart.
std::optional<Decision> ByOrder(const LocalSide& local, const MemoFile& file, bool sameOutcome) {
    Order order = Compare(local.versions, file.versions);
    // Counters put back from elsewhere (a restored backup) can make an edit here look older
    // than the file, or equal to it: it is still an edit the file has not seen.
    if ((order == Order::Before && local.edited) || (order == Order::Equal && !sameOutcome))
        order = Order::Concurrent;
    switch (order) {
    case Order::Equal: return Decision{.action = Action::Nothing, .versions = local.versions};
    case Order::Before: return Decision{.action = Action::TakeFile, .versions = file.versions};
    case Order::After: return Decision{.action = Action::WriteLocal, .versions = local.versions};
    case Order::Concurrent: break;
    }
    return std::nullopt;
}

// Two sides made apart. One that replaced the other's content after seeing it (by its
// deletion, its edit, or a conflict whose copy keeps it) stands, when the other only counted
// up past the content it holds (a conflict resolved elsewhere): nothing is lost. Each has
// seen the other's only when both resolved something: then a deletion either outlived decides.
Decision Apart(const LocalSide& local, const MemoFile& file, std::string_view device,
               const std::string& fileFingerprint, bool sameOutcome) {
    const VersionVector merged = Merged(local.versions, file.versions);
    if (sameOutcome) return {.action = Action::MergeCounters, .versions = merged};
    const VersionVector& localWritten = WrittenUnder(local.versions, local.written);
    const VersionVector& fileWritten = WrittenUnder(file.versions, file.written);
    // Counters an edit here has not been counted under yet tell nothing of what it has seen.
    const bool localSawFile =
        !local.edited && !file.deleted && HasSeen(local.versions, fileWritten);
    const bool fileSawLocal = !local.edited && local.exists && HasSeen(file.versions, localWritten);
    bool localStands = localSawFile;
    bool fileStands = fileSawLocal;
    if (localSawFile && fileSawLocal) {
        localStands = HasSeen(local.removed, fileWritten);
        fileStands = HasSeen(file.removed, localWritten);
        if (localStands && fileStands) return {.action = Action::RemoveBoth, .versions = merged};
    }
    if (localStands != fileStands)
        return {.action = localStands ? Action::WriteLocal : Action::TakeFile, .versions = merged};
    if (local.exists && file.deleted)
        return {.action = Action::LocalWinsOverTombstone, .versions = Joined(local, file, device)};
    if (!local.exists)
        return {.action = Action::FileWinsOverLocalTombstone,
                .versions = Joined(local, file, device)};
    return KeepBoth(local, file, device, fileFingerprint);
}

} // namespace

Decision Decide(const LocalSide& local, const MemoFile& file, std::string_view device) {
    const std::string fileFingerprint = ContentFingerprint(file.values);
    const bool sameOutcome =
        local.exists ? !file.deleted && local.fingerprint == fileFingerprint : file.deleted;
    std::optional<Decision> ordered = ByOrder(local, file, sameOutcome);
    Decision decision =
        ordered ? *ordered : Apart(local, file, device, fileFingerprint, sameOutcome);
    const VersionVector& localWritten = WrittenUnder(local.versions, local.written);
    const VersionVector& fileWritten = WrittenUnder(file.versions, file.written);
    const bool fileContent = decision.action == Action::TakeFile ||
                             decision.action == Action::FileWinsOverLocalTombstone ||
                             (decision.action == Action::KeepBoth && !decision.localKeepsId);
    decision.written = decision.action == Action::MergeCounters
                           ? Merged(localWritten, fileWritten)
                           : (fileContent ? fileWritten : localWritten);
    // A tombstone is the deletion it outlives, to the side that outlives it.
    decision.removed = Merged(local.deleted ? local.versions : local.removed,
                              file.deleted ? file.versions : file.removed);
    return decision;
}

std::string ConflictId(std::string_view loserId, std::string_view loserFingerprint) {
    const std::string key = std::string(loserId) + ' ' + std::string(loserFingerprint);
    const std::uint64_t high = Fnv1a(key);
    const std::uint64_t low = Fnv1a(key, high);
    char hex[33];
    std::snprintf(hex, sizeof hex, "%016llx%016llx", static_cast<unsigned long long>(high),
                  static_cast<unsigned long long>(low));
    // A GUID of version 8 (made by its own rule), variant 10.
    hex[12] = '8';
    hex[16] = "89ab"[(hex[16] <= '9' ? hex[16] - '0' : hex[16] - 'a' + 10) & 3];
    const std::string_view h(hex, 32);
    return std::string(h.substr(0, 8)) + '-' + std::string(h.substr(8, 4)) + '-' +
           std::string(h.substr(12, 4)) + '-' + std::string(h.substr(16, 4)) + '-' +
           std::string(h.substr(20));
}

VersionVector ConflictVersions(std::string_view conflictId) {
    return {{std::string(conflictId), 1}};
}

std::vector<NamedValue> ConflictValues(std::vector<NamedValue> values) {
    using platform::RegistryType;
    const std::string_view kTitle = store::memo_value::kTitle;
    auto title = std::find_if(values.begin(), values.end(), [kTitle](const NamedValue& value) {
        return EqualIgnoringAsciiCase(value.name, kTitle);
    });
    if (title == values.end()) title = values.insert(values.end(), {std::string(kTitle), {}});
    // A title of another type is no title the memo could show.
    const RegistryType type = title->value.type;
    const std::string old = type == RegistryType::Sz || type == RegistryType::ExpandSz
                                ? platform::StringOf(title->name, title->value)
                                : std::string();
    title->value = platform::WrittenText(std::string(kConflictPrefix) + old);
    return values;
}

} // namespace petarino::sync
