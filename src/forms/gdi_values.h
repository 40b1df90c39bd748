// The memo's colour and font values as GDI takes them, and owners for the GDI objects made
// from them.
#pragma once

#include "appearance/color.h"
#include "appearance/font.h"
#include "memos/title_layout.h"
#include "platform/win32/unique_handle.h"

#include <windows.h>

namespace petarino::forms {

using UniqueFont = win32::UniqueHandle<HFONT, DeleteObject>;
using UniqueBrush = win32::UniqueHandle<HBRUSH, DeleteObject>;
using UniqueMenu = win32::UniqueHandle<HMENU, DestroyMenu>;

// A system colour (0x80000000 plus its index in the low byte) is looked up now, so it
// follows the colour scheme; a fixed one is passed on as it is.
COLORREF ColorRefOf(Color color);

// Height in pixels, style bits, character set and face name; the colour is not part of a
// logical font.
LOGFONTW LogFontOf(const Font& font);
// The title strip's font: kTitleFontHeight as cell height, turned and faced for the layout.
LOGFONTW TitleLogFont(const TitleFont& font);

} // namespace petarino::forms
