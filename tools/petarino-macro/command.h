// The commands of petarino-macro. A command is one file with its Run function, declared
// and listed here.
#pragma once

#include "session.h"

#include <span>
#include <string>
#include <string_view>

namespace petarino::tool {

struct Command {
    std::string_view name;
    std::string_view operands; // as the usage text shows them, one word each
    bool memoOptions;          // takes --uptime, --label, --exec and --title
    int (*run)(Session& session, std::span<const std::string> operands);
};

int RunFormat(Session& session, std::span<const std::string> operands);
int RunParse(Session& session, std::span<const std::string> operands);
int RunExpand(Session& session, std::span<const std::string> operands);

inline constexpr Command kCommands[] = {
    {"format", "FORMAT", false, RunFormat},
    {"parse", "TEXT", false, RunParse},
    {"expand", "SOURCE", true, RunExpand},
};

} // namespace petarino::tool
