// What an expansion reads of the properties window, in plain fields: Label3's caption
// before the first tick, a first start, a running timer.
#pragma once

#include "macro/macro_host.h"

#include <string>

namespace petarino {

struct FakeMacroHost final : MacroHost {
    std::string_view RunningTimeCaption() const override { return caption; }
    int32_t LaunchCount() const override { return exec; }
    void StopTimer() override { timerRunning = false; }

    std::string caption = "Label3";
    int32_t exec = 1;
    bool timerRunning = true;
};

} // namespace petarino
