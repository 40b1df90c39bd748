// The autosave settings of the properties window, which live in its controls: the period
// in udSave and the switch in cbSave.
#pragma once

#include <cstdint>

namespace petarino {

class AutosaveSettings {
public:
    virtual ~AutosaveSettings() = default;

    // The up-down's position, in minutes; 1..60 from the user, anything from the store.
    virtual int16_t Period() const = 0;
    virtual void SetPeriod(int16_t minutes) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

} // namespace petarino
