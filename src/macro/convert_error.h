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
    explicit EConvertError(std::string_view text) : std::runtime_error(Message(text)) {}

private:
    // Appended, not "'" + text: g++ 12 misjudges an insert at the front as overlapping.
    static std::string Message(std::string_view text) {
        std::string message = "'";
        message.append(text).append("' は日付ではありません");
        return message;
    }
};

} // namespace petarino
