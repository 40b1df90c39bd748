#include "forms/gdi_values.h"

#include "platform/win32/cp932_win32.h"

#include <algorithm>

namespace petarino::forms {
namespace {

constexpr Color kSystemColor = 0x80000000;

BYTE Flag(uint8_t style, FontStyle bit) {
    return (style & bit) ? TRUE : FALSE;
}

LOGFONTW MakeLogFont(LONG height, LONG escapement, LONG weight, uint8_t style, BYTE charset,
                     std::string_view face) {
    LOGFONTW logFont{.lfHeight = height,
                     .lfWidth = 0,
                     .lfEscapement = escapement,
                     .lfOrientation = 0,
                     .lfWeight = weight,
                     .lfItalic = Flag(style, fsItalic),
                     .lfUnderline = Flag(style, fsUnderline),
                     .lfStrikeOut = Flag(style, fsStrikeOut),
                     .lfCharSet = charset,
                     .lfOutPrecision = OUT_DEFAULT_PRECIS,
                     .lfClipPrecision = CLIP_DEFAULT_PRECIS,
                     .lfQuality = DEFAULT_QUALITY,
                     .lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE,
                     .lfFaceName = {}};
    const std::wstring wide = win32::ToWide(face);
    // A 31-byte name never has more than 31 characters; the last place is the NUL.
    std::copy_n(wide.begin(), std::min<size_t>(wide.size(), LF_FACESIZE - 1), logFont.lfFaceName);
    return logFont;
}

} // namespace

COLORREF ColorRefOf(Color color) {
    if (color & kSystemColor) return GetSysColor(static_cast<int>(color & 0xFF));
    return color;
}

LOGFONTW LogFontOf(const Font& font) {
    return MakeLogFont(font.height, 0, (font.style & fsBold) ? FW_BOLD : FW_NORMAL, font.style,
                       font.charset, font.Name());
}

LOGFONTW TitleLogFont(const TitleFont& font) {
    return MakeLogFont(kTitleFontHeight, font.escapement, 0, 0, DEFAULT_CHARSET,
                       TitleFaceName(font));
}

} // namespace petarino::forms
