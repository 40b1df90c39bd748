#include "tick/heartbeat.h"

namespace petarino {

void Heartbeat::Timer1Timer() {
    if (clock_.Timer1().Detached()) return;
    // Total is counted on, so the next save stores the right running time.
    clock_.AccountRunningTime();
    // Read once: the memos after one whose date fails are still refreshed on this tick.
    const bool macrosRun = clock_.Timer1().Runs();
    if (macrosRun) clock_.RefreshLabel3();
    if (clock_.CountTowardsAutosave()) saveDatas_();
    // An error box inside an expansion runs a message loop in which memos may be
    // destroyed, so the last slot is read again on every step.
    if (macrosRun)
        for (int slot = 0; slot <= memos_.MaxForm(); ++slot)
            expander_.ExpandMacros(memos_.Memos(slot), clock_);
    if (ringAlarms_) ringAlarms_();
}

} // namespace petarino
