#include "store/registry_store.h"

#include "store/error_report.h"
#include "store/load_report.h"
#include "store/memos_in_place.h"
#include "store/start_up_load.h"
#include "store/store_layout.h"
#include "store/store_reader.h"
#include "store/store_writer.h"

#include <exception>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace petarino::store {
namespace {

// Every memo has an id of its own: one without an id, or holding one an earlier memo holds (a
// store copied or damaged by hand), is given a new one that no memo holds, whatever the maker
// gives.
void GiveIds(MemoTable& table, const std::function<std::string()>& newId) {
    std::unordered_set<std::string> used;
    for (int slot = 0; slot <= table.MaxForm(); ++slot)
        used.insert(table.Memos(slot).Sync().id);
    std::unordered_set<std::string> kept;
    for (int slot = 0; slot <= table.MaxForm(); ++slot) {
        Memo& memo = table.Memos(slot);
        if (!memo.Sync().id.empty() && kept.insert(memo.Sync().id).second) continue;
        SyncMark mark = memo.Sync();
        do
            mark.id = newId();
        while (!used.insert(mark.id).second);
        kept.insert(mark.id);
        memo.SetSync(std::move(mark));
    }
}

} // namespace

StoredState ReadStoreLocked(platform::Registry& registry) {
    const auto lock = registry.Lock(kProgramKey);
    const auto access = registry.Access();
    return ReadStore(*access);
}

RegistryStore::RegistryStore(platform::Registry& registry, platform::Graphics& graphics,
                             ProgramState state, MacroExpander& expander,
                             platform::WindowSystem& windows, std::function<std::string()> newId)
    : registry_(registry), state_(state), expander_(expander), windows_(windows),
      newId_(std::move(newId)), pixelsPerInch_(graphics.ScreenPixelsPerInch()) {}

void RegistryStore::SaveDatas() {
    GiveIds(state_.memos, newId_);
    const auto lock = registry_.Lock(kProgramKey);
    const auto access = registry_.Access();
    WriteStore(*access, state_, pixelsPerInch_);
}

StoreSnapshot RegistryStore::ReadSnapshot() {
    const auto lock = registry_.Lock(kProgramKey);
    const auto access = registry_.Access();
    return store::ReadSnapshot(*access);
}

void RegistryStore::ReplaceMemos(const StoreSnapshot& snapshot) {
    {
        const auto lock = registry_.Lock(kProgramKey);
        const auto access = registry_.Access();
        WriteSnapshotMemos(*access, snapshot);
    }
    std::vector<std::string> report;
    try {
        const StoredState stored = ReadStoreLocked(registry_);
        report = LoadReport(stored);
        PutMemosInPlace(stored.memos, state_, expander_, pixelsPerInch_);
    } catch (const std::exception& error) {
        report.emplace_back(error.what());
    }
    state_.memos.RefreshStatusList();
    for (const std::string& message : report)
        ReportGeneralError(windows_, message);
}

bool RegistryStore::LoadAtStart(const std::shared_future<StoredState>& readAhead) {
    std::vector<std::string> report;
    bool firstStart = false;
    try {
        const StoredState stored = readAhead.valid() ? readAhead.get() : ReadStoreLocked(registry_);
        firstStart = !stored.programKeyExists;
        report = LoadReport(stored);
        LoadStoredState(stored, state_, expander_, pixelsPerInch_);
    } catch (const std::exception& error) {
        report.emplace_back(error.what());
    }
    state_.clock.Timer1().Enable();
    windows_.SetTooltipDelay(0);
    for (const std::string& message : report)
        ReportGeneralError(windows_, message);
    return firstStart;
}

} // namespace petarino::store
