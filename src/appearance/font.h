// The font of a memo's text area, as a value: what the store keeps and the dialog edits.
#pragma once

#include "appearance/color.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace petarino {

enum FontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class Font {
public:
    // A logical font holds 31 bytes of face name and its terminating NUL.
    static constexpr std::size_t kMaxNameBytes = 31;

    const std::string& Name() const { return name_; }
    // Longer names are cut to what a logical font holds; an empty one leaves the face as is.
    void SetName(std::string_view name);
    // The size in points on a screen of this many pixels per inch, and back, each rounded
    // to the nearest as MulDiv rounds: 10 points are 13 pixels at 96 and read back as 10.
    int32_t Size(int pixelsPerInch) const;
    void SetSize(int32_t points, int pixelsPerInch);

    int32_t height = -12; // pixels; negative: the character height without internal leading
    uint8_t style = 0;    // FontStyle bits
    Color color = clBlack;
    uint8_t charset = 1; // DEFAULT_CHARSET

    friend bool operator==(const Font&, const Font&) = default;

private:
    std::string name_ = "ＭＳ Ｐゴシック";
};

} // namespace petarino
