// The clock state of the properties window: the running time of all runs, the launch
// count, the autosave counter, the caption of the running-time label Label3 and the state
// of Timer1. Seconds are 64-bit and the uptime is 64-bit milliseconds, so nothing wraps
// or turns negative however long the system runs; the store clamps Total to its 32 bits.
#pragma once

#include "tick/autosave_settings.h"
#include "macro/macro_host.h"
#include "macro/tick_timer.h"
#include "platform/kernel.h"

#include <cstdint>
#include <optional>
#include <string>

namespace petarino {

class RunningClock final : public MacroHost {
public:
    // Takes StartSeconds: the properties window is being created, before the load.
    RunningClock(platform::Kernel& kernel, const AutosaveSettings& autosave);

    int64_t StartSeconds() const { return startSeconds_; }
    int64_t TotalAtStart() const { return totalAtStart_; }
    int64_t Total() const { return total_; }
    int32_t Exec() const { return exec_; }
    int32_t SaveCounter() const { return saveCounter_; }
    // "Label3" until the first tick, then the running-time text of Total.
    const std::string& Label3Caption() const { return label3Caption_; }
    TickTimer& Timer1() { return timer1_; }
    const TickTimer& Timer1() const { return timer1_; }

    std::string_view RunningTimeCaption() const override { return label3Caption_; }
    int32_t LaunchCount() const override { return exec_; }
    void StopTimer() override { timer1_.Disable(); }

    // The store's "Total"; Total equals it until the first tick.
    void SetTotalAtStart(int32_t total);
    // The store's "Exec", absent on a first start; this start counts as one more.
    void CountThisStart(std::optional<int32_t> storedExec);

    // The tick's first step: Total from the uptime now.
    void AccountRunningTime();
    // Label3's caption from Total; the tick skips it while a macro's date error stops Timer1.
    void RefreshLabel3();
    // The tick's autosave count: true when a full period has passed and autosave is on.
    // The count starts again after a full period whether autosave is on or not; with a
    // period of 10 minutes that is the 601st tick.
    bool CountTowardsAutosave();

private:
    int64_t UptimeSeconds() const;

    platform::Kernel& kernel_;
    const AutosaveSettings& autosave_;
    int64_t startSeconds_;
    int64_t totalAtStart_ = 0;
    int64_t total_ = 0;
    int32_t exec_ = 1;
    int32_t saveCounter_ = 0;
    std::string label3Caption_ = "Label3";
    TickTimer timer1_;
};

} // namespace petarino
