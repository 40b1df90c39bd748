#include "platform/win32/font_win32.h"

#include "platform/win32/cp932_win32.h"

#include <algorithm>
#include <string>

namespace petarino::win32 {

LOGFONTW LogFontOf(const Font& font) {
    LOGFONTW logFont{
        .lfHeight = font.height,
        .lfWeight = (font.style & fsBold) ? FW_BOLD : FW_NORMAL,
        .lfItalic = (font.style & fsItalic) ? BYTE{1} : BYTE{0},
        .lfUnderline = (font.style & fsUnderline) ? BYTE{1} : BYTE{0},
        .lfStrikeOut = (font.style & fsStrikeOut) ? BYTE{1} : BYTE{0},
        .lfCharSet = font.charset,
        .lfOutPrecision = OUT_DEFAULT_PRECIS,
        .lfClipPrecision = CLIP_DEFAULT_PRECIS,
        .lfQuality = DEFAULT_QUALITY,
        .lfPitchAndFamily = DEFAULT_PITCH,
    };
    const std::wstring face = ToWide(font.Name());
    const std::size_t length = std::min(face.size(), std::size(logFont.lfFaceName) - 1);
    std::copy_n(face.begin(), length, logFont.lfFaceName);
    return logFont;
}

Font FontOf(const LOGFONTW& logFont, Color color) {
    Font font;
    font.SetName(FromWide(logFont.lfFaceName));
    font.height = logFont.lfHeight;
    font.style = static_cast<uint8_t>(
        (logFont.lfWeight >= FW_BOLD ? fsBold : 0) | (logFont.lfItalic ? fsItalic : 0) |
        (logFont.lfUnderline ? fsUnderline : 0) | (logFont.lfStrikeOut ? fsStrikeOut : 0));
    font.color = color;
    font.charset = logFont.lfCharSet;
    return font;
}

UniqueFont CreateFontOf(const Font& font) {
    const LOGFONTW logFont = LogFontOf(font);
    return UniqueFont(CreateFontIndirectW(&logFont));
}

} // namespace petarino::win32
