// What an expansion needs of the properties window: the running-time label, the launch
// count, and its timer, stopped before a date error is shown.
#pragma once

#include <cstdint>
#include <string_view>

namespace petarino {

class MacroHost {
public:
    virtual std::string_view RunningTimeCaption() const = 0; // what Label3 shows now
    virtual int32_t LaunchCount() const = 0;                 // Exec
    virtual void StopTimer() = 0;                            // Timer1 disabled

protected:
    ~MacroHost() = default;
};

} // namespace petarino
