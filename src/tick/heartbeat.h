// The properties window's one-second tick: running time, autosave, the refresh of every
// macro memo, and the memos' alarms, in that order. A macro's date error stops only what the
// macros show, the running-time label and the memos' refresh; the rest goes on.
#pragma once

#include "macro_memos/macro_expander.h"
#include "tick/running_clock.h"
#include "memos/memo_table.h"

#include <functional>

namespace petarino {

class Heartbeat {
public:
    Heartbeat(RunningClock& clock, MemoTable& memos, MacroExpander& expander,
              std::function<void()> saveDatas, std::function<void()> ringAlarms = {})
        : clock_(clock), memos_(memos), expander_(expander), saveDatas_(std::move(saveDatas)),
          ringAlarms_(std::move(ringAlarms)) {}

    // Does nothing while Timer1 is detached; refreshes neither Label3 nor the memos while it
    // is stopped. A failing save ends the tick before the memos are refreshed; its error goes
    // on to the caller.
    void Timer1Timer();

private:
    RunningClock& clock_;
    MemoTable& memos_;
    MacroExpander& expander_;
    std::function<void()> saveDatas_;
    std::function<void()> ringAlarms_;
};

} // namespace petarino
