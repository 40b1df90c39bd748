// The program's version, as its version information and its about box give it.
#pragma once

#include <string_view>

namespace petarino {

inline constexpr std::string_view kProgramVersion = "3.00";

} // namespace petarino
