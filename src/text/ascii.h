// ASCII case, as the format language knows it: only "a".."z" and "A".."Z" have a case,
// whatever the locale, so a byte of a double-byte character is never changed.
#pragma once

#include <cstddef>
#include <string>
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

// As the registry compares names, for a pair of which one is ASCII, as the program's own
// names are: the lead byte of a double-byte character never folds to an ASCII byte.
constexpr bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ToAsciiUpper(a[i]) != ToAsciiUpper(b[i])) return false;
    return true;
}

// The text as EqualIgnoringAsciiCase compares it: two are equal so exactly when these are,
// which lets a set find a name among many in one look-up.
inline std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& byte : upper)
        byte = ToAsciiUpper(byte);
    return upper;
}

} // namespace petarino
