// The failure of a date conversion: the one failure that the macro engine catches and
// reports in its own words.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace petarino {

class EConvertError : public std::runtime_error {
public:
    // The message quotes the whole text that was not a date.
    explicit EConvertError(std::string_view text)
        : std::runtime_error("'" + std::string(text) + "' は日付ではありません") {}
};

} // namespace petarino
