#include "store/snapshot_access.h"

#include "platform/registry_value.h"
#include "store/store_layout.h"
#include "store/store_reader.h"
#include "text/ascii.h"

#include <algorithm>

namespace petarino::store {

using platform::ERegistryException;
using platform::RegistryValue;

// Only the program key and its memo keys exist; nothing is ever created.
bool SnapshotAccess::OpenKey(std::string_view path, bool create) {
    if (create) return false;
    if (EqualIgnoringAsciiCase(path, kProgramKey)) {
        open_ = &snapshot_.program;
        programOpen_ = true;
        return true;
    }
    if (path.size() <= kProgramKey.size() + 1 ||
        !EqualIgnoringAsciiCase(path.substr(0, kProgramKey.size()), kProgramKey) ||
        path[kProgramKey.size()] != '\\')
        return false;
    const auto number = MemoKeyNumber(path.substr(kProgramKey.size() + 1));
    for (const KeySnapshot& key : snapshot_.memos)
        if (number && MemoKeyNumber(key.name) == number) {
            open_ = &key.values;
            programOpen_ = false;
            return true;
        }
    return false;
}

const RegistryValue* SnapshotAccess::Find(std::string_view name) const {
    if (open_)
        for (const NamedValue& value : *open_)
            if (EqualIgnoringAsciiCase(value.name, name)) return &value.value;
    return nullptr;
}

std::optional<int32_t> SnapshotAccess::FindInteger(std::string_view name) {
    const RegistryValue* value = Find(name);
    return value ? std::optional(platform::IntegerOf(name, *value)) : std::nullopt;
}

std::optional<std::string> SnapshotAccess::FindString(std::string_view name) {
    const RegistryValue* value = Find(name);
    return value ? std::optional(platform::StringOf(name, *value)) : std::nullopt;
}

std::optional<std::u16string> SnapshotAccess::FindWideString(std::string_view name) {
    const RegistryValue* value = Find(name);
    if (!value) return std::nullopt;
    if (!value->wide) return kernel_.Utf16OfCp932(platform::StringOf(name, *value));
    platform::CheckStringType(name, value->type, value->data.empty());
    return value->wide->substr(0, value->wide->find(u'\0'));
}

std::optional<RegistryValue> SnapshotAccess::FindValue(std::string_view name) {
    const RegistryValue* value = Find(name);
    return value ? std::optional(*value) : std::nullopt;
}

void SnapshotAccess::WriteInteger(std::string_view name, int32_t) {
    throw ERegistryException::WriteFailed(name);
}
void SnapshotAccess::WriteString(std::string_view name, std::string_view) {
    throw ERegistryException::WriteFailed(name);
}
void SnapshotAccess::WriteWideString(std::string_view name, std::u16string_view) {
    throw ERegistryException::WriteFailed(name);
}
void SnapshotAccess::WriteValue(std::string_view name, const RegistryValue&) {
    throw ERegistryException::WriteFailed(name);
}

std::vector<std::string> SnapshotAccess::ValueNames() {
    std::vector<std::string> names;
    if (open_)
        for (const NamedValue& value : *open_)
            names.push_back(value.name);
    return names;
}

std::vector<std::string> SnapshotAccess::SubkeyNames() {
    std::vector<std::string> names;
    if (programOpen_)
        for (const KeySnapshot& key : snapshot_.memos)
            names.push_back(key.name);
    return names;
}

SnapshotAccess::KeyCounts SnapshotAccess::Counts() {
    if (!open_) return {};
    return {open_->size(), programOpen_ ? snapshot_.memos.size() : 0};
}

StoredState ReadSnapshotAsStore(const StoreSnapshot& snapshot, platform::Kernel& kernel) {
    SnapshotAccess access(snapshot, kernel);
    return ReadStore(access);
}

} // namespace petarino::store
