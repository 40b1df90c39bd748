#include "store/backup_file.h"

#include "memos/memo_table.h"
#include "petarino/version.h"
#include "platform/registry_value.h"
#include "store/snapshot_access.h"
#include "store/store_layout.h"
#include "text/ascii.h"
#include "text/base64.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <set>

namespace petarino::store {
namespace {

using Json = nlohmann::ordered_json;
using platform::RegistryType;
using platform::RegistryValue;

namespace field {
constexpr char kFormat[] = "format";
constexpr char kVersion[] = "version";
constexpr char kCreated[] = "created";
constexpr char kProgram[] = "program";
constexpr char kMemos[] = "memos";
constexpr char kProgramKey[] = "programKey";
constexpr char kMemoKeys[] = "memoKeys";
constexpr char kName[] = "name";
constexpr char kNameBase64[] = "nameBase64";
constexpr char kValues[] = "values";
constexpr char kType[] = "type";
constexpr char kText[] = "text";
constexpr char kDword[] = "dword";
constexpr char kBase64[] = "base64";
} // namespace field

[[noreturn]] void Refuse(const std::string& reason) {
    throw EBackupRefused(reason);
}

void Require(bool sound, const char* what) {
    if (!sound) Refuse(std::string("形式が正しくありません（") + what + "）");
}

// Text when the bytes come back from UTF-8 exactly, else base64 under the other field.
void PutBytes(Json& object, const char* textField, const char* base64Field, std::string_view bytes,
              platform::Kernel& kernel) {
    const auto utf8 = kernel.Utf8OfCp932(bytes);
    if (utf8 && kernel.Cp932OfUtf8(*utf8) == bytes)
        object[textField] = *utf8;
    else
        object[base64Field] = Base64Encode(bytes);
}

Json ValueJson(const NamedValue& named, platform::Kernel& kernel) {
    Json value = Json::object();
    PutBytes(value, field::kName, field::kNameBase64, named.name, kernel);
    value[field::kType] = static_cast<uint32_t>(named.value.type);
    const std::string& data = named.value.data;
    if (named.value.type == RegistryType::Dword && data.size() == 4)
        value[field::kDword] = platform::IntegerOf(named.name, named.value);
    else if (platform::IsTextType(named.value.type))
        PutBytes(value, field::kText, field::kBase64, data, kernel);
    else
        value[field::kBase64] = Base64Encode(data);
    return value;
}

Json ValuesJson(const std::vector<NamedValue>& values, platform::Kernel& kernel) {
    Json list = Json::array();
    for (const NamedValue& value : values)
        list.push_back(ValueJson(value, kernel));
    return list;
}

std::string TimeText(const platform::LocalTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

// Exactly one of the two fields, a string; CP932 bytes.
std::string BytesOf(const Json& object, const char* textField, const char* base64Field,
                    platform::Kernel& kernel) {
    const bool text = object.contains(textField);
    Require(text != object.contains(base64Field), textField);
    const Json& field = object[text ? textField : base64Field];
    Require(field.is_string(), textField);
    const auto bytes = text ? kernel.Cp932OfUtf8(field.get_ref<const std::string&>())
                            : Base64Decode(field.get_ref<const std::string&>());
    Require(bytes.has_value(), textField);
    return *bytes;
}

RegistryValue DataOf(const Json& value, RegistryType type, platform::Kernel& kernel) {
    const int given = static_cast<int>(value.contains(field::kText)) +
                      static_cast<int>(value.contains(field::kDword)) +
                      static_cast<int>(value.contains(field::kBase64));
    Require(given == 1, field::kValues);
    if (value.contains(field::kDword)) {
        const Json& dword = value[field::kDword];
        Require(type == RegistryType::Dword && dword.is_number_integer(), field::kDword);
        const auto number = dword.get<int64_t>();
        Require(number >= INT32_MIN && number <= UINT32_MAX, field::kDword);
        return platform::DwordValue(static_cast<int32_t>(static_cast<uint32_t>(number)));
    }
    if (value.contains(field::kText)) Require(platform::IsTextType(type), field::kText);
    return {type, BytesOf(value, field::kText, field::kBase64, kernel)};
}

std::vector<NamedValue> ValuesOf(const Json& list, platform::Kernel& kernel) {
    Require(list.is_array(), field::kValues);
    std::vector<NamedValue> values;
    for (const Json& value : list) {
        Require(value.is_object(), field::kValues);
        std::string name = BytesOf(value, field::kName, field::kNameBase64, kernel);
        for (const NamedValue& earlier : values)
            Require(!EqualIgnoringAsciiCase(earlier.name, name), field::kName);
        const Json& type = value.contains(field::kType) ? value[field::kType] : Json();
        Require(type.is_number_unsigned() && type.get<uint64_t>() <= UINT32_MAX, field::kType);
        const auto registryType = static_cast<RegistryType>(type.get<uint32_t>());
        values.push_back({std::move(name), DataOf(value, registryType, kernel)});
    }
    return values;
}

std::vector<KeySnapshot> MemoKeysOf(const Json& list, platform::Kernel& kernel) {
    Require(list.is_array(), field::kMemoKeys);
    if (list.size() > static_cast<size_t>(MemoTable::kSlots))
        Refuse("メモが " + std::to_string(MemoTable::kSlots) + " 枚を超えています");
    std::vector<KeySnapshot> keys;
    std::set<int> slots;
    for (const Json& key : list) {
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

Json ParsedJson(std::string_view text) {
    Json json = Json::parse(text, nullptr, false);
    if (json.is_discarded()) Refuse("JSON として読めません（途中で切れているか、壊れています）");
    return json;
}

// The header's version, after the format's name is checked.
void CheckHeader(const Json& json) {
    if (!json.is_object() || !json.contains(field::kFormat) ||
        json[field::kFormat] != std::string(kBackupFormat))
        Refuse("ペタリノのバックアップではありません");
    const Json& version = json.contains(field::kVersion) ? json[field::kVersion] : Json();
    Require(version.is_number_integer(), field::kVersion);
    if (version.get<int64_t>() > kBackupVersion)
        Refuse("このペタリノより新しい版のバックアップです（版 " +
               std::to_string(version.get<int64_t>()) + "）");
    Require(version.get<int64_t>() == kBackupVersion, field::kVersion);
    Require(json.contains(field::kMemos) && json[field::kMemos].is_number_integer(), field::kMemos);
}

// What a load of the snapshot would refuse or find damaged.
int LoadedMemoCount(const StoreSnapshot& snapshot) {
    const StoredState stored = ReadSnapshotAsStore(snapshot);
    if (stored.error) Refuse("読み込めない値があります（" + *stored.error + "）");
    if (stored.maxFormDamaged) Refuse("メモの数（MaxForm）が壊れています");
    if (stored.keysBeyondTable) Refuse("メモの表にない番号のメモがあります");
    return static_cast<int>(stored.memos.size());
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
    const Json json = ParsedJson(text);
    CheckHeader(json);
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

std::optional<int> BackupMemoCount(std::string_view text) try {
    const Json json = Json::parse(text);
    CheckHeader(json);
    return json[field::kMemos].get<int>();
} catch (const std::exception&) {
    return std::nullopt;
}

} // namespace petarino::store
