#include "clock/heartbeat.h"

namespace petarino {

void Heartbeat::Timer1Timer() {
    if (!clock_.Timer1().Runs()) return;
    clock_.AccountRunningTime();
    if (clock_.CountTowardsAutosave()) saveDatas_();
    // An error box inside an expansion runs a message loop in which memos may be
    // destroyed, so the last slot is read again on every step.
    for (int slot = 0; slot <= memos_.MaxForm(); ++slot)
        expander_.ExpandMacros(memos_.Memos(slot), clock_);
    if (ringAlarms_) ringAlarms_();
}

} // namespace petarino
