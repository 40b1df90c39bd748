#include "tick/running_clock.h"

#include "macro/running_time_text.h"

#include <limits>

namespace petarino {

RunningClock::RunningClock(platform::Kernel& kernel, const AutosaveSettings& autosave)
    : kernel_(kernel), autosave_(autosave), startSeconds_(UptimeSeconds()) {}

int64_t RunningClock::UptimeSeconds() const {
    return static_cast<int64_t>(kernel_.UptimeMilliseconds() / 1000);
}

void RunningClock::SetTotalAtStart(int32_t total) {
    totalAtStart_ = total;
    total_ = total;
}

void RunningClock::CountThisStart(std::optional<int32_t> storedExec) {
    // A count at its limit stays there rather than turning negative.
    const int32_t stored = storedExec.value_or(0);
    exec_ = stored == std::numeric_limits<int32_t>::max() ? stored : stored + 1;
}

void RunningClock::AccountRunningTime() {
    total_ = UptimeSeconds() + totalAtStart_ - startSeconds_;
}

void RunningClock::RefreshLabel3() {
    label3Caption_ = RunningTimeText(total_);
}

bool RunningClock::CountTowardsAutosave() {
    ++saveCounter_;
    if (autosave_.Period() * 60 >= saveCounter_) return false;
    saveCounter_ = 0;
    return autosave_.Enabled();
}

} // namespace petarino
