// ASCII case, as the format language knows it: only "a".."z" and "A".."Z" have a case,
// whatever the locale, so a byte of a double-byte character is never changed.
#pragma once

#include <cstddef>
#include <string_view>

namespace petarino {

constexpr bool IsAsciiLetter(char byte) {
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
}

constexpr char ToAsciiUpper(char byte) {
    return byte >= 'a' && byte <= 'z' ? static_cast<char>(byte - 'a' + 'A') : byte;
}

// `upperPrefix` is written in upper case.
constexpr bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view upperPrefix) {
    if (text.size() < upperPrefix.size()) return false;
    for (std::size_t i = 0; i < upperPrefix.size(); ++i)
        if (ToAsciiUpper(text[i]) != upperPrefix[i]) return false;
    return true;
}

} // namespace petarino
