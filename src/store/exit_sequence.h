// The exit sequence: what runs before the properties window closes, by every route to
// that close (the tray menu's and the window's "終了(&X)", its close box and system menu,
// a close request to the application's window) and on the system's end-of-session query.
#pragma once

#include "platform/files.h"
#include "platform/kernel.h"
#include "platform/window_system.h"
#include "store/program_state.h"
#include "store/registry_store.h"

#include <functional>

namespace petarino::store {

class ExitSequence {
public:
    // `beforeSave` runs once the close is confirmed, just before the save, and `saved` once a
    // close has saved and exported everything, before it answers true; each reports its own
    // failures and never stops the close.
    ExitSequence(ProgramState state, RegistryStore& store, platform::WindowSystem& windows,
                 platform::Files& files, platform::Kernel& kernel, std::function<void()> saved = {},
                 std::function<void()> beforeSave = {})
        : state_(state), store_(store), windows_(windows), files_(files), kernel_(kernel),
          saved_(std::move(saved)), beforeSave_(std::move(beforeSave)) {}

    // Asks first when cbAlart is checked; on Yes detaches Timer1's tick, saves everything
    // and, when cbText is checked, exports every memo (text_export.h). Returns canClose:
    // the caller closes on true, and answers the end-of-session query with it.
    //
    // A No returns false with nothing changed. A save or an export that fails is reported
    // here, through the general error report, and returns false with the tick attached
    // again: the program runs on as before the attempt, with the store as far as it was
    // saved and the files before the failing one written. So no error leaves this call,
    // and every route needs only the answer.
    //
    // A query made while one is under way (from inside its message box) returns false.
    bool FormCloseQuery();

    // The close the query allowed did not happen (the end of the session was cancelled):
    // the program runs on with its tick.
    void CloseCancelled() { state_.clock.Timer1().Reattach(); }

private:
    bool Confirmed();
    bool SaveAndExport();

    ProgramState state_;
    RegistryStore& store_;
    platform::WindowSystem& windows_;
    platform::Files& files_;
    platform::Kernel& kernel_;
    std::function<void()> saved_;
    std::function<void()> beforeSave_;
    bool underWay_ = false;
};

} // namespace petarino::store
