// What every command runs on: the fake system at the chosen locale and time, with the
// macro engine as the running program has it after start-up.
#pragma once

#include "testing/macro_world.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace petarino::tool {

struct SessionOptions {
    platform::FakeLocale locale = platform::FakeLocale::Japanese;
    std::optional<platform::LocalTime> at; // the real local time when absent
    bool cp932 = false;                    // raw CP932 in and out instead of UTF-8
    // What the memo commands read of the running program, as typed.
    uint64_t uptimeSeconds = 0;
    std::string label = "Label3"; // Label3's caption before the first tick
    int32_t exec = 1;
    std::optional<std::string> title; // a new memo's own when absent
};

class Session {
public:
    explicit Session(const SessionOptions& options);

    MacroWorld& World() { return world_; }
    const SessionOptions& Options() const { return options_; }

    // A text from the command line as the program would see it, in CP932.
    std::string Input(std::string_view argument) const;
    // Writes a CP932 text and one line break.
    void PrintLine(std::string_view cp932, std::FILE* stream = stdout) const;

private:
    SessionOptions options_;
    MacroWorld world_;
};

} // namespace petarino::tool
