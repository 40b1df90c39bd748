// The start-up load over any registry contents: whatever it finds, it loads a consistent
// table, and what it then saves loads again cleanly into the same memos, each with the id of
// its own the save gave or kept.
#include "memos/sync_mark.h"
#include "platform/fake/fake_registry.h"
#include "store/store_layout.h"
#include "testing/desk_world.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace petarino;
using platform::RegistryType;

constexpr std::array<std::string_view, 28> kNames{
    "MaxForm",   "Total",     "Exec",     "Saving",    "SaveTiming",
    "cbText",    "Alart",     "Top",      "Left",      "Width",
    "Height",    "Title",     "TitleBar", "TitleText", "TitleBackGround",
    "Text",      "WordWrap",  "Visible",  "FontName",  "Color",
    "FontStyle", "FontColor", "FontSize", "Id",        "SyncVersions",
    "SyncBase",  "Other",     "maxform"};

constexpr std::array<RegistryType, 5> kTypes{RegistryType::Dword, RegistryType::Sz,
                                             RegistryType::ExpandSz, RegistryType::Binary,
                                             RegistryType::None};

// Reads the input as records: key, value name, type, length, data.
void Seed(platform::FakeRegistry& registry, std::string_view input) {
    registry.CreateKey(store::kProgramKey);
    while (input.size() >= 4) {
        const auto key = static_cast<unsigned char>(input[0]);
        const std::string_view name = kNames[static_cast<unsigned char>(input[1]) % kNames.size()];
        const RegistryType type = kTypes[static_cast<unsigned char>(input[2]) % kTypes.size()];
        const std::size_t length =
            std::min<std::size_t>(static_cast<unsigned char>(input[3]), input.size() - 4);
        const std::string data(input.substr(4, length));
        input.remove_prefix(4 + length);
        // Program key, Memo0..Memo104 (past the table too), or a key of no memo.
        const std::string path = key % 107 == 0     ? std::string(store::kProgramKey)
                                 : key % 107 == 106 ? std::string(store::kProgramKey) + "\\Memo07"
                                                    : store::MemoKeyPath(key % 107 - 1);
        registry.SetValue(path, name, {type, data});
    }
}

bool Consistent(const MemoTable& table) {
    for (int slot = 0; slot <= table.MaxForm(); ++slot)
        if (table.Memos(slot).Tag() != slot) return false;
    return table.MaxForm() < MemoTable::kSlots;
}

// After a save every memo has an id of its own.
std::vector<std::string> DistinctIds(const MemoTable& table) {
    std::vector<std::string> ids;
    std::set<std::string> seen;
    for (int slot = 0; slot <= table.MaxForm(); ++slot) {
        const std::string& id = table.Memos(slot).Sync().id;
        if (!IsSyncId(id) || !seen.insert(id).second) __builtin_trap();
        ids.push_back(id);
    }
    return ids;
}

bool GeneralErrorShown(const DeskWorld& run) {
    return std::any_of(run.macro.windows.Shown().begin(), run.macro.windows.Shown().end(),
                       [](const auto& box) { return box.caption == "ペタリノ"; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    platform::FakeRegistry registry;
    Seed(registry, std::string_view(reinterpret_cast<const char*>(data), size));

    DeskWorld first(registry);
    first.store.LoadAtStart();
    if (!Consistent(first.table) || !first.clock.Timer1().Enabled()) __builtin_trap();
    first.store.SaveDatas();
    const std::vector<std::string> ids = DistinctIds(first.table);

    registry.Restart();
    DeskWorld second(registry);
    second.store.LoadAtStart();
    // Memo keys past the table are kept and told about again; nothing else may be wrong.
    bool beyondTable = false;
    for (int slot = MemoTable::kSlots; slot <= 104; ++slot)
        beyondTable = beyondTable || registry.KeyExists(store::MemoKeyPath(slot));
    if (second.table.MaxForm() != first.table.MaxForm() ||
        (GeneralErrorShown(second) && !beyondTable) || DistinctIds(second.table) != ids)
        __builtin_trap();
    return 0;
}
