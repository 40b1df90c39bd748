#include "memos/sync_mark.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace petarino {

bool IsMemoId(std::string_view text) {
    constexpr std::size_t kHyphens[] = {8, 13, 18, 23};
    if (text.size() != 36) return false;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        const bool hyphenPlace =
            std::find(std::begin(kHyphens), std::end(kHyphens), at) != std::end(kHyphens);
        const bool fits = hyphenPlace ? c == '-' : (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
        if (!fits) return false;
    }
    return true;
}

} // namespace petarino
