#include "text/base64.h"

#include <algorithm>
#include <cstdint>

namespace petarino {
namespace {

constexpr std::string_view kDigits =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int DigitValue(char digit) {
    const size_t at = kDigits.find(digit);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

} // namespace

std::string Base64Encode(std::string_view bytes) {
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t at = 0; at < bytes.size(); at += 3) {
        const size_t count = std::min<size_t>(3, bytes.size() - at);
        uint32_t group = 0;
        for (size_t i = 0; i < 3; ++i)
            group = (group << 8) |
                    (i < count ? static_cast<unsigned char>(bytes[at + i]) : 0u); // [0, 2^24)
        for (size_t i = 0; i < 4; ++i)
            text += i <= count ? kDigits[(group >> (18 - 6 * i)) & 0x3F] : '=';
    }
    return text;
}

std::optional<std::string> Base64Decode(std::string_view text) {
    if (text.size() % 4 != 0) return std::nullopt;
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    for (size_t at = 0; at < text.size(); at += 4) {
        const bool last = at + 4 == text.size();
        const size_t padding = last ? (text[at + 3] == '=') + (text[at + 2] == '=') : 0;
        if (padding == 1 && text[at + 2] == '=') return std::nullopt;
        uint32_t group = 0;
        for (size_t i = 0; i < 4; ++i) {
            const int value = i < 4 - padding ? DigitValue(text[at + i]) : 0;
            if (value < 0) return std::nullopt;
            group = (group << 6) | static_cast<uint32_t>(value); // [0, 2^24)
        }
        // Bits below the last byte must be zero, or two texts would decode alike.
        if ((padding == 1 && (group & 0xFF) != 0) || (padding == 2 && (group & 0xFFFF) != 0))
            return std::nullopt;
        for (size_t i = 0; i < 3 - padding; ++i)
            bytes += static_cast<char>((group >> (16 - 8 * i)) & 0xFF);
    }
    return bytes;
}

} // namespace petarino
