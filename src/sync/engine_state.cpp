#include "sync/engine_state.h"

#include "memos/sync_mark.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>
#include <optional>

namespace petarino::sync {
namespace {

using Json = nlohmann::json;

constexpr std::array<const char*, 4> kKinds{"header", "memo", "foreign", "bad"};

Json VersionsJson(const VersionVector& versions) {
    return Json::parse(VersionsText(versions));
}

std::optional<VersionVector> VersionsFrom(const Json& json) {
    if (!json.is_object()) return std::nullopt;
    return ParseVersions(json.dump());
}

std::string TextOr(const Json& object, const char* name) {
    const auto found = object.find(name);
    return found != object.end() && found->is_string() ? found->get<std::string>() : "";
}

bool FlagOf(const Json& object, const char* name) {
    const auto found = object.find(name);
    return found != object.end() && found->is_boolean() && found->get<bool>();
}

std::uint64_t NumberOf(const Json& object, const char* name) {
    const auto found = object.find(name);
    return found != object.end() && found->is_number_unsigned() ? found->get<std::uint64_t>() : 0;
}

// An own memo file's id is its name's: it is not written twice. A bad file is not kept: it
// is read again after a restart, and its reason, which is for showing, never travels here.
// A name outside ASCII (a foreign file's) is not kept either: it is opened again after a
// restart, which a memo file, named by its id, never is.
std::optional<Json> SeenJson(const std::string& name, const SeenFile& seen) {
    const bool ascii = std::all_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x80;
    });
    if (!ascii || seen.kind == SeenKind::Bad || seen.retry) return std::nullopt;
    Json json = {{"size", seen.size},
                 {"time", seen.modified},
                 {"kind", kKinds[static_cast<std::size_t>(seen.kind)]}};
    if (seen.own)
        json["own"] = true;
    else if (!seen.id.empty())
        json["id"] = seen.id;
    if (!seen.detail.empty()) json["detail"] = seen.detail;
    return json;
}

std::optional<SeenFile> SeenFrom(const std::string& name, const Json& json) {
    if (!json.is_object()) return std::nullopt;
    SeenFile seen{.size = NumberOf(json, "size"), .modified = NumberOf(json, "time")};
    const std::string kind = TextOr(json, "kind");
    const auto at =
        std::find_if(kKinds.begin(), kKinds.end(), [&](const char* own) { return kind == own; });
    if (at == kKinds.end() || *at == std::string_view("bad")) return std::nullopt;
    seen.kind = static_cast<SeenKind>(at - kKinds.begin());
    seen.own = FlagOf(json, "own");
    seen.id = seen.own && name.size() > 5 ? name.substr(0, name.size() - 5) : TextOr(json, "id");
    if (seen.kind == SeenKind::Memo && !IsSyncId(seen.id)) return std::nullopt;
    seen.detail = TextOr(json, "detail");
    return seen;
}

VersionVector OptionalVersions(const Json& json, const char* name) {
    return json.contains(name) ? VersionsFrom(json[name]).value_or(VersionVector{})
                               : VersionVector{};
}

Json KnownJson(const KnownFile& known) {
    Json json{{"versions", VersionsJson(known.versions)},
              {"device", known.device},
              {"updated", known.updated},
              {"deleted", known.deleted},
              {"content", known.content}};
    if (!known.written.empty()) json["written"] = VersionsJson(known.written);
    if (!known.removed.empty()) json["removed"] = VersionsJson(known.removed);
    return json;
}

std::optional<KnownFile> KnownFrom(const Json& json) {
    if (!json.is_object() || !json.contains("versions")) return std::nullopt;
    const auto versions = VersionsFrom(json["versions"]);
    if (!versions || versions->empty()) return std::nullopt;
    return KnownFile{.versions = *versions,
                     .device = TextOr(json, "device"),
                     .updated = TextOr(json, "updated"),
                     .deleted = FlagOf(json, "deleted"),
                     .content = TextOr(json, "content"),
                     .written = OptionalVersions(json, "written"),
                     .removed = OptionalVersions(json, "removed")};
}

template <typename Value, typename Write>
void PutMap(Json& json, const char* name, const std::map<std::string, Value>& map, Write write) {
    if (map.empty()) return;
    Json object = Json::object();
    for (const auto& [key, value] : map)
        if (std::optional<Json> written = write(key, value)) object[key] = std::move(*written);
    json[name] = std::move(object);
}

template <typename Value, typename Read>
void GetMap(const Json& json, const char* name, std::map<std::string, Value>& map, Read read) {
    const auto found = json.find(name);
    if (found == json.end() || !found->is_object()) return;
    for (const auto& [key, value] : found->items())
        if (auto parsed = read(key, value)) map.emplace(key, std::move(*parsed));
}

} // namespace

// What the memo's own file says is not said again: a memo's counters and its stamp when they
// are its file's.
std::string EngineStateText(const EngineState& state) {
    const auto known = [&](const std::string& id) {
        const auto file = state.known.find(id);
        return file == state.known.end() ? nullptr : &file->second;
    };
    Json json = Json::object();
    if (!state.folderId.empty()) json["folder"] = state.folderId;
    PutMap(json, "seen", state.seen, SeenJson);
    PutMap(json, "known", state.known, [](const std::string&, const KnownFile& file) {
        return std::optional(KnownJson(file));
    });
    PutMap(json, "stamps", state.stamps,
           [&](const std::string& id, const Stamp& stamp) -> std::optional<Json> {
               const KnownFile* file = known(id);
               if (file && file->versions == stamp.versions && file->updated == stamp.updated)
                   return std::nullopt;
               return Json{{"versions", VersionsJson(stamp.versions)}, {"updated", stamp.updated}};
           });
    PutMap(json, "present", state.present,
           [&](const std::string& id, const VersionVector& versions) {
               const KnownFile* file = known(id);
               return std::optional(file && file->versions == versions ? Json(0)
                                                                       : VersionsJson(versions));
           });
    return json.empty() ? std::string() : json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

EngineState ParseEngineState(std::string_view text) {
    EngineState state;
    const Json json = Json::parse(text, nullptr, false);
    if (!json.is_object()) return state;
    state.folderId = TextOr(json, "folder");
    GetMap(json, "seen", state.seen, SeenFrom);
    GetMap(json, "known", state.known, [](const std::string& id, const Json& value) {
        return IsSyncId(id) ? KnownFrom(value) : std::nullopt;
    });
    GetMap(json, "stamps", state.stamps,
           [](const std::string& id, const Json& value) -> std::optional<Stamp> {
               if (!IsSyncId(id) || !value.is_object() || !value.contains("versions"))
                   return std::nullopt;
               const auto versions = VersionsFrom(value["versions"]);
               if (!versions) return std::nullopt;
               return Stamp{*versions, TextOr(value, "updated")};
           });
    GetMap(json, "present", state.present,
           [&](const std::string& id, const Json& value) -> std::optional<VersionVector> {
               if (!IsSyncId(id)) return std::nullopt;
               if (!value.is_number()) return VersionsFrom(value);
               const auto file = state.known.find(id);
               if (file == state.known.end()) return std::nullopt;
               return file->second.versions;
           });
    // A memo's stamp that its own file carries.
    for (const auto& [id, versions] : state.present)
        if (const auto file = state.known.find(id);
            file != state.known.end() && !state.stamps.contains(id))
            state.stamps[id] = {file->second.versions, file->second.updated};
    return state;
}

} // namespace petarino::sync
