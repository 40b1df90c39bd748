#include "sync/memo_file.h"

#include "memos/sync_mark.h"
#include "platform/registry_value.h"
#include "store/value_json.h"
#include "sync/travelling_values.h"

#include <cstdio>
#include <nlohmann/json.hpp>

namespace petarino::sync {
namespace {

using store::Field;
using store::Json;
using store::ReadJson;

namespace field {
constexpr char kFormat[] = "format";
constexpr char kVersion[] = "version";
constexpr char kId[] = "id";
constexpr char kVersions[] = "versions";
constexpr char kDevice[] = "device";
constexpr char kUpdated[] = "updated";
constexpr char kDeleted[] = "deleted";
constexpr char kValues[] = "values";
constexpr char kWritten[] = "written";
constexpr char kRemoved[] = "removed";
constexpr char kFolder[] = "folder";
} // namespace field

constexpr char kTooDeep[] = "入れ子が深すぎます";
constexpr char kTooMany[] = "値が多すぎます";

constexpr std::string_view kFolderFormat = "petarino-sync";
constexpr int kFolderVersion = 1;

struct EMalformed {
    std::string field;
};

void Require(bool sound, const char* field) {
    if (!sound) throw EMalformed{field};
}

bool IsString(platform::RegistryType type) {
    return type == platform::RegistryType::Sz || type == platform::RegistryType::ExpandSz;
}

const std::string& StringField(const ReadJson& object, const char* name) {
    const ReadJson& value = Field(object, name);
    Require(value.is_string(), name);
    return value.get_ref<const std::string&>();
}

// "YYYY-MM-DDThh:mm:ssZ" with each number in its range.
bool IsUpdatedText(std::string_view text) {
    constexpr std::string_view form = "0000-00-00T00:00:00Z";
    if (text.size() != form.size()) return false;
    for (std::size_t i = 0; i < form.size(); ++i)
        if (form[i] == '0' ? text[i] < '0' || text[i] > '9' : text[i] != form[i]) return false;
    const auto number = [text](std::size_t at) {
        return (text[at] - '0') * 10 + text[at + 1] - '0';
    };
    return number(5) >= 1 && number(5) <= 12 && number(8) >= 1 && number(8) <= 31 &&
           number(11) <= 23 && number(14) <= 59 && number(17) <= 59;
}

// Whether the header says the text is ours at all, and of which version.
std::optional<std::int64_t> VersionOf(const store::JsonHeader& header, std::string_view format) {
    if (header.format != std::string(format)) return std::nullopt;
    Require(header.version.is_number_integer(), field::kVersion);
    return header.version.get<std::int64_t>();
}

// The whole text, once its header is known to be ours; nullopt when it is no JSON, as a file
// still being written or replicated.
std::optional<ReadJson> WholeText(std::string_view text, const store::JsonHeader& header) {
    store::ParsedJson parsed = store::ParseJson(text);
    if (parsed.fault == store::JsonFault::Broken) return std::nullopt;
    Require(parsed.fault != store::JsonFault::TooDeep, kTooDeep);
    Require(parsed.fault != store::JsonFault::TooMany, kTooMany);
    // A text that gives its format or version twice, two ways, contradicts itself.
    Require(store::HeaderOf(parsed.json) == header, field::kFormat);
    return std::move(parsed.json);
}

VersionVector PartOfVersions(const ReadJson& json, const char* name,
                             const VersionVector& versions) {
    const auto field = json.find(name);
    if (field == json.end()) return {};
    auto counted = ParseVersions(field->dump());
    return counted && HasSeen(versions, *counted) ? std::move(*counted) : VersionVector{};
}

MemoFile MemoOf(const ReadJson& json, platform::Kernel& kernel) {
    MemoFile memo;
    memo.id = StringField(json, field::kId);
    Require(IsSyncId(memo.id), field::kId);
    const ReadJson& versions = Field(json, field::kVersions);
    Require(versions.is_object(), field::kVersions);
    auto parsed = ParseVersions(versions.dump());
    Require(parsed && !parsed->empty(), field::kVersions);
    memo.versions = std::move(*parsed);
    memo.device = StringField(json, field::kDevice);
    Require(IsSyncId(memo.device), field::kDevice);
    memo.updated = StringField(json, field::kUpdated);
    Require(IsUpdatedText(memo.updated), field::kUpdated);
    const ReadJson& deleted = Field(json, field::kDeleted);
    Require(deleted.is_boolean(), field::kDeleted);
    memo.deleted = deleted.get<bool>();
    try {
        memo.values = store::ValuesOfJson(Field(json, field::kValues), kernel);
    } catch (const store::EValueJson& fault) {
        throw EMalformed{fault.what()};
    }
    // Held as the registry holds a written text, whether the file ends it with a NUL or not.
    for (store::NamedValue& value : memo.values)
        if (IsString(value.value.type))
            value.value.data = platform::TerminatedText(std::string_view(value.value.data));
    // Each PC keeps these for itself: a file must not set them.
    for (const store::NamedValue& value : memo.values)
        Require(!IsBookkeeping(value.name), field::kValues);
    // Absent from files of before, and then the content counts as written at the versions
    // and no deletion as outlived. One that is no part of the versions says nothing.
    memo.written = PartOfVersions(json, field::kWritten, memo.versions);
    memo.removed = PartOfVersions(json, field::kRemoved, memo.versions);
    if (memo.written == memo.versions) memo.written.clear();
    return memo;
}

} // namespace

std::string MemoFileText(const MemoFile& memo, platform::Kernel& kernel) {
    Json json = Json::object();
    json[field::kFormat] = kMemoFileFormat;
    json[field::kVersion] = kMemoFileVersion;
    json[field::kId] = memo.id;
    json[field::kVersions] = Json::parse(VersionsText(memo.versions));
    json[field::kDevice] = memo.device;
    json[field::kUpdated] = memo.updated;
    json[field::kDeleted] = memo.deleted;
    // A file holds a text, not what ends it in the registry.
    std::vector<store::NamedValue> values = memo.values;
    for (store::NamedValue& value : values)
        if (IsString(value.value.type) && value.value.data.ends_with('\0'))
            value.value.data.pop_back();
    json[field::kValues] = store::ValuesJson(values, kernel);
    if (!memo.written.empty() && memo.written != memo.versions)
        json[field::kWritten] = Json::parse(VersionsText(memo.written));
    if (!memo.removed.empty()) json[field::kRemoved] = Json::parse(VersionsText(memo.removed));
    return json.dump(1, '\t') + "\n";
}

MemoFileRead ReadMemoFile(std::string_view text, platform::Kernel& kernel) try {
    // The header first: a file that is not ours, or not of this version, is told at once.
    const auto header = store::ScanJsonHeader(text);
    const auto version = header ? VersionOf(*header, kMemoFileFormat) : std::nullopt;
    if (!version) return {};
    if (*version > kMemoFileVersion)
        return {.kind = MemoFileKind::Newer,
                .reason =
                    "このペタリノより新しい版のメモです（版 " + std::to_string(*version) + "）"};
    Require(*version == kMemoFileVersion, field::kVersion);
    const auto json = WholeText(text, *header);
    if (!json) return {};
    return {.kind = MemoFileKind::Memo, .memo = MemoOf(*json, kernel)};
} catch (const EMalformed& fault) {
    return {.kind = MemoFileKind::Malformed,
            .reason = std::string("形式が正しくありません（") + fault.field + "）"};
}

std::string UpdatedText(const platform::LocalTime& utc) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", utc.year, utc.month, utc.day,
                  utc.hour, utc.minute, utc.second);
    return text;
}

std::string FolderHeaderText(std::string_view folderId) {
    Json json = Json::object();
    json[field::kFormat] = kFolderFormat;
    json[field::kVersion] = kFolderVersion;
    json[field::kFolder] = folderId;
    return json.dump(1, '\t') + "\n";
}

std::optional<std::string> ReadFolderHeader(std::string_view text) try {
    const auto header = store::ScanJsonHeader(text);
    if (!header || VersionOf(*header, kFolderFormat) != kFolderVersion) return std::nullopt;
    const auto json = WholeText(text, *header);
    if (!json) return std::nullopt;
    const std::string& folder = StringField(*json, field::kFolder);
    if (!IsSyncId(folder)) return std::nullopt;
    return folder;
} catch (const EMalformed&) {
    return std::nullopt;
}

} // namespace petarino::sync
