#include "store/store_snapshot.h"

#include "memos/memo_table.h"
#include "store/store_layout.h"
#include "text/ascii.h"

#include <algorithm>
#include <map>

namespace petarino::store {
namespace {

using platform::ERegistryException;
using platform::RegistryAccess;

// The open key's values, in the order the registry lists them.
std::vector<NamedValue> ValuesOfOpenKey(RegistryAccess& access) {
    std::vector<NamedValue> values;
    for (std::string& name : access.ValueNames())
        if (auto value = access.FindValue(name))
            values.push_back({std::move(name), *std::move(value)});
    return values;
}

// Memo keys of the table's slots by slot, as the program key lists them.
std::map<int, std::string> MemoKeysOfOpenKey(RegistryAccess& access) {
    std::map<int, std::string> keys;
    for (std::string& name : access.SubkeyNames()) {
        const auto number = MemoKeyNumber(name);
        if (number && *number < MemoTable::kSlots) keys.emplace(*number, std::move(name));
    }
    return keys;
}

void WriteMemoKey(RegistryAccess& access, const KeySnapshot& key) {
    const std::string path = std::string(kProgramKey) + '\\' + key.name;
    access.DeleteKeyTree(path);
    if (!access.OpenKey(path, true))
        throw ERegistryException::WriteFailed(key.values.empty() ? key.name
                                                                 : key.values.front().name);
    for (const NamedValue& value : key.values)
        access.WriteValue(value.name, value.value);
}

} // namespace

StoreSnapshot ReadSnapshot(RegistryAccess& access) {
    StoreSnapshot snapshot;
    if (!access.OpenKey(kProgramKey, false)) return snapshot;
    snapshot.program = ValuesOfOpenKey(access);
    for (auto& [slot, name] : MemoKeysOfOpenKey(access)) {
        KeySnapshot& key = snapshot.memos.emplace_back();
        key.name = std::move(name);
        if (access.OpenKey(MemoKeyPath(slot), false)) key.values = ValuesOfOpenKey(access);
    }
    return snapshot;
}

void WriteSnapshotMemos(RegistryAccess& access, const StoreSnapshot& snapshot) {
    for (const KeySnapshot& key : snapshot.memos)
        WriteMemoKey(access, key);

    if (!access.OpenKey(kProgramKey, true))
        throw ERegistryException::WriteFailed(program_value::kMaxForm);
    const auto maxForm = std::ranges::find_if(snapshot.program, [](const NamedValue& value) {
        return EqualIgnoringAsciiCase(value.name, program_value::kMaxForm);
    });
    if (maxForm != snapshot.program.end())
        access.WriteValue(program_value::kMaxForm, maxForm->value);
    else
        access.DeleteValue(program_value::kMaxForm);

    for (const auto& key : MemoKeysOfOpenKey(access)) {
        const int slot = key.first;
        const bool kept = std::ranges::any_of(snapshot.memos, [slot](const KeySnapshot& other) {
            return MemoKeyNumber(other.name) == slot;
        });
        if (!kept) access.DeleteKeyTree(MemoKeyPath(slot));
    }
    access.Flush();
}

} // namespace petarino::store
