// Font values at the Win32 boundary: a Font as a logical font and back, and owned handles.
#pragma once

#include "appearance/font.h"
#include "platform/win32/unique_handle.h"

#include <windows.h>

namespace petarino::win32 {

LOGFONTW LogFontOf(const Font& font);
// The colour is not part of a logical font.
Font FontOf(const LOGFONTW& logFont, Color color);

inline void DeleteFontHandle(HFONT font) {
    DeleteObject(font);
}
using UniqueFont = UniqueHandle<HFONT, DeleteFontHandle>;

UniqueFont CreateFontOf(const Font& font);

} // namespace petarino::win32
