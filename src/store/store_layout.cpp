#include "store/store_layout.h"

#include "text/ascii.h"

#include <climits>

namespace petarino::store {

std::optional<int> MemoKeyNumber(std::string_view name) {
    if (name.size() <= kMemoKeyPrefix.size() ||
        !EqualIgnoringAsciiCase(name.substr(0, kMemoKeyPrefix.size()), kMemoKeyPrefix))
        return std::nullopt;
    const std::string_view digits = name.substr(kMemoKeyPrefix.size());
    if (digits.size() > 1 && digits.front() == '0') return std::nullopt;
    int number = 0;
    for (const char digit : digits) {
        if (digit < '0' || digit > '9') return std::nullopt;
        const int value = digit - '0';
        number = number > (INT_MAX - value) / 10 ? INT_MAX : number * 10 + value;
    }
    return number;
}

} // namespace petarino::store
