// The text of a random (version-4) GUID, shared by the kernels so the real one and the fake
// write the same form.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace petarino::platform {

// Sixteen bytes written in order as "xxxxxxxx-xxxx-4xxx-yxxx-xxxxxxxxxxxx" in lower case, the
// version and variant bits set over what the bytes held there.
inline std::string GuidText(std::array<uint8_t, 16> bytes) {
    bytes[6] = static_cast<uint8_t>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3F) | 0x80);
    constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(36);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}

} // namespace petarino::platform
