// What every command runs on: the fake system at the chosen locale and time, with the
// format settings as the running program has them after start-up.
#pragma once

#include "macro/date_time_format.h"
#include "platform/fake/fake_kernel.h"

#include <optional>
#include <string>
#include <string_view>

namespace petarino::tool {

struct SessionOptions {
    platform::FakeLocale locale = platform::FakeLocale::Japanese;
    std::optional<platform::LocalTime> at; // the real local time when absent
    bool cp932 = false;                    // raw CP932 in and out instead of UTF-8
};

class Session {
public:
    explicit Session(const SessionOptions& options);

    // The value the "N" macro formats: date and time of one reading of the clock.
    DateTime Now();
    FormatContext Formatting() { return {locale_, eras_}; }

    // An operand as the program would see it, in CP932.
    std::string Input(std::string_view argument) const;
    // Writes a CP932 text and one line break to the standard output.
    void PrintLine(std::string_view cp932) const;

private:
    platform::FakeKernel kernel_;
    FormatLocale locale_;
    EraCalendar eras_;
    bool cp932_;
};

} // namespace petarino::tool
