// A memo's text and title: any Unicode text, held as the memo's edit control holds it, in
// UTF-16 units (surrogate pairs, and a lone surrogate from a damaged store, included). The
// program's own texts stay CP932 bytes (text/cp932.h); a reader tells the two kinds apart by
// their type. UTF-16 on every platform, so the native tests count the units the control
// counts.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace petarino {

using MemoText = std::u16string;
using MemoTextView = std::u16string_view;

constexpr bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

constexpr bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The units of the character that starts `text` (not empty): a surrogate pair is two, a lone
// surrogate one.
constexpr std::size_t CharacterUnits(MemoTextView text) {
    return IsHighSurrogate(text.front()) && text.size() >= 2 && IsLowSurrogate(text[1]) ? 2 : 1;
}

constexpr bool IsAscii(MemoTextView text) {
    for (const char16_t unit : text)
        if (unit >= 0x80) return false;
    return true;
}

// ASCII as it is; a program literal such as "Error." made a memo text.
MemoText MemoTextOfAscii(std::string_view ascii);

// The units as bytes, low byte first, as the registry and a backup's base64 hold them; and
// back, nullopt for an odd count of bytes.
std::string LittleEndianBytes(MemoTextView text);
std::optional<MemoText> MemoTextOfLittleEndian(std::string_view bytes);

// UTF-8 for files other programs read; nullopt for a lone surrogate, which UTF-8 cannot hold.
std::optional<std::string> Utf8OfMemoText(MemoTextView text);
// Nullopt unless the bytes are valid UTF-8 (no overlong forms, no surrogates).
std::optional<MemoText> MemoTextOfUtf8(std::string_view utf8);

} // namespace petarino
