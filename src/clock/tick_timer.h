// The state of the one-second timer Timer1: enabled or not, and whether its tick handler
// has been detached for the exit's final save. A detached timer never ticks again.
#pragma once

namespace petarino {

class TickTimer {
public:
    void Enable() { enabled_ = true; }
    void Disable() { enabled_ = false; }
    void Detach() { detached_ = true; }

    bool Enabled() const { return enabled_; }
    bool Detached() const { return detached_; }
    // Whether a tick runs when the window timer fires.
    bool Runs() const { return enabled_ && !detached_; }

private:
    bool enabled_ = false;
    bool detached_ = false;
};

} // namespace petarino
