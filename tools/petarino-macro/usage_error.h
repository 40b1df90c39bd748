// A command line the tool cannot run: reported with the usage text, exit status 64.
#pragma once

#include <stdexcept>

namespace petarino::tool {

inline constexpr int kUsageExitStatus = 64;

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace petarino::tool
