// The macro engine as the running program has it after start-up, on the fake system:
// settings loaded from a fixed locale table and English short day names.
#pragma once

#include "macro_memos/macro_expander.h"
#include "platform/fake/fake_kernel.h"
#include "platform/fake/fake_window_system.h"

namespace petarino {

struct MacroWorld {
    explicit MacroWorld(platform::FakeLocale which = platform::FakeLocale::Japanese,
                        platform::LocalTime now = {2026, 12, 1, 7, 9, 0, 0, 0})
        : kernel(which), locale(Loaded(kernel, now)), eras(kernel, locale.identity) {}
    MacroWorld(const MacroWorld&) = delete; // the services refer to the members
    MacroWorld& operator=(const MacroWorld&) = delete;

    platform::FakeKernel kernel;
    FormatLocale locale;
    EraCalendar eras;
    platform::FakeWindowSystem windows;
    MacroServices services{kernel, locale, eras};
    MacroExpander expander{services, windows};

private:
    static FormatLocale Loaded(platform::FakeKernel& kernel, const platform::LocalTime& now) {
        kernel.SetNow(now);
        FormatLocale loaded = LoadFormatLocale(kernel);
        ReplaceShortDayNames(loaded.settings);
        return loaded;
    }
};

} // namespace petarino
