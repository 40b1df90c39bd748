// Every text of the program is CP932 bytes, whatever the system's own code page:
// this is the one place that knows which bytes start a double-byte character.
#pragma once

namespace petarino {

constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

constexpr bool IsLeadByte(char byte) {
    return IsLeadByte(static_cast<unsigned char>(byte));
}

} // namespace petarino
