// What the store saves and restores: the memo table, the clock and the settings of the
// properties window.
#pragma once

#include "memos/hotkey_settings.h"
#include "memos/memo_table.h"
#include "store/exit_settings.h"
#include "store/sync_settings.h"
#include "tick/autosave_settings.h"
#include "tick/running_clock.h"

namespace petarino::store {

struct ProgramState {
    MemoTable& memos;
    RunningClock& clock;
    AutosaveSettings& autosave;
    ExitSettings& exitSettings;
    HotkeySettings& hotkeys;
    SyncSettings& sync;
};

} // namespace petarino::store
