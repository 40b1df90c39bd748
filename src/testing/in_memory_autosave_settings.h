// Autosave settings in plain fields, starting as the properties window's controls do:
// every 10 minutes, switched off.
#pragma once

#include "tick/autosave_settings.h"

namespace petarino {

class InMemoryAutosaveSettings final : public AutosaveSettings {
public:
    int16_t Period() const override { return period_; }
    void SetPeriod(int16_t minutes) override { period_ = minutes; }
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }

private:
    int16_t period_ = 10;
    bool enabled_ = false;
};

} // namespace petarino
