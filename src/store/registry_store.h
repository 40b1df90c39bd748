// The store of the properties window: SaveDatas and the start-up load. Each takes the
// store's lock while it touches the registry, so two running copies never interleave their
// saves (the last one wins), and frees it before anything is shown.
#pragma once

#include "macro_memos/macro_expander.h"
#include "platform/graphics.h"
#include "platform/registry.h"
#include "platform/window_system.h"
#include "store/program_state.h"
#include "store/store_snapshot.h"
#include "store/stored_state.h"

#include <functional>
#include <future>
#include <string>

namespace petarino::store {

// The load's reading of the store, under the store's lock. The program begins it on a thread
// of its own as it starts (app/store_read_ahead.h).
StoredState ReadStoreLocked(platform::Registry& registry);

class RegistryStore {
public:
    // Reads the screen's pixels per inch: once, for the whole run. newId makes the id of a
    // memo that has none (memos/sync_mark.h).
    RegistryStore(platform::Registry& registry, platform::Graphics& graphics, ProgramState state,
                  MacroExpander& expander, platform::WindowSystem& windows,
                  std::function<std::string()> newId);

    // Gives every memo without an id a new one, then writes everything (store_writer.h).
    // The first value that cannot be written ends it with ERegistryException, for the
    // caller to report; the lock is free by then.
    void SaveDatas();

    // Reads everything into the empty table, then runs the closing steps whatever happened
    // (the access freed, Timer1 enabled, tooltips at once), then reports what went wrong.
    // The start-up goes on with what was loaded. A reading begun before is taken when
    // given, the store read here otherwise. True at a first start: the store was read and
    // held nothing of the program.
    bool LoadAtStart(const std::shared_future<StoredState>& readAhead = {});

    // Every value of the store as it lies, for a backup.
    StoreSnapshot ReadSnapshot();
    // The snapshot's memos in place of the store's and of the running ones: the memo keys
    // and MaxForm written (store_snapshot.h), then read back and put in place of the running
    // memos (memos_in_place.h), without counting a start or touching the settings; load
    // errors reported as at start. A write that fails throws ERegistryException, the memos
    // running as before.
    void ReplaceMemos(const StoreSnapshot& snapshot);

private:
    platform::Registry& registry_;
    ProgramState state_;
    MacroExpander& expander_;
    platform::WindowSystem& windows_;
    std::function<std::string()> newId_;
    const int pixelsPerInch_;
};

} // namespace petarino::store
