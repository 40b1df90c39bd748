// Every text of the program is CP932 bytes, whatever the system's own code page:
// this is the one place that knows which bytes start a double-byte character.
#pragma once

#include <cstddef>
#include <string_view>

namespace petarino {

constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

constexpr bool IsLeadByte(char byte) {
    return IsLeadByte(static_cast<unsigned char>(byte));
}

// The second byte of a double-byte character. A lead byte before any other byte stands alone.
constexpr bool IsTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

constexpr bool IsTrailByte(char byte) {
    return IsTrailByte(static_cast<unsigned char>(byte));
}

// The bytes of the character that starts `text` (not empty): a lead byte at the very end
// stands alone, so no caller ever reads past the text.
constexpr std::size_t CharacterBytes(std::string_view text) {
    return IsLeadByte(text.front()) && text.size() >= 2 ? 2 : 1;
}

// Characters as a text box counts them: a double-byte character is one, CR LF two.
constexpr std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += CharacterBytes(text.substr(at)))
        ++count;
    return count;
}

} // namespace petarino
