#include "store/backup_file.h"

#include "memos/memo_table.h"
#include "petarino/version.h"
#include "store/snapshot_access.h"
#include "store/store_layout.h"
#include "store/value_json.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <set>

namespace petarino::store {
namespace {

namespace field {
constexpr char kFormat[] = "format";
constexpr char kVersion[] = "version";
constexpr char kCreated[] = "created";
constexpr char kProgram[] = "program";
constexpr char kMemos[] = "memos";
constexpr char kProgramKey[] = "programKey";
constexpr char kMemoKeys[] = "memoKeys";
constexpr char kName[] = "name";
constexpr char kValues[] = "values";
} // namespace field

[[noreturn]] void Refuse(const std::string& reason) {
    throw EBackupRefused(reason);
}

[[noreturn]] void Malformed(const char* what) {
    Refuse(std::string("形式が正しくありません（") + what + "）");
}

void Require(bool sound, const char* what) {
    if (!sound) Malformed(what);
}

std::string TimeText(const platform::LocalTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

std::vector<NamedValue> ValuesOf(const ReadJson& list, platform::Kernel& kernel) try {
    return ValuesOfJson(list, kernel);
} catch (const EValueJson& fault) {
    Malformed(fault.what());
}

std::vector<KeySnapshot> MemoKeysOf(const ReadJson& list, platform::Kernel& kernel) {
    Require(list.is_array(), field::kMemoKeys);
    if (list.size() > static_cast<size_t>(MemoTable::kSlots))
        Refuse("メモが " + std::to_string(MemoTable::kSlots) + " 枚を超えています");
    std::vector<KeySnapshot> keys;
    std::set<int> slots;
    for (const ReadJson& key : list) {
        Require(key.is_object() && key.contains(field::kName) && key[field::kName].is_string(),
                field::kMemoKeys);
        std::string name = key[field::kName].get<std::string>();
        const auto slot = MemoKeyNumber(name);
        Require(slot.has_value() && slots.insert(*slot).second, field::kMemoKeys);
        if (*slot >= MemoTable::kSlots)
            Refuse("メモの表にない番号のメモ（" + name + "）があります");
        Require(key.contains(field::kValues), field::kValues);
        keys.push_back({std::move(name), ValuesOf(key[field::kValues], kernel)});
    }
    return keys;
}

constexpr char kNotJson[] = "JSON として読めません（途中で切れているか、壊れています）";

// The version, after the format's name.
void CheckHeader(const JsonHeader& header) {
    if (header.format != std::string(kBackupFormat)) Refuse("ペタリノのバックアップではありません");
    Require(header.version.is_number_integer(), field::kVersion);
    const auto version = header.version.get<int64_t>();
    if (version > kBackupVersion)
        Refuse("このペタリノより新しい版のバックアップです（版 " + std::to_string(version) + "）");
    Require(version == kBackupVersion, field::kVersion);
}

// The header is checked before the rest is read, so a file that is no backup of this
// version is refused at once, however large; then the whole text.
ReadJson BackupJson(std::string_view text) {
    const auto header = ScanJsonHeader(text);
    if (!header) Refuse(kNotJson);
    CheckHeader(*header);
    ParsedJson parsed = ParseJson(text);
    switch (parsed.fault) {
    case JsonFault::None: break;
    case JsonFault::Broken: Refuse(kNotJson);
    case JsonFault::TooDeep:
        Refuse("入れ子が深すぎます（" + std::to_string(kMostJsonLevels) + " 段まで）");
    case JsonFault::TooMany:
        Refuse("値が多すぎます（" + std::to_string(kMostJsonValues) + " 個まで）");
    }
    // A text that gives its format or version twice, two ways, contradicts itself.
    Require(HeaderOf(parsed.json) == *header, field::kFormat);
    const auto memos = parsed.json.find(field::kMemos);
    Require(memos != parsed.json.end() && memos->is_number_integer(), field::kMemos);
    return std::move(parsed.json);
}

// What a load of the snapshot would refuse or find damaged.
int LoadedMemoCount(const StoreSnapshot& snapshot) {
    const StoredState stored = ReadSnapshotAsStore(snapshot);
    if (stored.error) Refuse("読み込めない値があります（" + *stored.error + "）");
    if (stored.maxFormDamaged) Refuse("メモの数（MaxForm）が壊れています");
    if (stored.keysBeyondTable) Refuse("メモの表にない番号のメモがあります");
    return static_cast<int>(stored.memos.size());
}

// A count a table can hold; nullopt for anything else.
std::optional<int> MemoCountOf(const ReadJson& memos) {
    if (!memos.is_number_integer()) return std::nullopt;
    const auto count = memos.get<int64_t>();
    if (count < 0 || count > MemoTable::kSlots) return std::nullopt;
    return static_cast<int>(count);
}

} // namespace

std::string BackupText(const StoreSnapshot& snapshot, const platform::LocalTime& created,
                       platform::Kernel& kernel) {
    Json json = Json::object();
    json[field::kFormat] = kBackupFormat;
    json[field::kVersion] = kBackupVersion;
    json[field::kCreated] = TimeText(created);
    json[field::kProgram] = kProgramVersion;
    json[field::kMemos] = static_cast<int>(ReadSnapshotAsStore(snapshot).memos.size());
    json[field::kProgramKey] = ValuesJson(snapshot.program, kernel);
    Json keys = Json::array();
    for (const KeySnapshot& key : snapshot.memos)
        keys.push_back(
            {{field::kName, key.name}, {field::kValues, ValuesJson(key.values, kernel)}});
    json[field::kMemoKeys] = std::move(keys);
    return json.dump(1, '\t');
}

Backup ParseBackup(std::string_view text, platform::Kernel& kernel) try {
    const ReadJson json = BackupJson(text);
    Backup backup;
    Require(json.contains(field::kProgramKey), field::kProgramKey);
    Require(json.contains(field::kMemoKeys), field::kMemoKeys);
    backup.snapshot.memos = MemoKeysOf(json[field::kMemoKeys], kernel);
    backup.snapshot.program = ValuesOf(json[field::kProgramKey], kernel);
    backup.memoCount = LoadedMemoCount(backup.snapshot);
    Require(json[field::kMemos].get<int64_t>() == backup.memoCount, field::kMemos);
    return backup;
} catch (const nlohmann::json::exception& error) {
    Refuse(std::string("形式が正しくありません（") + error.what() + "）");
}

std::optional<int> BackupHeaderMemoCount(std::string_view start) try {
    constexpr std::string_view kHeader[] = {field::kFormat, field::kVersion, field::kMemos};
    const auto found = ScanTopLevel(start, kHeader);
    if (!found) return std::nullopt;
    CheckHeader({(*found)[0], (*found)[1]});
    return MemoCountOf((*found)[2]);
} catch (const std::exception&) {
    return std::nullopt;
}

std::optional<int> BackupMemoCount(std::string_view text) try {
    return MemoCountOf(BackupJson(text)[field::kMemos]);
} catch (const std::exception&) {
    return std::nullopt;
}

} // namespace petarino::store
