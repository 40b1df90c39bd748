// The state of the one-second timer Timer1: enabled or not, and whether its tick handler
// has been detached for the exit's final save. Disabled, the tick refreshes no macro and not
// the running-time label, but alarms, autosave and sync go on; a detached timer does nothing
// at all, whether enabled or not, until a close that did not happen attaches it again. It
// sits with the macros because a macro's date error stops it and the memo dialog below the
// clock starts it.
#pragma once

namespace petarino {

class TickTimer {
public:
    void Enable() { enabled_ = true; }
    void Disable() { enabled_ = false; }
    void Detach() { detached_ = true; }
    // The program runs on after a close that failed or was cancelled.
    void Reattach() { detached_ = false; }

    bool Enabled() const { return enabled_; }
    bool Detached() const { return detached_; }
    // Whether a tick refreshes the macros when the window timer fires.
    bool Runs() const { return enabled_ && !detached_; }

private:
    bool enabled_ = false;
    bool detached_ = false;
};

} // namespace petarino
