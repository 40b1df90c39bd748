// The command line: a command name, the options every command shares, its operands.
#pragma once

#include "command.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace petarino::tool {

struct CommandLine {
    const Command* command = nullptr;
    SessionOptions options;
    std::vector<std::string> operands; // as given, before any conversion
};

// Throws UsageError.
CommandLine ParseCommandLine(std::span<const char* const> arguments);

// "YYYY-MM-DDTHH:MM:SS" with an optional ".mmm"; nullopt for anything else or a time
// that does not exist.
std::optional<platform::LocalTime> ParseLocalTime(std::string_view text);

std::string UsageText();

} // namespace petarino::tool
