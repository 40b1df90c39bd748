// The ids of sync: memos, devices and sync folders are named by a GUID written in lower case,
// 8-4-4-4-12 hex digits, so every PC writes and compares the same text.
#pragma once

#include <cstddef>
#include <string_view>

namespace petarino::sync {

constexpr bool IsSyncId(std::string_view text) {
    if (text.size() != 36) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

} // namespace petarino::sync
