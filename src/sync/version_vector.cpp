#include "sync/version_vector.h"

#include "memos/sync_mark.h"

#include <nlohmann/json.hpp>

namespace petarino::sync {
namespace {

constexpr std::uint64_t kMostCounter = std::uint64_t{1} << 53;

std::uint64_t CounterOf(const VersionVector& versions, const std::string& device) {
    const auto found = versions.find(device);
    return found == versions.end() ? 0 : found->second;
}

} // namespace

Order Compare(const VersionVector& a, const VersionVector& b) {
    bool aAhead = false;
    bool bAhead = false;
    for (const auto& [device, counter] : a) {
        const std::uint64_t other = CounterOf(b, device);
        aAhead |= counter > other;
        bAhead |= counter < other;
    }
    for (const auto& [device, counter] : b)
        bAhead |= counter > CounterOf(a, device);
    if (aAhead && bAhead) return Order::Concurrent;
    if (aAhead) return Order::After;
    if (bAhead) return Order::Before;
    return Order::Equal;
}

bool HasSeen(const VersionVector& versions, const VersionVector& change) {
    const Order order = Compare(change, versions);
    return order == Order::Before || order == Order::Equal;
}

VersionVector Merged(const VersionVector& a, const VersionVector& b) {
    VersionVector merged = a;
    for (const auto& [device, counter] : b)
        if (counter > CounterOf(merged, device)) merged[device] = counter;
    return merged;
}

VersionVector Bumped(VersionVector versions, std::string_view device) {
    ++versions[std::string(device)];
    return versions;
}

std::string LineageText(const Lineage& lineage, const VersionVector& versions) {
    nlohmann::json json = nlohmann::json::object();
    if (!lineage.written.empty() && lineage.written != versions)
        json["written"] = nlohmann::json(lineage.written);
    if (!lineage.removed.empty()) json["removed"] = nlohmann::json(lineage.removed);
    return json.empty() ? std::string() : json.dump();
}

Lineage ParseLineage(std::string_view text) {
    const nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
    if (!json.is_object()) return {};
    const auto part = [&json](const char* name) {
        return json.contains(name) ? ParseVersions(json[name].dump()).value_or(VersionVector{})
                                   : VersionVector{};
    };
    return {part("written"), part("removed")};
}

std::string VersionsText(const VersionVector& versions) {
    return nlohmann::json(versions).dump();
}

std::optional<VersionVector> ParseVersions(std::string_view text) {
    const nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
    if (!json.is_object()) return std::nullopt;
    VersionVector versions;
    for (const auto& [device, counter] : json.items()) {
        if (!IsSyncId(device) || !counter.is_number_unsigned()) return std::nullopt;
        const auto value = counter.get<std::uint64_t>();
        if (value > kMostCounter) return std::nullopt;
        if (value != 0) versions[device] = value;
    }
    return versions;
}

} // namespace petarino::sync
